// The companion's transfers against the player emulator, both run as the user
// runs them.

#include "CliRunner.h"
#include "HandWrittenFile.h"
#include "PlayerProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QtPrinters.h>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <model/ProjectFile.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

class CliTransfer : public ::testing::Test
{
protected:
    // Backups made without --backup-dir land in the temporary folder.
    void SetUp() override { qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8()); }

    void startPlayer(const QStringList &faults = {})
    {
        player.start(faults);
        port = player.port;
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
            p->SetDate(varno::datetime::EncodeDate(2027, 4, 5));
        }
        return project;
    }

    QTemporaryDir dir;
    TPlayerProcess player;
    QString port;
};

TEST_F(CliTransfer, transmitReceiveAndVerify)
{
    startPlayer();
    const QString file = save(sample());
    const CliResult sent = runCli({"transmit", file, "--port", port, "--no-backup"});
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
    EXPECT_TRUE(diff.out.contains("program 2: prioritary: file 1, player 0\n")) << diff.out;
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
    // Without --backup-dir the backup lands where the programmer's "Open backup..." looks.
    if (QSysInfo::kernelType() == QLatin1String("linux")) {
        EXPECT_EQ(QDir(dir.filePath("data/VARNO/VARNO Programmer/backups"))
                      .entryList({"*.prg"}, QDir::Files)
                      .size(),
                  1);
    }
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
    cli.start(QStringLiteral(VARNO_CLI_PATH),
              {"transmit", save(sample()), "--port", port, "--no-backup"});
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
    QFile previous(file + ".bak"); // what --force wrote over
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), "mine");
}

TEST_F(CliTransfer, receivedProgramsAreSavedEvenWhenTheNameCannotBeRead)
{
    startPlayer({"--hang-up-after", "255"}); // the line drops after the last block
    const QString file = dir.filePath("unnamed.prg");
    const CliResult result =
        runCli({"receive", "--port", port, "--output", file, "--timeout", "300"});
    EXPECT_EQ(result.exitCode, 3);
    ASSERT_TRUE(QFile::exists(file)) << result.err;
    EXPECT_EQ(QString::fromUtf8(result.out),
              "Received 0 programs into " + file +
                  "; the project name could not be read, so the file holds the programs "
                  "without it\n");
    EXPECT_EQ(LoadProject(file).Group.Name, "New Project");
}

