#include "CliRunner.h"
#include "HandWrittenFile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <model/ProjectFile.h>

namespace {

class VarnoCli : public ::testing::Test
{
protected:
    QTemporaryDir dir;

    QString save(const QString &name, const TProject &project)
    {
        const QString file = dir.filePath(name);
        SaveProject(file, project);
        return file;
    }

    static TVARNOProg *addProgram(TProject &project, quint8 number)
    {
        TVARNOProg *p = project.Programs.Add();
        p->NumOfProg = number;
        p->SetDate(varno::datetime::EncodeDate(2026, 12, 7));
        p->SetHour(12);
        p->SetMinute(34);
        return p;
    }
};

TEST_F(VarnoCli, imagePrintsEveryStepAndTheNameBlock)
{
    TProject project;
    project.Group.Name = QStringLiteral("Quai é");
    addProgram(project, 5);
    addProgram(project, 2)->Prioritary = 1;
    addProgram(project, 200);
    const CliResult run = runCli({"image", save("three.prg", project)});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty());
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 257); // 256 lines and the final line end
    EXPECT_TRUE(lines.last().isEmpty());
    // Step 2 sends the first program of the list, which is number 5.
    EXPECT_EQ(lines[1],
              "002: 00 05 21 00 11 11 11 00 00 00 00 00 00 1C 07 1A 0C 22 FF FF FF FF FF FF");
    EXPECT_EQ(lines[4],
              "005: 00 02 21 10 11 11 11 00 00 00 00 00 00 1C 07 1A 0C 22 FF FF FF FF FF FF");
    EXPECT_TRUE(lines[0].startsWith("001: 00 01 81 00 11 11 11 00 00 00 00 00 00 "));
    EXPECT_TRUE(lines[2].startsWith("003: 00 03 81 "));
    EXPECT_TRUE(lines[199].startsWith("200: 00 C8 21 "));
    EXPECT_TRUE(lines[254].startsWith("255: 00 FF 81 "));
    for (int i = 0; i < 255; ++i)
        EXPECT_EQ(lines[i].size(), 5 + 24 * 3 - 1) << i;
    EXPECT_EQ(lines[255], "name: 51 75 61 69 20 E9" + QByteArray(" 00").repeated(58));
}

TEST_F(VarnoCli, checkListsProgramsAndWarns)
{
    TProject project;
    project.Group.Name = QStringLiteral("Hall été");
    addProgram(project, 7);
    addProgram(project, 3);
    addProgram(project, 7)->WeekDay = 9;
    addProgram(project, 4)->ActionKind[0] = 10;
    const CliResult run = runCli({"check", save("dups.prg", project)});

    EXPECT_EQ(run.exitCode, 0);
    const QString out = QString::fromUtf8(run.out);
    EXPECT_TRUE(
        out.startsWith(QStringLiteral("Project: Hall été\nPrograms: 4\nNumbers: 7, 3, 7, 4\n")))
        << out;
    // Step 4 sends the 3, so the 4 at the end of the list is never sent.
    EXPECT_TRUE(out.contains("warning: step 4 sends program 3 (position 2), not a program "
                             "numbered 4\n"))
        << out;
    EXPECT_TRUE(out.contains("warning: program 4 (position 4) is never sent; the player keeps "
                             "what it held under number 4\n"))
        << out;
    EXPECT_TRUE(out.contains("warning: program 7 (position 3): weekday 9 is outside 1..7")) << out;
    EXPECT_TRUE(out.contains("warning: program 4 (position 4): action 1 has kind 10")) << out;
    EXPECT_EQ(out.count("warning:"), 6) << out;
}

// Numbers the file gives beyond a byte are kept by their low 8 bits, as the
// player would; check names the line, the value written and the value kept.
TEST_F(VarnoCli, checkNamesNumbersKeptByTheirLowBits)
{
    HandWrittenProgram first;
    first.number = -1;
    first.weekday = 300;
    HandWrittenProgram second;
    second.number = 261;
    // Only "yes" sets a flag: these read as no, and the next save writes "no".
    second.priority = "Yes";
    second.active = "YES";
    const QString file = dir.filePath("wide.prg");
    writeFile(file, handWrittenFile({first, second}));
    const CliResult run = runCli({"check", file});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString out = QString::fromUtf8(run.out);
    EXPECT_TRUE(out.startsWith(
        "Project: Hand\nPrograms: 2\nNumbers: 255, 5\n"
        "warning: line 14: the program number -1 is stored as 255\n"
        "warning: line 21: the weekday 300 is stored as 44\n"
        "warning: line 46: the program number 261 is stored as 5\n"
        "warning: line 47: program 5: the priority flag \"Yes\" is read as no (only \"yes\" "
        "sets it)\n"
        "warning: line 49: program 5: the activation flag \"YES\" is read as no (only \"yes\" "
        "sets it)\n"))
        << out;
}

