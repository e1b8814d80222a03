#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <model/ProjectLock.h>

namespace {

// A lock file younger than this may be one a programmer has just created and
// not yet written its owner into.
constexpr qint64 kBeingWrittenMs = 2000;

QString canonicalProjectPath(const QString &fileName)
{
    const QFileInfo file(fileName);
    const QString canonical = file.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // A file not written yet: the folder it will be in, links followed.
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? file.absoluteFilePath() : QDir(folder).filePath(file.fileName());
}

} // namespace

QString TProjectLock::lockPath(const QString &fileName)
{
    return canonicalProjectPath(fileName) + QStringLiteral(".lock");
}

TProjectLock::TProjectLock(const QString &fileName)
    : fileName_(fileName), lockFilePath_(lockPath(fileName)), lock_(lockFilePath_)
{
    // A project stays open for hours: only a dead owner makes a lock stale, never
    // its age (which Qt would go by where the file system cannot lock files).
    lock_.setStaleLockTime(0);
}

TProjectLock::State TProjectLock::tryLock()
{
    if (lock_.take())
        return State::Locked;
    if (lock_.error() != QLockFile::LockFailedError)
        return State::Unavailable;
    // A lock file that names no owner (a power cut while it was written leaves
    // it empty) is stale once no running process holds it: removing it fails
    // while its owner keeps it open.
    qint64 pid = 0;
    QString host, application;
    if (lock_.getLockInfo(&pid, &host, &application))
        return State::HeldElsewhere;
    const QDateTime written = QFileInfo(lockFilePath_).lastModified();
    if (written.isValid() && qAbs(written.msecsTo(QDateTime::currentDateTime())) < kBeingWrittenMs)
        return State::HeldElsewhere;
    if (!lock_.removeStaleLockFile())
        return State::HeldElsewhere;
    if (lock_.take())
        return State::Locked;
    return lock_.error() == QLockFile::LockFailedError ? State::HeldElsewhere : State::Unavailable;
}

qint64 TProjectLock::ownerPid() const
{
    qint64 pid = 0;
    QString host, application;
    return lock_.getLockInfo(&pid, &host, &application) ? pid : 0;
}

QString TProjectLock::ownerHost() const
{
    qint64 pid = 0;
    QString host, application;
    return lock_.getLockInfo(&pid, &host, &application) ? host : QString();
}