// No player answers on this port: a refusal must come before any attempt.
TEST_F(CliTransfer, receiveRefusesAnOutputItCannotWriteBeforeTalkingToThePlayer)
{
    const QString noPort = dir.filePath("no-port");
    QDir(dir.path()).mkdir("folder");
    QDir(dir.path()).mkdir("locked");
    QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
    writeFile(dir.filePath("plain"), "not a folder");
    const struct
    {
        QString output;
        QString reason;
        bool needsPermissions;
    } cases[] = {
        {dir.filePath("missing/back.prg"), "does not exist", false},
        {dir.filePath("plain/back.prg"), "is not a folder", false},
        {dir.filePath("folder"), "is a folder", false},
        {dir.filePath("locked/back.prg"), "cannot be written", true},
    };
    for (const auto &c : cases) {
        if (c.needsPermissions && geteuid() == 0)
            continue; // permissions do not bind root
        const CliResult run = runCli({"receive", "--port", noPort, "--output", c.output});
        EXPECT_EQ(run.exitCode, 1) << c.output;
        EXPECT_TRUE(run.err.startsWith("varno-cli: " + c.output.toUtf8())) << run.err.data();
        EXPECT_TRUE(run.err.contains(c.reason.toUtf8())) << run.err.data();
        EXPECT_FALSE(run.err.contains("COM port")) << run.err.data();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/back.prg")));
}

// On a terminal the bar ends with a line break before the reason of a
// failure, and nothing redraws it after that.
TEST_F(CliTransfer, barEndsItsLineWhenATransferFails)
{
    startPlayer({"--hang-up-after", "20"});
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    QProcess cli;
    cli.setStandardErrorFile(QString::fromLocal8Bit(ptsname(master)));
    cli.start(QStringLiteral(VARNO_CLI_PATH),
              {"transmit", save(sample()), "--port", port, "--timeout", "300"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 3);
    QByteArray shown;
    fcntl(master, F_SETFL, O_NONBLOCK);
    char buffer[4096];
    for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;)
        shown.append(buffer, n);
    close(slave);
    close(master);
    const qsizetype reason = shown.indexOf("varno-cli: ");
    ASSERT_GT(reason, 0) << shown.data();
    EXPECT_TRUE(shown.left(reason).endsWith("/255\n")) << shown.data();
    EXPECT_FALSE(shown.mid(reason).contains('\r')) << shown.data();
    EXPECT_TRUE(shown.endsWith('\n')) << shown.data();
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

// The system's reason follows the link's message, each line a diagnostic.
TEST_F(CliTransfer, missingPortIsReportedWithTheSystemsReason)
{
    const QString file = save(sample());
    const CliResult missing = runCli({"transmit", file, "--port", dir.filePath("no-port")});
    EXPECT_EQ(missing.exitCode, 3);
    for (const QByteArray &line : missing.err.trimmed().split('\n'))
        EXPECT_TRUE(line.startsWith("varno-cli: ")) << missing.err.data();
    EXPECT_TRUE(missing.err.startsWith("varno-cli: Opening Error of COM port\nvarno-cli: " +
                                       dir.filePath("no-port").toUtf8()))
        << missing.err.data();
}

// A player of its own, beside the fixture's.
using ExtraPlayer = TPlayerProcess;

TEST_F(CliTransfer, transmitBacksUpFirstAndVerifiesWithTheValuesOfEachDifference)
{
    startPlayer({"--corrupt-slot", "5"});
    TProject former = sample();
    former.Group.Name = "Ancien";
    ASSERT_EQ(
        runCli({"transmit", save(former, "former.prg"), "--port", port, "--no-backup"}).exitCode,
        0);

    const QString backups = dir.filePath("backups");
    const TProject next = sample(); // program 5 is stored with one bit wrong
    const CliResult sent = runCli(
        {"transmit", save(next, "next.prg"), "--port", port, "--backup-dir", backups, "--verify"});
    EXPECT_EQ(sent.exitCode, 1) << sent.err;
    const QStringList made = QDir(backups).entryList({"*.prg"}, QDir::Files);
    ASSERT_EQ(made.size(), 1);
    EXPECT_TRUE(made.first().endsWith("_Ancien.prg"));
    EXPECT_TRUE(sent.out.startsWith(
        "Backup of the player: " + QDir(backups).filePath(made.first()).toUtf8() +
        "\nTransmission on COM port OK\n"))
        << sent.out;
    EXPECT_TRUE(
        sent.out.endsWith("program 5: action 1 value: file 255, player 254\n1 difference\n"))
        << sent.out;
    EXPECT_EQ(LoadProject(QDir(backups).filePath(made.first())).Programs.count(), 3);

    // A backup folder that cannot be made: nothing is written.
    const QString blocker = save(sample(), "blocker.prg");
    const CliResult refused = runCli({"transmit", save(TProject(), "empty.prg"), "--port", port,
                                      "--backup-dir", blocker + "/backups"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("nothing was written")) << refused.err;
    EXPECT_EQ(runCli({"verify", dir.filePath("next.prg"), "--port", port}).out,
              "program 5: action 1 value: file 255, player 254\n1 difference\n");
}

// The transmit went through, so it ends well, but the user hears what to check.
TEST_F(CliTransfer, transmitWarnsOfAnUnansweredFinalizeAndOfDatesTheBackupReplaced)
{
    startPlayer({"--corrupt-date", "2", "--no-finalize-ack"});
    const QStringList quick{"--port", port, "--timeout", "300"};
    ASSERT_EQ(runCli(QStringList{"transmit", save(sample(), "former.prg"), "--no-backup"} + quick)
                  .exitCode,
              0);
    const CliResult sent = runCli(QStringList{"transmit", save(TProject(), "next.prg"),
                                              "--backup-dir", dir.filePath("backups")} +
                                  quick);
    EXPECT_EQ(sent.exitCode, 0) << sent.err;
    EXPECT_TRUE(
        sent.err.contains("program 2: the date or time stored in the player did not "
                          "exist; the backup's project file holds the current one instead, its raw "
                          "image the bytes as read"))
        << sent.err;
    EXPECT_TRUE(sent.err.contains("the player did not confirm the end of the programming"))
        << sent.err;

    // Two programs under one number: the player keeps one, and the user hears of it
    // before anything is written.
    TProject twice = sample();
    twice.Programs.at(1).NumOfProg = 5;
    twice.Programs.at(2).ActionKind[0] = akGoToProgram;
    twice.Programs.at(2).ActionNumber[0] = 9;
    const CliResult doubled =
        runCli(QStringList{"transmit", save(twice, "twice.prg"), "--no-backup"} + quick);
    EXPECT_TRUE(doubled.err.startsWith("varno-cli: warning: ")) << doubled.err;
    EXPECT_TRUE(doubled.err.contains("replaces it in the player")) << doubled.err;
    EXPECT_TRUE(doubled.err.contains(
        "varno-cli: warning: program 200 goes to program 009, which no program bears\n"))
        << doubled.err;
}

TEST_F(CliTransfer, ctrlCStopsAfterTheExchangeUnderWayAndExits130)
{
    startPlayer({"--write-delay", "4"});
    QProcess cli;
    cli.setReadChannel(QProcess::StandardError);
    cli.start(QStringLiteral(VARNO_CLI_PATH),
              {"transmit", save(sample()), "--port", port, "--no-backup"});
    ASSERT_TRUE(cli.waitForStarted());
    ASSERT_TRUE(cli.waitForReadyRead(10000)); // "transmit: slots 1 to 255"
    QThread::msleep(150);
    ::kill(pid_t(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 130);
    EXPECT_TRUE(cli.readAllStandardError().contains(
        "varno-cli: interrupted: the player now holds part of the new programs\n"));
    // The line was left clean: the player answers the next command at once.
    const CliResult after = runCli({"verify", dir.filePath("p.prg"), "--port", port});
    EXPECT_EQ(after.exitCode, 1) << after.err; // program 200 was not written
    EXPECT_TRUE(after.out.contains("program 200: missing from the player")) << after.out;
}

TEST_F(CliTransfer, severalPortsRunAtOnceAndASilentOneStopsNoOther)
{
    const QStringList paced = {"--write-delay", "3"};
    startPlayer(paced);
    ExtraPlayer second(paced);
    ExtraPlayer silent({"--silent"});
    const QString file = save(sample());

    const QStringList safe = {"--timeout", "300", "--verify", "--backup-dir",
                              dir.filePath("backups")};
    QElapsedTimer one;
    one.start();
    ASSERT_EQ(runCli(QStringList{"transmit", file, "--port", port} + safe).exitCode, 0);
    const qint64 single = one.elapsed();

    QElapsedTimer all;
    all.start();
    const CliResult sent = runCli(QStringList{"transmit", file, "--port", port, "--port",
                                              second.port, "--port", silent.port} +
                                  safe);
    const qint64 together = all.elapsed();
    EXPECT_EQ(sent.exitCode, 3) << sent.err;
    const QList<QByteArray> lines = sent.out.split('\n');
    const auto row = [&](const QString &p) {
        for (const QByteArray &line : lines)
            if (line.startsWith(p.toUtf8() + ' '))
                return QString::fromUtf8(line).simplified();
        return QString();
    };
    EXPECT_TRUE(row(port).contains(" ok ")) << sent.out;
    EXPECT_TRUE(row(port).endsWith(" yes")) << sent.out;
    EXPECT_TRUE(row(second.port).endsWith(" yes")) << sent.out;
    EXPECT_TRUE(row(silent.port).contains("MP3 player not ready")) << sent.out;
    EXPECT_EQ(QDir(dir.filePath("backups")).entryList({"*.prg"}, QDir::Files).size(), 3);
    EXPECT_EQ(QDir(dir.filePath("backups")).entryList({"*.img"}, QDir::Files).size(), 3);
    // The transmits overlap: each starts before the other reaches the name.
    const auto at = [&](const QString &p, const char *step) {
        return sent.err.indexOf(p.toUtf8() + ": transmit: " + step);
    };
    EXPECT_LT(at(port, "slots"), at(second.port, "project name")) << sent.err;
    EXPECT_LT(at(second.port, "slots"), at(port, "project name")) << sent.err;
    // One after the other, the two players that answer would take twice as
    // long as one alone, and the silent one its time-out on top.
    EXPECT_LT(together, single * 2) << single << " ms for one port alone";

    const CliResult got =
        runCli({"receive", "--port", port, "--port", second.port, "--output-dir", dir.path()});
    EXPECT_EQ(got.exitCode, 0) << got.err;
    for (const QString &p : {port, second.port}) {
        const QString name = p.mid(1).replace('/', '_') + ".prg";
        EXPECT_EQ(LoadProject(dir.filePath(name)).Programs.count(), 3) << name.toStdString();
    }
}

} // namespace

namespace {

// A player holding blocks a project file cannot hold: a month 13, the year
// 2112, a byte 0 that is not zero, an empty slot with odd bytes, and bytes
// after the end of the name.
const QByteArray kOddPlayer = "slot 009: 00 09 21 00 11 11 11 00 00 00 00 00 00 0D 04 1B 0C 22 FF "
                              "FF FF FF FF FF\n"
                              "slot 040: 00 28 21 00 11 11 11 00 00 00 00 00 00 05 04 70 0C 22 FF "
                              "FF FF FF FF FF\n"
                              "slot 041: 5A 29 21 00 11 11 11 00 00 00 00 00 00 05 04 1B 0C 22 FF "
                              "FF FF FF FF FF\n"
                              "slot 100: A5 64 81 00 00 00 00 00 00 00 00 00 00 0D 01 1A 00 00 77 "
                              "00 00 00 00 00\n"
                              "name +00: 48 61 6C 6C 00 61 66 74 65 72\n";

QByteArray readAll(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines of a memory file the emulator saved that hold what kOddPlayer set.
QList<QByteArray> oddLines(const QByteArray &saved)
{
    QList<QByteArray> lines;
    for (const QByteArray &line : saved.split('\n'))
        if (line.startsWith("slot 009") || line.startsWith("slot 040") ||
            line.startsWith("slot 041") || line.startsWith("slot 100") ||
            line.startsWith("name +00"))
            lines << line;
    return lines;
}

QList<QByteArray> progressLines(const QByteArray &err)
{
    QList<QByteArray> lines;
    for (const QByteArray &line : err.split('\n'))
        if (line.contains(": slots 1 to 255") || line.endsWith(": project name"))
            lines << line;
    return lines;
}

} // namespace

// As a user runs them: a backup that stays though 30 older ones are named
// after it, its raw image, a restore that puts back every byte, a transmit
// that fails half-way and says how to undo it, and the phases named.
TEST_F(CliTransfer, backupThenRestoreGiveBackEveryByteThePlayerHeld)
{
    const QString odd = dir.filePath("odd.txt");
    writeFile(odd, kOddPlayer);
    const QString saved = dir.filePath("saved.txt");
    startPlayer({"--load", odd, "--save", saved});
    const QList<QByteArray> held = oddLines(
        "slot 009: 00 09 21 00 11 11 11 00 00 00 00 00 00 0D 04 1B 0C 22 FF FF FF FF FF FF\n"
        "slot 040: 00 28 21 00 11 11 11 00 00 00 00 00 00 05 04 70 0C 22 FF FF FF FF FF FF\n"
        "slot 041: 5A 29 21 00 11 11 11 00 00 00 00 00 00 05 04 1B 0C 22 FF FF FF FF FF FF\n"
        "slot 100: A5 64 81 00 00 00 00 00 00 00 00 00 00 0D 01 1A 00 00 77 00 00 00 00 00\n"
        "name +00: 48 61 6C 6C 00 61 66 74 65 72 00 00 00 00 00 00\n");
    ASSERT_EQ(held.size(), 5);

    // 30 backups whose names sort after today's, written a year ago.
    const QString backups = dir.filePath("backups");
    QDir().mkpath(backups);
    const QDateTime ahead = QDateTime::currentDateTime().addYears(5);
    for (int i = 0; i < 30; ++i) {
        const QString name = ahead.addDays(i).toString("yyyy-MM-dd_HH-mm-ss_") + "Old";
        for (const char *suffix : {".prg", ".img"}) {
            QFile file(QDir(backups).filePath(name + suffix));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.setFileTime(QDateTime::currentDateTime().addYears(-1).addDays(i),
                             QFileDevice::FileModificationTime);
        }
    }
    const QString next = save(sample(), "next.prg");
    const CliResult sent =
        runCli({"transmit", next, "--port", port, "--backup-dir", backups, "--verify"});
    EXPECT_EQ(sent.exitCode, 0) << sent.err;
    const QString prefix = "Backup of the player: ";
    ASSERT_TRUE(sent.out.startsWith(prefix.toUtf8())) << sent.out;
    const QString backup = QString::fromUtf8(sent.out.mid(prefix.size()).split('\n').first());
    EXPECT_TRUE(QFile::exists(backup)) << backup.toStdString();
    QString image = backup;
    image.replace(QRegularExpression("\\.prg$"), ".img");
    EXPECT_EQ(QFileInfo(image).size(), 255 * 24 + 64);
    EXPECT_EQ(QDir(backups).entryList({"*.prg"}, QDir::Files).size(), 30);
    EXPECT_EQ(progressLines(sent.err),
              (QList<QByteArray>{"backup read: slots 1 to 255", "backup read: project name",
                                 "transmit: slots 1 to 255", "transmit: project name",
                                 "verify read: slots 1 to 255", "verify read: project name"}))
        << sent.err;

    const CliResult restored = runCli({"restore", backup, "--port", port});
    EXPECT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(restored.out,
              "Restored the player from " + image.toUtf8() +
                  "\nVerified: the player holds exactly what it held at the backup\n");
    EXPECT_EQ(progressLines(restored.err),
              (QList<QByteArray>{"restore: slots 1 to 255", "restore: project name",
                                 "verify read: slots 1 to 255", "verify read: project name"}));
    EXPECT_EQ(oddLines(readAll(saved)), held);

    // The line drops half-way through a transmit: the message says what the
    // player holds now and gives the command that puts its content back.
    const QString halfSaved = dir.filePath("half.txt");
    ExtraPlayer dropping({"--load", odd, "--save", halfSaved, "--hang-up-after", "355"});
    const QString backups2 = dir.filePath("backups2");
    const CliResult dropped = runCli(
        {"transmit", next, "--port", dropping.port, "--backup-dir", backups2, "--timeout", "300"});
    EXPECT_EQ(dropped.exitCode, 3) << dropped.err;
    const QStringList made = QDir(backups2).entryList({"*.prg"}, QDir::Files);
    ASSERT_EQ(made.size(), 1);
    const QString backup2 = QDir(backups2).filePath(made.first());
    EXPECT_TRUE(dropped.err.contains(
        "varno-cli: the transmit failed half-way: the player now holds part of the new project "
        "and part of its former content; to put back what it held, run: varno-cli restore " +
        backup2.toUtf8() + " --port " + dropping.port.toUtf8() + "\n"))
        << dropped.err;
    ASSERT_TRUE(dropping.process.waitForFinished(10000));
    EXPECT_NE(oddLines(readAll(halfSaved)), held);
    // Plugged in again, the player takes its former content back.
    const QString backSaved = dir.filePath("back.txt");
    ExtraPlayer again({"--load", halfSaved, "--save", backSaved});
    const CliResult put = runCli({"restore", backup2, "--port", again.port});
    EXPECT_EQ(put.exitCode, 0) << put.err;
    EXPECT_EQ(oddLines(readAll(backSaved)), held);

    // Without its raw image a backup is not restored at all.
    QString image2 = backup2;
    image2.replace(QRegularExpression("\\.prg$"), ".img");
    ASSERT_TRUE(QFile::remove(image2));
    const CliResult refused = runCli({"restore", backup2, "--port", again.port});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "varno-cli: the raw image " + image2.toUtf8() +
                               " of this backup is missing; nothing was written\n");
    EXPECT_TRUE(refused.out.isEmpty());
}