TEST_F(VarnoCli, cleanProjectHasNoWarnings)
{
    TProject project;
    addProgram(project, 1);
    const CliResult run = runCli({"check", save("clean.prg", project)});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Project: New Project\nPrograms: 1\nNumbers: 1\n");
}

TEST_F(VarnoCli, fileThatDoesNotLoadExitsOneWithTheReason)
{
    const QString file = dir.filePath("foreign.prg");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Group Of Program File of VARNO\r\n*****\r\n");
    f.close();
    for (const char *command : {"check", "image"}) {
        const CliResult run = runCli({command, file});
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_TRUE(run.out.isEmpty()) << command;
        EXPECT_EQ(run.err, "varno-cli: " + QDir::toNativeSeparators(file).toUtf8() +
                               ":3: expected the project name, found the end of the file\n")
            << command;
    }
    EXPECT_EQ(runCli({"check", dir.filePath("missing.prg")}).exitCode, 1);
}

// Every usage error is one line that says what is wrong and where help is.
TEST(CliUsage, errorsAreOneLineThatPointsToTheHelp)
{
    const struct
    {
        QStringList args;
        QByteArray what;
    } cases[] = {
        {{}, "no command given"},
        {{"image"}, "image needs a project file"},
        {{"encode", "x.prg"}, "unknown command 'encode'"},
        {{"check", "a.prg", "b.prg"}, "check takes one project file, not 2"},
        {{"transmit", "x.prg"}, "transmit needs --port PORT"},
        {{"transmit", "x.prg", "--port", "COM1", "--bogus"}, "unknown option '--bogus'"},
        {{"transmit", "x.prg", "--port"}, "missing value after '--port'"},
        {{"image", "x.prg", "--port", "COM1"}, "image takes no --port"},
        {{"receive", "--port", "COM1"}, "receive needs --output FILE.prg"},
        {{"receive", "x.prg", "--port", "COM1", "--output", "y.prg"},
         "receive takes no project file; name the file to write with --output"},
        {{"verify", "x.prg", "--port", "COM1", "--timeout", "soon"},
         "--timeout takes a number of milliseconds above 0, not 'soon'"},
    };
    for (const auto &c : cases) {
        const CliResult run = runCli(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.args.join(' ');
        EXPECT_TRUE(run.out.isEmpty()) << c.args.join(' ');
        EXPECT_EQ(run.err, "varno-cli: " + c.what + "; see 'varno-cli --help'\n")
            << c.args.join(' ');
    }
}

TEST(CliUsage, eachCommandHasItsOwnHelp)
{
    const struct
    {
        const char *command;
        QByteArray usage;
        QList<QByteArray> options, notOptions;
    } cases[] = {
        {"image", "Usage: varno-cli image FILE.prg\n", {"-h, --help"}, {"--port", "--force"}},
        {"transmit",
         "Usage: varno-cli transmit FILE.prg --port PORT [--timeout MS] [--no-backup] "
         "[--backup-dir DIR] [--verify]\n",
         {"--port PORT", "--timeout MS"},
         {"--output", "--force"}},
        {"restore",
         "Usage: varno-cli restore BACKUP.prg --port PORT [--timeout MS]\n",
         {"--port PORT", "--timeout MS"},
         {"--output", "--no-backup", "--verify"}},
        {"receive",
         "Usage: varno-cli receive --port PORT --output FILE.prg [--force] [--timeout MS]\n",
         {"--port PORT", "--output FILE.prg", "--force", "--timeout MS"},
         {}},
        // --output names the kind of file each command writes.
        {"export",
         "Usage: varno-cli export FILE.prg --output FILE.csv\n",
         {"--output FILE.csv", "--force            replace FILE.csv when it exists"},
         {"--output FILE.prg", "replace FILE.prg"}},
        {"report",
         "Usage: varno-cli report FILE.prg --output REPORT.html",
         {"--output REPORT.html", "--force            replace REPORT.html"},
         {"--output FILE.prg", "replace FILE.prg"}},
    };
    for (const auto &c : cases) {
        for (const char *help : {"--help", "-h"}) {
            const CliResult run = runCli({c.command, help});
            EXPECT_EQ(run.exitCode, 0) << c.command;
            EXPECT_TRUE(run.out.startsWith(c.usage)) << run.out.toStdString();
            for (const QByteArray &option : c.options)
                EXPECT_TRUE(run.out.contains("  " + option)) << c.command << ' ' << option.data();
            for (const QByteArray &option : c.notOptions)
                EXPECT_FALSE(run.out.contains(option)) << c.command << ' ' << option.data();
        }
    }
    const CliResult general = runCli({"--help"});
    EXPECT_EQ(general.exitCode, 0);
    EXPECT_TRUE(general.out.contains("image FILE.prg"));
    EXPECT_TRUE(general.out.contains("restore BACKUP.prg --port PORT"));
    EXPECT_EQ(runCli({"--version"}).out, "varno-cli 2.1\n");
}

} // namespace
