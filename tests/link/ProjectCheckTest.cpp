#include <QtPrinters.h>
#include <functional>
#include <gtest/gtest.h>
#include <link/ProjectCheckText.h>
#include <model/Clock.h>
#include <model/DateTime.h>
#include <model/Project.h>
#include <text/text.h>

namespace {

class ProjectCheck : public ::testing::Test
{
protected:
    varno::ScopedFixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(8, 0))};
    TProject project;
};

TEST_F(ProjectCheck, defaultProgramsRaiseNothing)
{
    for (int i = 0; i < 255; ++i)
        project.Programs.Add();
    EXPECT_EQ(varno::projectcheck::CheckProject(project), QStringList{});
}

TEST_F(ProjectCheck, eachOutOfRangeFieldIsNamed)
{
    TVARNOProg *p = project.Programs.Add();
    p->WeekDay = 0;
    p->DateMode = 3;
    p->ActionCount = 7;
    p->SetYear(2100);
    const QStringList warnings = varno::projectcheck::CheckProject(project);
    ASSERT_EQ(warnings.size(), 4) << warnings.join('\n');
    EXPECT_TRUE(warnings[0].contains("weekday 0"));
    EXPECT_TRUE(warnings[1].contains("date mode 3"));
    EXPECT_TRUE(warnings[2].contains("action count 7"));
    EXPECT_TRUE(warnings[3].contains("year 2100 reaches the player as 2000"));
}

// What the encoder makes of a kind that does not fit its four bits.
TEST_F(ProjectCheck, kindsAboveFifteenAreReportedAsTheyArrive)
{
    TVARNOProg *p = project.Programs.Add();
    p->ActionCount = 6;
    p->ActionKind = {17, 0, 3, 20, 4, 16};
    EXPECT_EQ(varno::projectcheck::CheckProject(project),
              (QStringList{"program 1 (position 1): action 1 has kind 17, which does not fit in "
                           "four bits; the player receives kind 1 for it",
                           "program 1 (position 1): action 4 has kind 20, which does not fit in "
                           "four bits; the player receives kind 4 for it, and kind 4 instead of 3 "
                           "for action 3",
                           "program 1 (position 1): action 6 has kind 16, which does not fit in "
                           "four bits; the player receives kind 0 for it, and kind 5 instead of 4 "
                           "for action 5"}));
}

// Step n sends the next program of the list whenever some program bears n.
TEST_F(ProjectCheck, programsNeverSentAndStepsThatSendAnotherNumber)
{
    const struct
    {
        QList<int> numbers;
        QStringList warnings;
    } cases[] = {
        {{5, 2, 200}, {}}, // any order: each block carries its own number
        {{7, 7, 3},
         {"step 3 sends program 7 (position 1), not a program numbered 3",
          "program 7 (position 2) is sent after program 7 (position 1) and replaces it in the "
          "player",
          "program 3 (position 3) is never sent; the player keeps what it held under number 3"}},
        {{0, 44, 255},
         {"step 44 sends program 0 (position 1), not a program numbered 44",
          "program 0 (position 1) is sent with number 0, which names no slot of the player",
          "step 255 sends program 44 (position 2), not a program numbered 255",
          "program 255 (position 3) is never sent; the player keeps what it held under number "
          "255"}},
        {{4, 4}, {"program 4 (position 2) is never sent"}},
    };
    for (const auto &c : cases) {
        TProject numbered;
        for (int number : c.numbers)
            numbered.Programs.Add()->NumOfProg = quint8(number);
        EXPECT_EQ(varno::projectcheck::CheckProject(numbered), c.warnings)
            << QDebug::toString(c.numbers);
    }
}

TEST_F(ProjectCheck, unknownKindsCountOnlyInUsedSlots)
{
    TVARNOProg *p = project.Programs.Add();
    p->ActionCount = 2;
    p->ActionKind = {0, 7, 9, 13, 14, 15};
    const QStringList warnings = varno::projectcheck::CheckProject(project);
    ASSERT_EQ(warnings.size(), 1) << warnings.join('\n');
    EXPECT_TRUE(warnings[0].contains("action 2 has kind 7, which names no action"));
}

TEST_F(ProjectCheck, nameThatDoesNotFitTheBlock)
{
    project.Group.Name = QString(65, QLatin1Char('x')) + QStringLiteral("Ж");
    const QStringList warnings = varno::projectcheck::CheckProject(project);
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_TRUE(warnings[0].contains("66 characters"));
    EXPECT_TRUE(warnings[1].contains("cannot store"));
}

struct FindingCase
{
    const char *why;
    std::function<void(TProject &)> make;
    QStringList english;
};

TVARNOProg &timed(TProject &project, quint8 number, quint8 mode, int hour, int minute)
{
    TVARNOProg &p = *project.Programs.Add();
    p.NumOfProg = number;
    p.TimerOn = 1;
    p.DateMode = mode;
    p.SetHour(hour);
    p.SetMinute(minute);
    return p;
}

