#include "OutputFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <model/PreviousVersion.h>
#include <model/ProjectLock.h>

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
            return QStringLiteral("%1 is open in VARNO Programmer (process %2 on %3); close it "
                                  "there first")
                .arg(fileName)
                .arg(lock.ownerPid())
                .arg(lock.ownerHost());
    }
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("%1: the folder %2 does not exist").arg(fileName, folder.filePath());
    if (!folder.isDir())
        return QStringLiteral("%1: %2 is not a folder").arg(fileName, folder.filePath());
    // Every name the save writes must fit, not only the first one a probe tries:
    // the previous version and the temporary files are longer.
    QString tooLong;
    if (const QString why = whySaveNamesDoNotFit(fileName, &tooLong); !why.isEmpty())
        return QStringLiteral("%1 cannot be written: %2").arg(tooLong, why);
    // The save writes a new file beside the old one and renames it into place:
    // try exactly that, and leave nothing behind.
    QSaveFile probe(fileName);
    if (!probe.open(QIODevice::WriteOnly))
        return QStringLiteral("%1 cannot be written: %2").arg(fileName, probe.errorString());
    probe.cancelWriting();
    return {};
}
