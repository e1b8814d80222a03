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

} // namespace
