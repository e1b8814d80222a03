#include <QFile>
#include <QFileInfo>
#include <model/ExportTarget.h>
#include <model/ProjectFile.h>
#include <model/ProjectLock.h>

namespace varno::projectfile {

bool IsProjectFile(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header(varno::projectfile::Header);
    QByteArray first = file.readLine(header.size() + 3);
    while (first.endsWith('\n') || first.endsWith('\r'))
        first.chop(1);
    return first == header;
}

} // namespace varno::projectfile

TExportTarget TExportTarget::check(const QString &fileName)
{
    TExportTarget target;
    if (varno::projectfile::IsProjectFile(fileName)) {
        target.refusal = Refusal::ProjectFile;
        return target;
    }
    // Only a lock already there is looked at, so that nothing is left beside
    // the export.
    if (!QFileInfo::exists(TProjectLock::lockPath(fileName)))
        return target;
    TProjectLock lock(fileName);
    if (lock.tryLock() != TProjectLock::State::HeldElsewhere)
        return target;
    target.refusal = Refusal::HeldElsewhere;
    target.ownerPid = lock.ownerPid();
    target.ownerHost = lock.ownerHost();
    target.lockFile = lock.lockFilePath();
    return target;
}
