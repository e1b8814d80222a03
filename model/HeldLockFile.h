#pragma once

#include <QLockFile>
#include <QString>

// A lock file this process knows it holds. Process ids are reused (under Wine
// at once, on Windows often), so a lock file that names this very process may
// be one an earlier programmer left when it crashed; Qt, seeing its owner
// "alive", never calls it stale. Every lock this process takes goes through
// here, so such a file is told apart from one of its own locks and taken over.
class THeldLockFile : public QLockFile
{
public:
    explicit THeldLockFile(const QString &fileName);
    ~THeldLockFile();
    THeldLockFile(const THeldLockFile &) = delete;
    THeldLockFile &operator=(const THeldLockFile &) = delete;

    // tryLock(0); where the file names this process and no lock of this process
    // holds it, the file is removed (only possible when nobody holds it open)
    // and taken.
    bool take();

private:
    void noteReleased();

    QString path_;
    bool noted_ = false;
};
