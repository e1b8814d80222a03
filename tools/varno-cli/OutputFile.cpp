#include "OutputFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <model/ExportTarget.h>
#include <model/PreviousVersion.h>
#include <model/ProjectLock.h>

namespace {

QString heldElsewhere(const QString &fileName, qint64 pid, const QString &host,
                      const QString &lockFile)
{
    const QString owner =
        pid > 0 ? QStringLiteral(" (process %1 on %2)").arg(pid).arg(host) : QString();
    return QStringLiteral("%1 is open in VARNO Programmer%2; close it there first (its lock "
                          "file is %3; remove that only when no VARNO Programmer has the file "
                          "open)")
        .arg(fileName, owner, lockFile);
}

QString heldElsewhere(const QString &fileName, const TProjectLock &lock)
{
    return heldElsewhere(fileName, lock.ownerPid(), lock.ownerHost(), lock.lockFilePath());
}

} // namespace

QString whyOutputCannotBeWritten(const QString &fileName, bool replace)
{
    const QFileInfo info(fileName);
    if (info.isDir())
        return QStringLiteral("%1 is a folder").arg(fileName);
    if (info.exists() && !replace)
        return QStringLiteral("%1 exists; add --force to replace it").arg(fileName);
    // A programmer that has the file open would write its own copy over ours
    // at its next save. Only a lock already there is looked at, so that
    // nothing is left beside other files.
    if (info.exists() && QFileInfo::exists(TProjectLock::lockPath(fileName))) {
        TProjectLock lock(fileName);
        if (lock.tryLock() == TProjectLock::State::HeldElsewhere)
            return heldElsewhere(fileName, lock);
    }
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("%1: the folder %2 does not exist").arg(fileName, folder.filePath());
    if (!folder.isDir())
        return QStringLiteral("%1: %2 is not a folder").arg(fileName, folder.filePath());
    // Every name the save writes must fit, not only the first one a probe tries:
    // the previous version and the temporary files are longer.
    QString tooLong;
    if (const QString why = varno::projectfile::WhySaveNamesDoNotFit(fileName, &tooLong);
        !why.isEmpty())
        return QStringLiteral("%1 cannot be written: %2").arg(tooLong, why);
    // The save writes a new file beside the old one and renames it into place:
    // try exactly that, and leave nothing behind.
    QSaveFile probe(fileName);
    if (!probe.open(QIODevice::WriteOnly))
        return QStringLiteral("%1 cannot be written: %2").arg(fileName, probe.errorString());
    probe.cancelWriting();
    return {};
}

QString whyExportCannotBeWritten(const QString &fileName, bool replace)
{
    if (const QString why = whyOutputCannotBeWritten(fileName, replace); !why.isEmpty())
        return why;
    const TExportTarget target = TExportTarget::check(fileName);
    if (target.refusal == TExportTarget::Refusal::ProjectFile)
        return QStringLiteral("%1 is a project file; an export never replaces a project")
            .arg(fileName);
    if (target.refusal == TExportTarget::Refusal::HeldElsewhere)
        return heldElsewhere(fileName, target.ownerPid, target.ownerHost, target.lockFile);
    return {};
}

QString writeHoldingLock(const QString &fileName, const std::function<void()> &write)
{
    TProjectLock lock(fileName);
    // Unavailable: a folder that takes no lock file, where the write says why
    // it fails, if it does.
    if (lock.tryLock() == TProjectLock::State::HeldElsewhere)
        return heldElsewhere(fileName, lock);
    write();
    return {};
}
