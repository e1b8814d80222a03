#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSysInfo>
#include <model/HeldLockFile.h>

namespace {

QMutex heldMutex;
// The lock files this process holds, by absolute path, with how many locks.
QHash<QString, int> &held()
{
    static QHash<QString, int> files;
    return files;
}

} // namespace

THeldLockFile::THeldLockFile(const QString &fileName)
    : QLockFile(fileName), path_(QFileInfo(fileName).absoluteFilePath())
{
}

THeldLockFile::~THeldLockFile()
{
    noteReleased(); // QLockFile's own destructor unlocks next
}

bool THeldLockFile::take()
{
    const QMutexLocker locker(&heldMutex);
    if (!tryLock(0)) {
        qint64 pid = 0;
        QString host, application;
        if (error() != LockFailedError || !getLockInfo(&pid, &host, &application) ||
            pid != QCoreApplication::applicationPid() || host != QSysInfo::machineHostName() ||
            held().contains(path_) || !removeStaleLockFile() || !tryLock(0))
            return false;
    }
    if (!noted_) {
        noted_ = true;
        ++held()[path_];
    }
    return true;
}

void THeldLockFile::noteReleased()
{
    const QMutexLocker locker(&heldMutex);
    if (noted_ && --held()[path_] <= 0)
        held().remove(path_);
    noted_ = false;
}
