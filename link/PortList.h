#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace varno::link {

enum class TPortPlatform
{
    Linux,
    Windows,
    MacOS
};

// A serial port as the system lists it (QSerialPortInfo).
struct TSystemPort
{
    QString PortName;       // "COM3", "ttyUSB0", "cu.usbserial-1410"
    QString SystemLocation; // "\\.\COM3", "/dev/ttyUSB0", "/dev/cu.usbserial-1410"
    QString Description;
};

// A port the menu offers: the name the link opens and the settings file keeps,
// and the label shown.
struct TOfferedPort
{
    QString Name;
    QString Label;

    bool operator==(const TOfferedPort &) const = default;
};

// The system's ports the menu offers after the six standard names, each once.
// Windows: by port name ("COM3", never "\\.\COM3"), COM1 to COM6 left to the
// standard items. macOS: only the call-out devices /dev/cu.*. Linux: by device
// path, the standard names' devices (standardDevices) left out.
QList<TOfferedPort> OtherSystemPorts(TPortPlatform platform, const QList<TSystemPort> &ports,
                                     const QStringList &standardDevices);

// Whether the menu offers the standard name COMn: on Windows and Linux always
// (COM1 to COM6 are the built-in ports); on macOS, which has no such ports, only
// where COMn's device exists, or where it is the port in use.
bool StandardPortOffered(TPortPlatform platform, bool deviceExists, bool inUse);

TPortPlatform ThisPortPlatform();

} // namespace varno::link
