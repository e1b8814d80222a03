#pragma once

#include <QtGlobal>

// The result of every serial-link operation. The value is the index of the
// message shown to the user, so the numbers are fixed.
enum class TLinkResult : quint8
{
    Ok = 0,
    PurgeError = 1,        // purging the port failed (end of opening, start of an exchange)
    WriteError = 2,        // a write to the port failed
    ReadError = 3,         // a read from the port failed
    OpenError = 4,         // the port could not be opened (missing, in use, no permission)
    ParametersError = 5,   // the port's current line settings could not be read
    SettingError = 6,      // the line settings could not be applied
    TimeoutsError = 7,     // the time-outs could not be applied
    CloseError = 8,        // closing the port failed
    PlayerNotReady = 9,    // the watchdog expired while waiting for an acknowledgement
    EepromWriteError = 10, // a byte of the project name could not be written (transfers)
    EepromReadError = 11,  // a byte of the project name could not be read (transfers)
    Cancelled = 12,        // the user stopped the transfer between two exchanges
};

namespace varno::link {

constexpr quint8 LinkResultCode(TLinkResult result)
{
    return quint8(result);
}

} // namespace varno::link
