// The previous version kept on save, the lock beside an open project, and the
// recovery copies of unsaved changes.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <StaleLock.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <model/Errors.h>
#include <model/PreviousVersion.h>
#include <model/ProjectFile.h>
#include <model/ProjectLock.h>
#include <model/ProjectRecovery.h>
#include <optional>
#ifdef Q_OS_UNIX
#include <sys/file.h>
#endif

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TProject projectWith(const QString &name, int programs)
{
    TProject project;
    project.Group.Name = name;
    for (int i = 0; i < programs; ++i)
        project.Programs.Add();
    return project;
}

TEST(PreviousVersion, eachSaveKeepsTheVersionItReplaces)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("shop.prg");
    const QString backup = dir.filePath("shop.prg.bak");
    EXPECT_EQ(varno::projectfile::PreviousVersionPath(file), backup);

    varno::projectfile::KeepPreviousVersion(file); // nothing to keep before the first save
    SaveProject(file, projectWith("first", 1));
    EXPECT_FALSE(QFile::exists(backup));
    const QByteArray first = readFile(file);

    varno::projectfile::KeepPreviousVersion(file);
    SaveProject(file, projectWith("second", 2));
    EXPECT_EQ(readFile(backup), first);
    const QByteArray second = readFile(file);

    varno::projectfile::KeepPreviousVersion(file);
    SaveProject(file, projectWith("third", 3));
    EXPECT_EQ(readFile(backup), second); // replaced at each save
}

TEST(PreviousVersion, aBackupThatCannotBeWrittenIsAnError)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("shop.prg");
    SaveProject(file, projectWith("shop", 1));
    ASSERT_TRUE(QDir(dir.path()).mkdir("shop.prg.bak"));
    EXPECT_THROW(varno::projectfile::KeepPreviousVersion(file), TProjectFileError);
}

TEST(ProjectLock, aLiveOwnerIsReportedAndADeadOnesLockTakenOver)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("shop.prg");
    const QString lockPath = dir.filePath("shop.prg.lock");
    EXPECT_EQ(TProjectLock::lockPath(file), lockPath);

    {
        QLockFile other(lockPath); // another programmer, running: this process
        ASSERT_TRUE(other.tryLock(0));
        TProjectLock lock(file);
        EXPECT_EQ(lock.tryLock(), TProjectLock::State::HeldElsewhere);
        EXPECT_EQ(lock.ownerPid(), QCoreApplication::applicationPid());
    }

    // Left by a dead process, or by an earlier one that had this process's id.
    for (bool ourId : {false, true}) {
        SCOPED_TRACE(ourId ? "our id" : "a dead process");
        ASSERT_TRUE(ourId ? writeLockOfOurId(lockPath) : writeStaleLock(lockPath));
        {
            TProjectLock lock(file);
            EXPECT_EQ(lock.tryLock(), TProjectLock::State::Locked);
            TProjectLock second(file);
            EXPECT_EQ(second.tryLock(), TProjectLock::State::HeldElsewhere);
        }
        EXPECT_FALSE(QFile::exists(lockPath)); // released with its holder
    }
}

// The contents of the lock file a programmer on another machine writes (one
// with this process's id), for a lock without the file-system lock: two
// machines sharing a folder that takes no file-system locks.
QByteArray otherMachinesContents()
{
    QList<QByteArray> lines = thisProcessLockContents().split('\n');
    if (lines.size() < 3)
        return {};
    lines[2] = "another-machine";
    return lines.join('\n');
}

bool writeAged(const QString &path, const QByteArray &contents, int secondsOld)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return false;
    file.close();
    if (!file.open(QIODevice::ReadWrite))
        return false;
    return file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsOld),
                            QFileDevice::FileModificationTime);
}

