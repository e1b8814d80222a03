#pragma once

#include <QString>

// True when the programmer in executableDir is an installed copy (cmake --install
// into any prefix, or the Debian package): installing puts the desktop entry in
// the data folder beside the programs' folder (bin/../share/applications), and a
// build folder or an unpacked copy has none.
bool isInstalledCopy(const QString &executableDir);
