#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <link/LinkResult.h>

class TComLink;
class TProject;
class TTransferObserver;

// Copies of what a player held, taken before it is overwritten: ordinary
// project files in one folder, named from the date and time and the player's
// project name, the most recent ones kept.
namespace varno::backup {

inline constexpr int KeptBackups = 30;

// <application data>/backups.
QString DefaultDirectory();

// "2026-12-08_14-55-03_Name.prg"; characters unfit for a file name become '_'.
QString FileName(const QDateTime &when, const QString &projectName);

// Saves the project into the folder (made when missing) through the atomic
// save, under a name no other backup has, then keeps only the `kept` most
// recent backups. Returns the file's path, or nothing with `error` set.
QString Save(const QString &directory, const TProject &project, const QDateTime &when,
             QString &error, int kept = KeptBackups);

// Removes all but the `kept` most recent backups of the folder; other files
// stay.
void Prune(const QString &directory, int kept = KeptBackups);

} // namespace varno::backup

namespace varno::transfer {

// What a receive brings back, with the player's project name: the port opened
// twice, as for a receive. `resetSchedules` gets the numbers of programs whose
// stored date did not exist.
TLinkResult ReceiveProject(TComLink &link, const QString &portName, TProject &project,
                           QList<int> &resetSchedules, TTransferObserver &observer);

} // namespace varno::transfer
