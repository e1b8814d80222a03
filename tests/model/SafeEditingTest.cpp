// The previous version kept on save, the lock beside an open project, and the
// recovery copies of unsaved changes.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <StaleLock.h>
#include <gtest/gtest.h>
#include <model/Errors.h>
#include <model/PreviousVersion.h>
#include <model/ProjectFile.h>
#include <model/ProjectLock.h>
#include <model/ProjectRecovery.h>

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
    EXPECT_EQ(PreviousVersionPath(file), backup);

    KeepPreviousVersion(file); // nothing to keep before the first save
    SaveProject(file, projectWith("first", 1));
    EXPECT_FALSE(QFile::exists(backup));
    const QByteArray first = readFile(file);

    KeepPreviousVersion(file);
    SaveProject(file, projectWith("second", 2));
    EXPECT_EQ(readFile(backup), first);
    const QByteArray second = readFile(file);

    KeepPreviousVersion(file);
    SaveProject(file, projectWith("third", 3));
    EXPECT_EQ(readFile(backup), second); // replaced at each save
}

TEST(PreviousVersion, aBackupThatCannotBeWrittenIsAnError)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("shop.prg");
    SaveProject(file, projectWith("shop", 1));
    ASSERT_TRUE(QDir(dir.path()).mkdir("shop.prg.bak"));
    EXPECT_THROW(KeepPreviousVersion(file), TProjectFileError);
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

    ASSERT_TRUE(writeStaleLock(lockPath));
    {
        TProjectLock lock(file);
        EXPECT_EQ(lock.tryLock(), TProjectLock::State::Locked);
        TProjectLock second(file);
        EXPECT_EQ(second.tryLock(), TProjectLock::State::HeldElsewhere);
    }
    EXPECT_FALSE(QFile::exists(lockPath)); // released with its holder
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
};

TEST(ProjectRecovery, onlyCopiesOfProgrammersThatDidNotCloseNormallyAreOffered)
{
    const Ending endings[] = {
        {"crashed", false, false, false, true},
        {"killed", false, false, true, true},
        {"closed normally", true, false, false, false},
        {"still running", false, true, false, false},
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

} // namespace
