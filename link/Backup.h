#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <link/PlayerImage.h>

class TProject;

// Copies of what a player held, taken before it is overwritten, in one
// folder: the raw image as read (NAME.img, see BackupImage.h), which a restore
// writes back, and beside it the same programs as a project file (NAME.prg)
// for people to open. Named from the date and time and the player's project
// name; the most recently written ones are kept.
namespace varno::backup {

inline constexpr int KeptBackups = 30;

// The backups folder of the user's data (model/AppIdentity.h).
QString DefaultDirectory();

// "2026-12-08_14-55-03_Name.prg"; characters unfit for a file name become '_'.
QString FileName(const QDateTime &when, const QString &projectName);

// The programs and the name a player image holds, as a receive decodes them.
// `resetSchedules` gets the numbers of programs whose stored date or time did
// not exist (they take the placeholder's).
TProject ProjectFromImage(const transfer::TPlayerImage &image, QList<int> &resetSchedules);

// Saves the image and its project file into the folder (made when missing),
// both through the atomic save, under a name no other backup has (a clock that
// went back included), then keeps only the `kept` most recently written
// backups, never the one just saved. Returns the path of the project file,
// which exists; or nothing with `error` set, and no file of this backup left.
QString Save(const QString &directory, const transfer::TPlayerImage &image, const QDateTime &when,
             QString &error, QList<int> *resetSchedules = nullptr, int kept = KeptBackups);

// Removes all but the `kept` most recently written backups of the folder
// (project file and raw image together), by the time each was written, not by
// its name; `keep` (a path) is never removed. Other files stay.
void Prune(const QString &directory, int kept = KeptBackups, const QString &keep = {});

} // namespace varno::backup
