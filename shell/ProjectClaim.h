#pragma once

#include <memory>
#include <model/ProjectLock.h>
#include <text/Language.h>

// What opening or saving a project file found about other running programmers,
// and what the user chose: the lock to keep (none when the folder cannot hold
// one or another programmer holds it), whether the project may write the file.
struct TProjectClaim
{
    bool cancelled = false;     // the user chose not to open the file
    bool readOnly = false;      // Save goes through Save As: the file is never written
    bool heldElsewhere = false; // another running programmer holds the file
    std::unique_ptr<TProjectLock> lock;
    // The other programmer, when one holds the file: its process and machine
    // (0 and empty when its lock does not say), and its lock file.
    qint64 ownerPid = 0;
    QString ownerHost;
    QString lockFile;
};

// True when both names lead to the same file.
bool SameProjectFile(const QString &a, const QString &b);

// What is said of a file another running programmer holds: the question before
// opening it anyway, or why it is not replaced. Both name the lock file.
enum class TLockMessage
{
    OpenAnyway,
    NotReplaced,
};
QString LockHeldMessage(TLockMessage kind, const QString &fileName, qint64 ownerPid,
                        const QString &ownerHost, const QString &lockFile, text::Language language);
