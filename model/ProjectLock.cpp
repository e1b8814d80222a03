#include <model/ProjectLock.h>

QString TProjectLock::lockPath(const QString &fileName)
{
    return fileName + QStringLiteral(".lock");
}

TProjectLock::TProjectLock(const QString &fileName) : fileName_(fileName), lock_(lockPath(fileName))
{
    // A project stays open for hours: only a dead owner makes a lock stale, never
    // its age (which Qt would go by where the file system cannot lock files).
    lock_.setStaleLockTime(0);
}

TProjectLock::State TProjectLock::tryLock()
{
    if (lock_.tryLock(0))
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
