#include "CliRunner.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtPrinters.h>
#include <model/Clock.h>
#include <model/HeldProject.h>
#include <model/ProjectFile.h>
#include <model/ProjectLock.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 34, 56));

class VarnoCliSchedule : public ::testing::Test
{
protected:
    varno::ScopedFixedClock clock{kNow};
    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }

    // Daily 08:00 (#1, goes to #9 which does not exist), Sunday 08:00 (#2,
    // priority), and #3 whose timer is on while it is inactive.
    QString projectFile()
    {
        TProject project;
        project.Group.Name = QStringLiteral("Gare été");
        for (int i = 0; i < 3; ++i) {
            TVARNOProg &p = *project.Programs.Add();
            p.TimerOn = 1;
            p.SetHour(8);
            p.SetMinute(0);
            p.Title = QStringLiteral("Annonce %1").arg(i + 1);
        }
        TVARNOProg &daily = project.Programs.at(0);
        daily.DateMode = 1;
        daily.ActionKind[0] = akGoToProgram;
        daily.ActionNumber[0] = 9;
        project.Programs.at(1).DateMode = 2;
        project.Programs.at(1).WeekDay = 7;
        project.Programs.at(1).Prioritary = 1;
        project.Programs.at(2).Active = 0;
        SaveProject(path("p.prg"), project);
        return path("p.prg");
    }

    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(VarnoCliSchedule, printsFiringsClashesAndProblemsAsTextAndJson)
{
    const QString prg = projectFile();
    // Saturday and Sunday: the week boundary falls after the second day.
    const CliResult text = runCli({"schedule", prg, "--from", "2026-12-12", "--days", "3"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(QString::fromUtf8(text.out),
              "2026-12-12 Saturday  08:00 001 Annonce 1 -> then program 9\n"
              "2026-12-13 Sunday    08:00 001 Annonce 1 -> then program 9\n"
              "2026-12-13 Sunday    08:00 002 Annonce 2 (priority)\n"
              "2026-12-14 Monday    08:00 001 Annonce 1 -> then program 9\n"
              "Clashes: 1\n"
              "  Clash on 13/12/2026 at 08:00: 1, 2 (priority)\n"
              "Problems: 2\n"
              "  Program 1: goes to program 9, which does not exist\n"
              "  Program 3: timer on but the program is not active\n");

    const CliResult json =
        runCli({"schedule", prg, "--from", "2026-12-12", "--days", "3", "--format", "json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const QJsonObject root = QJsonDocument::fromJson(json.out).object();
    // Counted before they are indexed: a missing entry fails the test, never crashes it.
    const QJsonArray firings = root["firings"].toArray();
    const QJsonArray clashes = root["clashes"].toArray();
    const QJsonArray problems = root["problems"].toArray();
    ASSERT_EQ(firings.size(), 4) << json.out;
    ASSERT_EQ(clashes.size(), 1) << json.out;
    ASSERT_EQ(problems.size(), 2) << json.out;
    EXPECT_EQ(firings[2].toObject()["priority"].toBool(), true);
    EXPECT_EQ(clashes[0].toObject()["programs"].toArray().size(), 2);
    EXPECT_EQ(problems[0].toObject()["kind"].toString(), "missing-go-to-target");

    for (const QStringList &args :
         {QStringList{"schedule", prg, "--from", "12/12/2026"},
          QStringList{"schedule", prg, "--days", "0"},
          QStringList{"schedule", prg, "--format", "xml"},
          QStringList{"report", prg, "--output", path("r.html"), "--language", "de"}}) {
        const CliResult bad = runCli(args);
        EXPECT_EQ(bad.exitCode, 2) << args.join(' ');
        EXPECT_TRUE(bad.err.startsWith("varno-cli: --")) << bad.err;
    }
}

TEST_F(VarnoCliSchedule, exportThenImportGivesBackTheProjectFile)
{
    // As the programmer holds a file once opened: the calendar date of a date
    // line only, the action slots tidied.
    const QString prg = projectFile();
    SaveProject(prg, varno::actions::LoadProjectAsHeld(prg));
    const CliResult exported = runCli({"export", prg, "--output", path("p.csv")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const CliResult imported =
        runCli({"import", path("p.csv"), "--output", path("back.prg"), "--into", prg});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(read(path("back.prg")), read(prg));

    // A wrong value: nothing written, the place named.
    QByteArray csv = read(path("p.csv"));
    csv.replace("\r\n3,0,1,0,8,0,", "\r\n3,0,1,0,24,0,");
    QFile bad(path("bad.csv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(csv);
    bad.close();
    const CliResult refused = runCli({"import", path("bad.csv"), "--output", path("no.prg")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(refused.err),
              QStringLiteral("varno-cli: %1:4:hour: expected an hour (0 to 23), found \"24\"\n")
                  .arg(path("bad.csv")));
    EXPECT_FALSE(QFile::exists(path("no.prg")));

    // A project a running programmer has open (this test holds its lock) is
    // not replaced, even with --force; its lock is left as it was.
    {
        TProjectLock held(path("back.prg"));
        ASSERT_EQ(held.tryLock(), TProjectLock::State::Locked);
        const QByteArray before = read(path("back.prg"));
        const CliResult busy = runCli(
            {"import", path("p.csv"), "--output", path("back.prg"), "--force", "--into", prg});
        EXPECT_EQ(busy.exitCode, 1);
        EXPECT_TRUE(busy.err.contains("is open in VARNO Programmer")) << busy.err;
        EXPECT_EQ(read(path("back.prg")), before);
        EXPECT_TRUE(QFile::exists(TProjectLock::lockPath(path("back.prg"))));
    }
    EXPECT_EQ(
        runCli({"import", path("p.csv"), "--output", path("back.prg"), "--force", "--into", prg})
            .exitCode,
        0);
}

TEST_F(VarnoCliSchedule, reportInTheLanguageAsked)
{
    const QString prg = projectFile();
    const CliResult done = runCli(
        {"report", prg, "--output", path("r.html"), "--language", "es", "--from", "2026-12-09"});
    ASSERT_EQ(done.exitCode, 0) << done.err;
    const QString html = QString::fromUtf8(read(path("r.html")));
    EXPECT_TRUE(html.contains("Gare été"));
    EXPECT_TRUE(html.contains("Semana del 07/12/2026 al 13/12/2026"));
    EXPECT_TRUE(html.contains("Cada día- A las : 08:00"));
    EXPECT_TRUE(html.contains("Programa 3: temporizador activado pero programa inactivo"));
}

} // namespace