// What a second programmer finds, by the name it opens, beside the file another
// one has (or had) open.
TEST(ProjectLock, whoHoldsAFileAndWhichLockFilesAreStale)
{
    enum class Left
    {
        LiveLockThroughTheLink, // a programmer opened the file by its symbolic link
        EmptyFile,              // a power cut while a lock was written
        EmptyFileHeldOpen,      // a running owner that has not written its name yet
        LiveOwnerWithoutFsLock, // another machine, on a share that takes no file-system locks
    };
    struct Case
    {
        const char *name;
        Left left;
        const char *opened; // the name the second programmer opens
        TProjectLock::State found;
        bool lockFileUnchanged; // what was left is still there, as it was
    };
    const Case cases[] = {
        {"the file by its own name, opened by its link", Left::LiveLockThroughTheLink,
         "real/shop.prg", TProjectLock::State::HeldElsewhere, true},
        {"the link, opened by the file's own name", Left::LiveLockThroughTheLink, "link.prg",
         TProjectLock::State::HeldElsewhere, true},
        {"an empty lock file", Left::EmptyFile, "real/shop.prg", TProjectLock::State::Locked,
         false},
        {"an empty lock file, by the link", Left::EmptyFile, "link.prg",
         TProjectLock::State::Locked, false},
        {"an empty lock file its owner holds", Left::EmptyFileHeldOpen, "real/shop.prg",
         TProjectLock::State::HeldElsewhere, true},
        {"another machine's lock without file-system lock, 60 s old", Left::LiveOwnerWithoutFsLock,
         "real/shop.prg", TProjectLock::State::HeldElsewhere, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
#ifndef Q_OS_UNIX
        // Symbolic links and flock() are the Unix ones.
        if (c.left == Left::LiveLockThroughTheLink || c.left == Left::EmptyFileHeldOpen ||
            QString(c.opened) == "link.prg")
            continue;
#endif
        QTemporaryDir dir;
        ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
        const QString real = dir.filePath("real/shop.prg");
        SaveProject(real, projectWith("shop", 1));
#ifdef Q_OS_UNIX
        ASSERT_TRUE(QFile::link(real, dir.filePath("link.prg")));
#endif
        const QString lockFile = dir.filePath("real/shop.prg.lock");

        std::optional<TProjectLock> first;
        QFile heldOpen(lockFile);
        switch (c.left) {
        case Left::LiveLockThroughTheLink:
            first.emplace(QString(c.opened) == "link.prg" ? real : dir.filePath("link.prg"));
            ASSERT_EQ(first->tryLock(), TProjectLock::State::Locked);
            break;
        case Left::EmptyFile:
            ASSERT_TRUE(writeAged(lockFile, {}, 60));
            break;
        case Left::EmptyFileHeldOpen:
            ASSERT_TRUE(writeAged(lockFile, {}, 60));
            ASSERT_TRUE(heldOpen.open(QIODevice::ReadWrite));
#ifdef Q_OS_UNIX
            ASSERT_EQ(flock(heldOpen.handle(), LOCK_EX | LOCK_NB), 0);
#endif
            break;
        case Left::LiveOwnerWithoutFsLock:
            ASSERT_TRUE(writeAged(lockFile, otherMachinesContents(), 60));
            break;
        }
        const QByteArray before = readFile(lockFile);
        const bool existedBefore = QFile::exists(lockFile);

        TProjectLock second(dir.filePath(c.opened));
        EXPECT_EQ(second.lockFilePath(), lockFile); // every name, the file's own lock
        EXPECT_EQ(second.tryLock(), c.found);
        if (c.lockFileUnchanged) {
            EXPECT_TRUE(existedBefore);
            EXPECT_EQ(readFile(lockFile), before);
        }
        if (c.left == Left::LiveOwnerWithoutFsLock) {
            EXPECT_EQ(second.ownerPid(), QCoreApplication::applicationPid());
        }
    }
}

TEST(ProjectRecovery, theCopyFollowsUnsavedChangesOnly)
{
    QTemporaryDir dir;
    TProjectRecovery recovery(dir.filePath("recovery"));
    ASSERT_TRUE(recovery.start());
    const TProject project = projectWith("shop", 2);

    EXPECT_FALSE(recovery.update(project, "/home/u/shop.prg", false));
    EXPECT_FALSE(QFile::exists(recovery.copyPath()));

    EXPECT_TRUE(recovery.update(project, "/home/u/shop.prg", true));
    EXPECT_EQ(LoadProject(recovery.copyPath()).Programs.count(), 2);
    EXPECT_FALSE(recovery.update(project, "/home/u/shop.prg", true)); // nothing new
    EXPECT_TRUE(recovery.update(project, "/home/u/other.prg", true));
    EXPECT_TRUE(recovery.update(projectWith("shop", 3), "/home/u/other.prg", true));
    EXPECT_EQ(LoadProject(recovery.copyPath()).Programs.count(), 3);

    recovery.discard();
    EXPECT_FALSE(QFile::exists(recovery.copyPath()));
    EXPECT_TRUE(recovery.update(projectWith("shop", 3), "/home/u/other.prg", true)); // again
}

// How a programmer with unsaved changes ended, and whether the next one offers them.
struct Ending
{
    const char *name;
    bool closedNormally;
    bool stillRunning;
    bool killedWithItsLock; // a stale lock file stays behind
    bool offered;
    bool emptyLock = false;   // a power cut left the lock file empty
    bool lockOfOurId = false; // it had the id this process has now
};

TEST(ProjectRecovery, onlyCopiesOfProgrammersThatDidNotCloseNormallyAreOffered)
{
    const Ending endings[] = {
        {"crashed", false, false, false, true},
        {"killed", false, false, true, true},
        {"closed normally", true, false, false, false},
        {"still running", false, true, false, false},
        {"power cut", false, false, false, true, true},
        {"crashed, its id now this process's", false, false, false, true, false, true},
    };
    for (const Ending &ending : endings) {
        SCOPED_TRACE(ending.name);
        QTemporaryDir dir;
        const QString folder = dir.filePath("recovery");
        auto first = std::make_unique<TProjectRecovery>(folder);
        ASSERT_TRUE(first->start());
        ASSERT_TRUE(first->update(projectWith("shop", 2), "/home/u/shop.prg", true));
        const QString copy = first->copyPath();
        if (ending.closedNormally)
            first->closeNormally();
        if (!ending.stillRunning)
            first.reset();
        if (ending.killedWithItsLock) {
            ASSERT_TRUE(writeStaleLock(QString(copy).replace(".prg", ".lock")));
        }
        if (ending.lockOfOurId) {
            ASSERT_TRUE(writeLockOfOurId(QString(copy).replace(".prg", ".lock")));
        }
        if (ending.emptyLock) {
            QFile empty(QString(copy).replace(".prg", ".lock"));
            ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
        }

        TProjectRecovery next(folder);
        ASSERT_TRUE(next.start());
        auto left = next.leftCopies();
        ASSERT_EQ(left.size(), ending.offered ? 1u : 0u);
        if (!ending.offered)
            continue;
        EXPECT_EQ(left[0].sourceFile, "/home/u/shop.prg");
        EXPECT_EQ(left[0].project.Group.Name, "shop");
        EXPECT_EQ(left[0].project.Programs.count(), 2);

        // While one programmer offers it, another starting does not.
        TProjectRecovery third(folder);
        ASSERT_TRUE(third.start());
        EXPECT_TRUE(third.leftCopies().empty());

        next.remove(left[0]);
        EXPECT_FALSE(QFile::exists(copy));
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2)
            << QDir(folder).entryList(QDir::Files | QDir::Hidden).join(", ").toStdString();
    }
}

