#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <map>
#include <memory>
#include <model/Project.h>
#include <vector>

class THeldLockFile;

// Recovery copies of projects with unsaved changes, so that a crash, a kill or a
// power cut loses at most the last few seconds of work. They live in one folder
// of the user's data (defaultFolder()), never beside the user's own file.
//
// Each running programmer is a session with a random id:
//   ID.lock    held while the programmer runs, from its first copy on (a
//              QLockFile: a dead owner is seen)
//   ID.prg     the copy, a project file written through SaveProject
//   ID.source  the path of the user's file in UTF-8, empty for a project never saved
// The copy exists only while the project has unsaved changes: it goes when they
// are saved or dropped, and a normal close is a close after which they are one
// or the other. So a copy whose session lock nobody running holds was left by a
// programmer that did not close normally, and is offered at the next start.
class TProjectRecovery
{
public:
    // A copy another programmer left.
    struct LeftCopy
    {
        QString id;
        QString sourceFile; // the user's file the project came from, or empty
        QDateTime written;  // when the copy was last written
        TProject project;
    };

    // A copy another programmer left that does not read as a project (cut
    // short, damaged): moved aside, so that it is neither offered nor deleted,
    // and reported once.
    struct UnreadableCopy
    {
        QString file;    // where it was
        QString error;   // why it does not read, with its file name
        QString movedTo; // where it is now; empty when it could not be moved
    };

    // The recovery folder of the user's data (model/AppIdentity.h).
    static QString defaultFolder();

    explicit TProjectRecovery(const QString &folder);
    // Releases the session's lock and keeps its copy: only closeNormally() drops it.
    ~TProjectRecovery();
    TProjectRecovery(const TProjectRecovery &) = delete;
    TProjectRecovery &operator=(const TProjectRecovery &) = delete;

    // Creates the folder and takes the session's lock; false (with *error) when the
    // folder cannot be used. update() tries again while it is not started.
    bool start(QString *error = nullptr);

    // This session's copy.
    QString copyPath() const;

    // Writes the copy when the project has unsaved changes that differ from the
    // copy already written; true when it wrote. Throws TVarnoError when it cannot
    // (the folder cannot be used, the disk is full, ...): the next call tries again.
    bool update(const TProject &project, const QString &sourceFile, bool changed);

    // Removes this session's copy: the changes were saved or dropped.
    void discard();
    // The user closed the programmer: no copy to offer, lock released.
    void closeNormally();

    // The copies of programmers that are no longer running and that read as
    // projects, newest first. Their locks are held from now on, so that another
    // programmer starting at the same moment does not offer them too. A lock
    // that names no owner (a power cut left it empty) and that no process holds
    // is no one's. The copies that do not read are moved to the folder
    // "unreadable" and listed in *unreadable.
    std::vector<LeftCopy> leftCopies(std::vector<UnreadableCopy> *unreadable = nullptr);
    // Deletes a left copy, once it is recovered or refused.
    void remove(const LeftCopy &copy);

private:
    QString path(const QString &id, const char *suffix) const;
    void removeFiles(const QString &id) const;
    UnreadableCopy moveAside(const QString &id, const QString &error) const;

    QString folder_;
    QString id_;
    std::unique_ptr<THeldLockFile> lock_;
    QByteArray written_; // what the copy holds, empty when there is none
    bool closed_ = false;
    std::map<QString, std::unique_ptr<THeldLockFile>> leftLocks_;
};
