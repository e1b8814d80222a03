#pragma once

#include <QString>

namespace varno {

// True when Windows reserves the file name for a device, whatever its
// extension and case: CON, PRN, AUX, NUL, COM0 to COM9 and LPT0 to LPT9 (also
// with a superscript 1, 2 or 3), trailing spaces and dots ignored. Such a file
// cannot be created there, and a folder made elsewhere would not copy over.
bool IsReservedDeviceName(const QString &fileName);

// fileName, or where it is reserved its base name followed by suffix and the
// extension: "COM3.prg" with "-player" gives "COM3-player.prg".
QString NotReservedFileName(const QString &fileName, const QString &suffix);

} // namespace varno
