#pragma once

#include <QString>

// The names the programmer runs under, and the folders of the user's data
// that derive from them. varno-cli runs under the same names, so that both
// find the same folders: a backup made by a transmit from either is opened
// from the programmer's "Open backup...".
namespace varno::identity {

inline constexpr char Organization[] = "VARNO";
inline constexpr char Application[] = "VARNO Programmer";

inline constexpr char BackupsFolder[] = "backups";
inline constexpr char RecoveryFolder[] = "recovery";

// Names the running program with the organisation and application names above.
void UseProgrammerNames();

// <the application's data folder>/<folder>.
QString DataFolder(const char *folder);

} // namespace varno::identity
