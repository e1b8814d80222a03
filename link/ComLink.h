#pragma once

#include <QString>
#include <QTimer>
#include <chrono>
#include <link/LinkResult.h>
#include <link/SerialDevice.h>
#include <link/Trame.h>
#include <memory>

namespace varno::link {

// Line settings and time-outs every open applies: 57600 baud, 8 data bits, no
// parity, 1 stop bit, no flow control, DTR and RTS not asserted; a one-byte
// read returns within 60 ms, a one-byte write is bounded by 70 ms.
TLineSettings PlayerLineSettings();
TTimeouts PlayerTimeouts();

inline constexpr quint8 Acknowledge = 0x01;
inline constexpr quint8 CommandWriteEepromByte = 0x08;
inline constexpr quint8 CommandReadEepromByte = 0x09;
inline constexpr quint8 CommandWriteBlock = 0x0A;
inline constexpr quint8 CommandReadBlock = 0x0B;
inline constexpr quint8 CommandFinalize = 0x0C;

inline constexpr std::chrono::milliseconds DefaultWatchdogInterval{10000};

} // namespace varno::link

// The serial link to the player: one port, and the five exchanges the player
// understands, each paced by its acknowledgement byte 0x01. Every operation
// stops at its first failing step and returns that step's code; nothing is
// retried and nothing throws.
//
// Every wait for an acknowledgement is bounded by the watchdog, a one-shot
// timer, and processes the application's pending events between single-byte
// reads (the watchdog's own expiry is one of them), so a window stays painted
// while the player works. Use the link from a thread with an event dispatcher
// (the GUI thread); it is not re-entrant.
class TComLink
{
public:
    // The platform's serial port.
    TComLink();
    explicit TComLink(
        std::unique_ptr<varno::link::TSerialDevice> device,
        std::chrono::milliseconds watchdogInterval = varno::link::DefaultWatchdogInterval);
    ~TComLink();
    TComLink(const TComLink &) = delete;
    TComLink &operator=(const TComLink &) = delete;

    // Opens the port exclusively (see PortDeviceName for the device a name
    // stands for), applies the line settings and time-outs and purges it.
    // Returns Ok, PurgeError, OpenError, ParametersError, SettingError or
    // TimeoutsError. A port this link already holds open, or one in use
    // elsewhere, gives OpenError; after a failure nothing stays open.
    TLinkResult OpenComPort(const QString &portName);
    // Returns Ok, or CloseError when the platform reports failure. Closing a
    // link that holds no open port succeeds.
    TLinkResult CloseComPort();
    // Returns Ok, or PurgeError.
    TLinkResult PurgeComPort();

    // Write program block: → 0x0A ← 0x01, → the block's bytes ← 0x01.
    // Returns Ok, PurgeError, WriteError, ReadError or PlayerNotReady.
    TLinkResult WriteBlock(const TTrameList &block);
    // Read program block: → 0x0B ← 0x01, → slot ← 0x01, ← 24 bytes, ← 0x01.
    // The block is made 24 frames long and filled. A data byte that does not
    // arrive within its time-out gives ReadError: the block would be
    // incomplete. A missing or wrong trailing acknowledgement is not an error.
    // Returns Ok, PurgeError, WriteError, ReadError or PlayerNotReady.
    TLinkResult ReadBlock(quint8 slot, TTrameList &block);
    // Write EEPROM byte: → 0x08 ← 0x01, → a1 a2 value ← 0x01. Returns Ok,
    // PurgeError, WriteError, ReadError or PlayerNotReady.
    TLinkResult WriteEepromByte(quint8 address1, quint8 address2, quint8 value);
    // Read EEPROM byte: → 0x09 ← 0x01, → a1 a2, ← value, ← 0x01. The value is 0
    // until the value byte has been read; as for a block, a value byte that does
    // not arrive within its time-out gives ReadError. Returns Ok, PurgeError,
    // WriteError, ReadError or PlayerNotReady.
    TLinkResult ReadEepromByte(quint8 address1, quint8 address2, quint8 &value);
    // Finalize: → 0x0C ← 0x01 ← 0x01, each acknowledgement with its own watchdog
    // period; no purge. Returns Ok, WriteError, ReadError or PlayerNotReady.
    TLinkResult SendFinalize();

    bool isOpen() const;
    // The platform's words for the last failure of the port, for instance which
    // group grants access to a device that could not be opened.
    QString lastErrorReason() const { return reason_; }

    std::chrono::milliseconds watchdogInterval() const;
    void setWatchdogInterval(std::chrono::milliseconds interval);

private:
    TLinkResult SendCommand(quint8 command);
    TLinkResult WaitAcknowledge();
    TLinkResult ReadTrailingAcknowledge();
    TLinkResult WriteBytes(std::initializer_list<quint8> bytes);
    void StartWatchdog();
    TLinkResult failed(TLinkResult result);

    std::unique_ptr<varno::link::TSerialDevice> device_;
    QTimer watchdog_;
    QString reason_;
};
