#include "CliRunner.h"

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
        p->SetDate(varno::datetime::encodeDate(2026, 12, 7));
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
    EXPECT_TRUE(out.contains("warning: number 7 is held by 2 programs (positions 1, 3)")) << out;
    EXPECT_TRUE(out.contains("warning: program 7 (position 3): weekday 9 is outside 1..7")) << out;
    EXPECT_TRUE(out.contains("warning: program 4 (position 4): action 1 has kind 10")) << out;
    EXPECT_EQ(out.count("warning:"), 3) << out;
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
        EXPECT_EQ(run.err, file.toUtf8() + ":3: expected the project name, found the end of "
                                           "the file\n")
            << command;
    }
    EXPECT_EQ(runCli({"check", dir.filePath("missing.prg")}).exitCode, 1);
}

TEST_F(VarnoCli, usageErrorsExitTwo)
{
    for (const QStringList &args :
         {QStringList{}, QStringList{"image"}, QStringList{"encode", "x.prg"},
          QStringList{"check", "a.prg", "b.prg"}}) {
        const CliResult run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ');
        EXPECT_TRUE(run.err.contains("Usage: varno-cli")) << args.join(' ');
    }
    const CliResult help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("image FILE.prg"));
}

} // namespace
