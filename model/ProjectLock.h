#pragma once

#include <QString>
#include <model/HeldLockFile.h>

// The lock a running programmer keeps beside the project file it has open
// (NAME.prg.lock), so that a second programmer opening the same file can say so
// before two people write over each other's work.
class TProjectLock
{
public:
    enum class State
    {
        Locked,        // this programmer holds the lock (a dead owner's lock is taken over)
        HeldElsewhere, // another running programmer has the file open
        Unavailable,   // the lock cannot be written (read-only folder): nothing is known
    };

    // The lock beside the file the name leads to, symbolic links followed, so
    // that every name of one file meets the same lock.
    static QString lockPath(const QString &fileName);

    explicit TProjectLock(const QString &fileName);

    // Tries once, without waiting. The lock stays held until this object goes.
    State tryLock();

    const QString &fileName() const { return fileName_; }
    const QString &lockFilePath() const { return lockFilePath_; }
    // The owner of a lock held elsewhere: its process id and machine name; 0
    // and empty when the lock file does not say.
    qint64 ownerPid() const;
    QString ownerHost() const;

private:
    QString fileName_;
    QString lockFilePath_;
    THeldLockFile lock_;
};
