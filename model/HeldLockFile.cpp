#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSysInfo>
#include <QTemporaryDir>
#include <model/HeldLockFile.h>

namespace {

QMutex heldMutex;
// The lock files this process holds, by absolute path, with how many locks.
QHash<QString, int> &held()
{
    static QHash<QString, int> files;
    return files;
}

// The machine's name as Qt writes it into lock files, which is not always
// QSysInfo's (on Windows it is COMPUTERNAME): asked of a lock once.
QString lockHostName()
{
    static const QString name = [] {
        QTemporaryDir dir;
        QLockFile probe(dir.filePath(QStringLiteral("probe.lock")));
        qint64 pid = 0;
        QString host, application;
        return probe.tryLock(0) && probe.getLockInfo(&pid, &host, &application)
                   ? host
                   : QSysInfo::machineHostName();
    }();
    return name;
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
            pid != QCoreApplication::applicationPid() || host != lockHostName() ||
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
