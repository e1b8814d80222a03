#pragma once

#include <QString>
#include <link/SerialDevice.h>

// How the link's line settings read in the Win32 communications API, kept
// apart from <windows.h> so that every platform's tests check them.
namespace varno::link {

// The DCB fields the link sets, with the values of the Win32 constants
// (NOPARITY 0 ... SPACEPARITY 4; ONESTOPBIT 0, ONE5STOPBITS 1, TWOSTOPBITS 2).
struct TWin32Line
{
    quint32 BaudRate = 0;
    quint8 ByteSize = 8;
    quint8 Parity = 0;
    quint8 StopBits = 0;
    // The DCB's bit fields as one word: bit 0 fBinary, 1 fParity, 2 fOutxCtsFlow,
    // 3 fOutxDsrFlow, 4-5 fDtrControl, 6 fDsrSensitivity, 7 fTXContinueOnXoff,
    // 8 fOutX, 9 fInX, 10 fErrorChar, 11 fNull, 12-13 fRtsControl, 14 fAbortOnError.
    quint32 Flags = 0;

    bool operator==(const TWin32Line &) const = default;
};

TWin32Line ToWin32Line(const TLineSettings &settings);
TLineSettings FromWin32Line(const TWin32Line &line);

// PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR.
inline constexpr quint32 PurgeEverything = 0x0F;

// The name CreateFileA opens for a port: "COM10" and above only exist in the
// device namespace ("\\.\COM10"); COM1 to COM9 and other names go unchanged.
// The user and the settings file keep the plain name.
QString Win32CreateFileName(const QString &portName);

} // namespace varno::link
