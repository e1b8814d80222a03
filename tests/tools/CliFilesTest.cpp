// The companion's file writes and port names against the player emulator, run
// as a user runs them: a receive that cannot write its file says so and keeps the
// previous one.

#include "PlayerProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <SmallFileSystem.h>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <model/ProjectFile.h>
#include <model/ProjectLock.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

class CliFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        player.start();
        port = player.port;
    }

    // varno-cli with extra environment variables, in folder (the test's own
    // folder when empty).
    CliRun cli(const QStringList &args, const QStringList &environment = {},
               const QString &folder = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &pair : environment)
            env.insert(pair.section('=', 0, 0), pair.section('=', 1));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(folder.isEmpty() ? dir.path() : folder);
        process.start(QStringLiteral(VARNO_CLI_PATH), args);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    TPlayerProcess player;
    QString port;
};

TEST_F(CliFiles, receiveThatCannotWriteAtAnyStepFailsAndKeepsThePreviousFile)
{
    const QString file = dir.filePath("kept.prg");
    SaveProject(file, TProject());
    const QByteArray before = read(file);
    for (int step = 1; step <= 3; ++step) {
        const CliRun run = cli({"receive", "--port", port, "--output", file, "--force"},
                               {QStringLiteral("VARNO_FAIL_NTH_WRITE=%1").arg(step)});
        EXPECT_EQ(run.exitCode, 1) << step << run.out << run.err;
        EXPECT_TRUE(run.err.contains("cannot be written: No space left on device"))
            << step << run.err;
        EXPECT_FALSE(run.out.contains("Received")) << step << run.out;
        EXPECT_EQ(read(file), before) << step;
    }
}

TEST_F(CliFiles, receiveOnAFullFileSystemFailsAndKeepsThePreviousFile)
{
    SmallFileSystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << "no small file system can be mounted here";
    const QString file = disk.filePath("kept.prg");
    SaveProject(file, TProject());
    const QByteArray before = read(file);
    disk.fill();
    const CliRun run = cli({"receive", "--port", port, "--output", file, "--force"});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_TRUE(run.err.contains("No space left on device")) << run.err;
    EXPECT_EQ(read(file), before);
}

// What would exhaust the machine, or a name the file system cannot take, is
// refused at once with the reason, before anything is read from the player,
// and nothing is written.
TEST_F(CliFiles, importAndReceiveRefuseUnreadableInputsAndUnwritableNamesAtOnce)
{
    const QString fifo = dir.filePath("pipe.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A writer that goes away after a while, so that a reader waiting on the
    // pipe fails the test instead of hanging it.
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    std::thread closer([writer] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ::close(writer);
    });
    QFile huge(dir.filePath("huge.csv"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(16 * 1024 * 1024 + 1)); // sparse: no disk used
    huge.close();
    const QString output = dir.filePath("out.prg");
    const QString longName = dir.filePath(QString(246, 'n') + ".prg");

    const struct
    {
        QStringList args;
        QString error;
    } cases[] = {
        {{"import", "/dev/zero", "--output", output},
         "/dev/zero: cannot be opened: it is a device or a pipe, not a file"},
        {{"import", fifo, "--output", output},
         fifo + ": cannot be opened: it is a device or a pipe, not a file"},
        {{"import", dir.path(), "--output", output},
         dir.path() + ": cannot be opened: it is a folder, not a file"},
        {{"import", huge.fileName(), "--output", output},
         huge.fileName() + ": is too large: 16777217 bytes, where the limit is 16 MB"},
        {{"receive", "--port", port, "--output", longName},
         longName + " cannot be written: File name too long"},
    };
    for (const auto &c : cases) {
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.args.join(' ').toStdString();
        EXPECT_EQ(QString::fromUtf8(run.err), "varno-cli: " + c.error + "\n");
        EXPECT_TRUE(run.out.isEmpty()) << run.out;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System),
              (QStringList{"huge.csv", "pipe.csv"}));
    closer.join();
}

// A relative port name that the current folder holds is that file; one that
// it does not hold is reported as the user wrote it.
TEST_F(CliFiles, relativePortNames)
{
    ASSERT_TRUE(QFile::link(port, dir.filePath("player")));
    const CliRun here = cli({"receive", "--port", "player", "--output", "p.prg"});
    EXPECT_EQ(here.exitCode, 0) << here.err;
    EXPECT_TRUE(QFile::exists(dir.filePath("p.prg")));

    const CliRun missing = cli({"receive", "--port", "nothere", "--output", "q.prg"});
    EXPECT_EQ(missing.exitCode, 3) << missing.err;
    EXPECT_TRUE(missing.err.contains("nothere does not exist")) << missing.err;
    EXPECT_FALSE(missing.err.contains("/dev/")) << missing.err;
}

