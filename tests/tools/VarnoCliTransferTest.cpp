// The companion's transfers against the player emulator, both run as the user
// runs them.

#include "CliRunner.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <model/ProjectFile.h>

namespace {

class CliTransfer : public ::testing::Test
{
protected:
    void startPlayer(const QStringList &faults = {})
    {
        player.start(QStringLiteral(VARNO_PLAYER_EMULATOR), faults);
        ASSERT_TRUE(player.waitForStarted());
        ASSERT_TRUE(player.waitForReadyRead(10000));
        port = QString::fromUtf8(player.readLine()).trimmed();
        ASSERT_FALSE(port.isEmpty());
    }

    void TearDown() override
    {
        player.terminate();
        player.waitForFinished(5000);
    }

    QString save(const TProject &project, const QString &name = QStringLiteral("p.prg"))
    {
        const QString file = dir.filePath(name);
        SaveProject(file, project);
        return file;
    }

    static TProject sample()
    {
        TProject project;
        project.Group.Name = QStringLiteral("Quai été");
        for (quint8 number : {5, 2, 200}) {
            TVARNOProg *p = project.Programs.Add();
            p->NumOfProg = number;
            p->TimerOn = number == 2;
            p->SetDate(varno::datetime::encodeDate(2027, 4, 5));
        }
        return project;
    }

    QTemporaryDir dir;
    QProcess player;
    QString port;
};

TEST_F(CliTransfer, transmitReceiveAndVerify)
{
    startPlayer();
    const QString file = save(sample());
    const CliResult sent = runCli({"transmit", file, "--port", port});
    EXPECT_EQ(sent.exitCode, 0) << sent.err;
    EXPECT_EQ(sent.out, "Transmission on COM port OK\n");
    EXPECT_EQ(sent.err, "transmit: slots 1 to 255\ntransmit: project name\n");

    const CliResult same = runCli({"verify", file, "--port", port});
    EXPECT_EQ(same.exitCode, 0) << same.out << same.err;

    const QString back = dir.filePath("back.prg");
    const CliResult got = runCli({"receive", "--port", port, "--output", back});
    EXPECT_EQ(got.exitCode, 0) << got.err;
    const TProject received = LoadProject(back);
    ASSERT_EQ(received.Programs.count(), 3);
    EXPECT_EQ(received.Programs.at(0).NumOfProg, 2);
    EXPECT_EQ(received.Programs.at(0).TimerOn, 1);
    EXPECT_EQ(received.Group.Name, QStringLiteral("Quai été"));

    // A file that differs from the player.
    TProject changed = sample();
    changed.Programs.at(1).Prioritary = 1; // program 2
    changed.Programs.at(0).NumOfProg = 6;  // 5 becomes 6
    const CliResult diff = runCli({"verify", save(changed, "changed.prg"), "--port", port});
    EXPECT_EQ(diff.exitCode, 1);
    EXPECT_TRUE(diff.out.contains("program 2: prioritary\n")) << diff.out;
    EXPECT_TRUE(diff.out.contains("slot 5: the player holds program 5, the project none"))
        << diff.out;
    EXPECT_TRUE(diff.out.contains("program 6: missing from the player")) << diff.out;
    EXPECT_TRUE(diff.out.endsWith("3 differences\n")) << diff.out;
}

// Standard output and standard error on one pipe, as a script that follows
// both sees them.
TEST_F(CliTransfer, receivePrintsItsPhasesBeforeItsResult)
{
    startPlayer();
    ASSERT_EQ(runCli({"transmit", save(sample()), "--port", port}).exitCode, 0);
    const QString back = dir.filePath("back.prg");
    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(QStringLiteral(VARNO_CLI_PATH), {"receive", "--port", port, "--output", back});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(cli.readAll()),
              "receive: slots 1 to 255\nreceive: project name\nReceived 3 programs of \"Quai "
              "été\" into " +
                  back + "\n");
}

TEST_F(CliTransfer, progressLinesArriveWhileTheTransferRuns)
{
    startPlayer({"--write-delay", "5"}); // some 1.6 s for the whole transmit
    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(QStringLiteral(VARNO_CLI_PATH), {"transmit", save(sample()), "--port", port});
    ASSERT_TRUE(cli.waitForReadyRead(10000));
    EXPECT_TRUE(cli.canReadLine());
    EXPECT_EQ(cli.readLine(), "transmit: slots 1 to 255\n");
    EXPECT_FALSE(cli.waitForFinished(300)); // the line came as the phase began
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.readAll(), "transmit: project name\nTransmission on COM port OK\n");
}

TEST_F(CliTransfer, receiveKeepsAnExistingFileUnlessForced)
{
    startPlayer();
    const QString file = dir.filePath("kept.prg");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("mine");
    f.close();
    const CliResult refused = runCli({"receive", "--port", port, "--output", file});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("--force"));
    QFile check(file);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "mine");
    EXPECT_EQ(runCli({"receive", "--port", port, "--output", file, "--force"}).exitCode, 0);
    EXPECT_EQ(LoadProject(file).Programs.count(), 0);
}

TEST_F(CliTransfer, receivedProgramsAreSavedEvenWhenTheNameCannotBeRead)
{
    startPlayer({"--hang-up-after", "255"}); // the line drops after the last block
    const QString file = dir.filePath("unnamed.prg");
    const CliResult result =
        runCli({"receive", "--port", port, "--output", file, "--timeout", "300"});
    EXPECT_EQ(result.exitCode, 3);
    ASSERT_TRUE(QFile::exists(file)) << result.err;
    EXPECT_EQ(LoadProject(file).Group.Name, "New Project");
}

TEST_F(CliTransfer, silentPlayerGivesTheLinkExitCode)
{
    startPlayer({"--silent"});
    const CliResult result =
        runCli({"transmit", save(sample()), "--port", port, "--timeout", "200"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(result.err.contains("varno-cli: Transmission Error : MP3 player not ready"))
        << result.err;
    EXPECT_TRUE(result.out.isEmpty());
}

TEST_F(CliTransfer, missingPortAndUsage)
{
    const QString file = save(sample());
    const CliResult missing = runCli({"transmit", file, "--port", dir.filePath("no-port")});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_TRUE(missing.err.contains("varno-cli: Opening Error of COM port")) << missing.err;
    EXPECT_EQ(runCli({"transmit", file}).exitCode, 2);
    EXPECT_EQ(runCli({"receive", "--port", "COM1"}).exitCode, 2);
    EXPECT_EQ(runCli({"verify", file, "--port", "COM1", "--timeout", "soon"}).exitCode, 2);
    EXPECT_EQ(runCli({"transmit", file, "--port", "COM1", "--bogus"}).exitCode, 2);
}

} // namespace