void goTo(TVARNOProg &p, quint8 number)
{
    p.ActionKind[0] = akGoToProgram;
    p.ActionNumber[0] = number;
    p.ActionCount = 1;
}

// What is said before a transmit, each finding naming its programs; the
// transmit's own warnings say shared numbers and years already.
TEST_F(ProjectCheck, transmitFindingsNameTheirPrograms)
{
    const FindingCase cases[] = {
        {"a jump to a number no program bears",
         [](TProject &p) { goTo(*p.Programs.Add(), 9); },
         {"program 001 goes to program 009, which no program bears"}},
        {"a jump to a program",
         [](TProject &p) {
             goTo(*p.Programs.Add(), 2);
             p.Programs.Add();
         },
         {}},
        {"a timer on an inactive program",
         [](TProject &p) { timed(p, 1, 1, 8, 30).Active = 0; },
         {"program 001 has its timer on but is not active: it will not fire"}},
        {"every day, a Friday and a date on a Friday at one minute",
         [](TProject &p) {
             timed(p, 1, 1, 8, 30);
             timed(p, 2, 2, 8, 30).WeekDay = 5;
             timed(p, 3, 0, 8, 30).SetDate(varno::datetime::EncodeDate(2027, 1, 1));
             timed(p, 4, 1, 8, 31);
         },
         {"programs 001, 002, 003 can fire at the same minute (08:30)"}},
        {"a Monday and a date on a Friday at one minute",
         [](TProject &p) {
             timed(p, 1, 2, 8, 30).WeekDay = 1;
             timed(p, 2, 0, 8, 30).SetDate(varno::datetime::EncodeDate(2027, 1, 1));
         },
         {}},
        {"two dates at one minute",
         [](TProject &p) {
             timed(p, 1, 0, 23, 59).SetDate(varno::datetime::EncodeDate(2027, 1, 1));
             timed(p, 2, 0, 23, 59).SetDate(varno::datetime::EncodeDate(2027, 1, 1));
             timed(p, 3, 0, 23, 59).SetDate(varno::datetime::EncodeDate(2027, 1, 2));
         },
         {"programs 001, 002 can fire at the same minute (23:59)"}},
        {"an inactive program fires with no other",
         [](TProject &p) {
             timed(p, 1, 1, 8, 30);
             timed(p, 2, 1, 8, 30).Active = 0;
         },
         {"program 002 has its timer on but is not active: it will not fire"}},
        {"a date the player cannot hold",
         [](TProject &p) {
             TVARNOProg &late = timed(p, 1, 0, 8, 30);
             late.SetYear(2150);
             timed(p, 2, 0, 8, 30).SetYear(2150); // never fires: no clash either
         },
         {"program 001 fires on a date in 2150, a year the player cannot hold",
          "program 002 fires on a date in 2150, a year the player cannot hold"}},
        {"programs under one number",
         [](TProject &p) {
             for (int i = 0; i < 3; ++i)
                 p.Programs.Add()->NumOfProg = 4;
         },
         {"3 programs bear number 004; the player keeps only one"}},
    };
    for (const FindingCase &c : cases) {
        SCOPED_TRACE(c.why);
        TProject checked;
        c.make(checked);
        const QList<TFinding> findings = varno::projectcheck::TransmitFindings(checked);
        QStringList english;
        for (const TFinding &f : findings)
            english << varno::projectcheck::FindingText(f, text::English);
        EXPECT_EQ(english, c.english);
        for (const TFinding &f : findings) {
            const bool saidByTheTransmit =
                f.kind == TFindingKind::SharedNumber || f.kind == TFindingKind::ImpossibleDate;
            EXPECT_EQ(varno::projectcheck::CheckProject(checked).contains(
                          varno::projectcheck::FindingText(f, text::English)),
                      !saidByTheTransmit);
            for (text::Language language : {text::French, text::Spanish}) {
                const QString line = varno::projectcheck::FindingText(f, language);
                EXPECT_NE(line, varno::projectcheck::FindingText(f, text::English));
                EXPECT_TRUE(line.contains(
                    QStringLiteral("%1").arg(f.numbers.first(), 3, 10, QLatin1Char('0'))))
                    << line.toStdString();
            }
        }
    }
}

TEST_F(ProjectCheck, atMostTenFindingsAreListedThenHowManyMore)
{
    for (int n = 1; n <= 12; ++n)
        goTo(*project.Programs.Add(), quint8(200 + n));
    const QStringList lines = varno::projectcheck::FindingLines(
        varno::projectcheck::TransmitFindings(project), text::English);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[9], "program 010 goes to program 210, which no program bears");
    EXPECT_EQ(lines[10], "and 2 more");
    EXPECT_EQ(varno::projectcheck::FindingLines(varno::projectcheck::TransmitFindings(project),
                                                text::English, 12)
                  .size(),
              12);
}

} // namespace