// A programmer that crashed, leaving its copy of `project`.
QString crashedWith(const QString &folder, const TProject &project)
{
    TProjectRecovery crashed(folder);
    EXPECT_TRUE(crashed.start());
    EXPECT_TRUE(crashed.update(project, "/home/u/" + project.Group.Name + ".prg", true));
    return crashed.copyPath();
}

void setWritten(const QString &file, const QDateTime &when)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

// The copies a crash left come newest first, whatever their names; one that
// does not read is moved aside and reported once, never offered nor deleted.
TEST(ProjectRecovery, leftCopiesComeNewestFirstAndUnreadableOnesAreMovedAside)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("recovery");
    const QDateTime now = QDateTime::currentDateTime();
    const QString a = crashedWith(folder, projectWith("a", 1));
    const QString b = crashedWith(folder, projectWith("b", 2));
    // The newer one last in the folder's order, where a listing by name finds it.
    const QString newer = std::max(a, b);
    setWritten(std::min(a, b), now.addSecs(-3600));
    setWritten(newer, now.addSecs(-60));
    const QString newerName = newer == a ? "a" : "b";
    const QString olderName = newer == a ? "b" : "a";
    const QString cut = crashedWith(folder, projectWith("cut", 3));
    const QByteArray broken = readFile(cut);
    {
        QFile file(cut);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(broken.size() / 2)); // cut short, as by a full disk
    }

    TProjectRecovery next(folder);
    ASSERT_TRUE(next.start());
    std::vector<TProjectRecovery::UnreadableCopy> unreadable;
    const auto left = next.leftCopies(&unreadable);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].project.Group.Name, newerName);
    EXPECT_EQ(left[1].project.Group.Name, olderName);
    EXPECT_GT(left[0].written, left[1].written);

    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(unreadable[0].file, cut);
    EXPECT_TRUE(unreadable[0].error.startsWith(QDir::toNativeSeparators(cut) + ":"))
        << unreadable[0].error;
    EXPECT_TRUE(unreadable[0].error.contains("found the end of the file")) << unreadable[0].error;
    const QString aside = QDir(folder).filePath("unreadable/" + QFileInfo(cut).fileName());
    EXPECT_EQ(unreadable[0].movedTo, aside);
    EXPECT_EQ(readFile(aside), broken.left(broken.size() / 2));
    EXPECT_TRUE(QFile::exists(QString(aside).replace(".prg", ".source")));
    EXPECT_FALSE(QFile::exists(cut));

    // Met once: the next programmer neither offers nor reports it again.
    TProjectRecovery later(folder);
    ASSERT_TRUE(later.start());
    unreadable.clear();
    EXPECT_TRUE(later.leftCopies(&unreadable).empty()); // the others are held by `next`
    EXPECT_TRUE(unreadable.empty());
}

} // namespace