// Whatever name the command is given, a file a running programmer holds (this
// test takes its lock, by another name) is not written, even with --force, and
// the refusal names the lock file. An export replaces no project file at all.
TEST_F(CliFiles, aFileARunningProgrammerHoldsIsNeverWritten)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
    const QString shop = dir.filePath("real/shop.prg");
    const QString link = dir.filePath("link.prg");
    const QString source = dir.filePath("source.prg");
    TProject project;
    project.Programs.Add();
    SaveProject(source, project);
    ASSERT_EQ(cli({"export", source, "--output", dir.filePath("source.csv")}).exitCode, 0);

    struct Case
    {
        const char *name;
        QString heldAs; // the name the programmer opened; empty: none has it open
        QStringList args;
        const char *reason;
    };
    const Case cases[] = {
        {"receive onto the file opened by its link",
         link,
         {"receive", "--port", port, "--output", shop, "--force"},
         "is open in VARNO Programmer"},
        {"import onto the link of the file opened",
         shop,
         {"import", dir.filePath("source.csv"), "--output", link, "--force"},
         "is open in VARNO Programmer"},
        {"export onto the file opened by its link",
         link,
         {"export", source, "--output", shop, "--force"},
         "is open in VARNO Programmer"},
        {"report onto the file opened by its link",
         link,
         {"report", source, "--output", shop, "--force"},
         "is open in VARNO Programmer"},
        {"export onto a project nobody has open",
         {},
         {"export", source, "--output", shop, "--force"},
         "is a project file"},
        {"report onto a project nobody has open",
         {},
         {"report", source, "--output", link, "--force"},
         "is a project file"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(link);
        SaveProject(shop, TProject());
        ASSERT_TRUE(QFile::link(shop, link));
        const QByteArray before = read(shop);
        std::optional<TProjectLock> programmer;
        if (!c.heldAs.isEmpty()) {
            programmer.emplace(c.heldAs);
            ASSERT_EQ(programmer->tryLock(), TProjectLock::State::Locked);
        }
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
        EXPECT_TRUE(run.err.contains(c.reason)) << run.err;
        if (programmer) {
            EXPECT_TRUE(run.err.contains(shop.toUtf8() + ".lock")) << run.err;
        }
        EXPECT_EQ(read(shop), before);
        EXPECT_FALSE(QFile::exists(shop + ".bak"));
    }
}

// A programmer that opens the file while the player is read: the receive does
// not write under it, and says so.
TEST_F(CliFiles, aReceiveHoldsTheFilesLockWhileItWrites)
{
    TPlayerProcess slow({"--latency", "4"}); // some seconds for the whole receive
    const QString file = dir.filePath("shop.prg");
    SaveProject(file, TProject());
    const QByteArray before = read(file);
    QProcess receive;
    receive.setReadChannel(QProcess::StandardError); // where the phases are told
    receive.start(QStringLiteral(VARNO_CLI_PATH),
                  {"receive", "--port", slow.port, "--output", file, "--force"});
    ASSERT_TRUE(receive.waitForReadyRead(10000));
    QByteArray err = receive.readAllStandardError();
    ASSERT_TRUE(err.startsWith("receive: slots")) << err;
    TProjectLock programmer(file); // opened meanwhile
    ASSERT_EQ(programmer.tryLock(), TProjectLock::State::Locked);
    ASSERT_TRUE(receive.waitForFinished(60000));
    err += receive.readAllStandardError();
    EXPECT_EQ(receive.exitCode(), 1) << err;
    EXPECT_TRUE(err.contains(file.toUtf8() + " is open in VARNO Programmer (process ")) << err;
    EXPECT_EQ(read(file), before);
    EXPECT_FALSE(receive.readAllStandardOutput().contains("Received"));
}

// Port names that map to one file name: refused before any player is read,
// naming both ports.
TEST_F(CliFiles, portsThatWouldShareAFileAreRefusedBeforeAnyTransfer)
{
    const QStringList names = {dir.filePath("x y"), dir.filePath("x_y"), dir.filePath("x+y")};
    TPlayerProcess second, third;
    second.start();
    third.start();
    ASSERT_TRUE(QFile::link(port, names[0]));
    ASSERT_TRUE(QFile::link(second.port, names[1]));
    ASSERT_TRUE(QFile::link(third.port, names[2]));
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    const CliRun run = cli({"receive", "--port", names[0], "--port", names[1], "--port", names[2],
                            "--output-dir", dir.filePath("out")});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_TRUE(run.err.contains(QStringLiteral("ports %1 and %2 would both be received into")
                                     .arg(names[0], names[1])
                                     .toUtf8()))
        << run.err;
    EXPECT_FALSE(run.err.contains("receive: slots")) << run.err;
    EXPECT_TRUE(QDir(dir.filePath("out")).isEmpty());
}

} // namespace
