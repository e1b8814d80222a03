#pragma once

#include <QString>
#include <link/PortList.h>
#include <optional>

namespace varno::link {

// A transfer slower than this per program waits on the line rather than on the
// bytes (about 5 ms a program at 57600 baud): a USB adapter holding every answer.
inline constexpr double SlowMsPerProgram = 15.0;

// What the user learns about a slow line, in the terms of the platform; empty
// when there is nothing to say. Linux shows the adapter's latency timer
// (timerMs, read for the device ttyName), which speaks before any transfer;
// other platforms do not, so there the measured time a program speaks
// (msPerProgram, once some programs went through).
QString SlowLineHint(TPortPlatform platform, const QString &port, std::optional<int> timerMs,
                     const QString &ttyName, std::optional<double> msPerProgram);

} // namespace varno::link
