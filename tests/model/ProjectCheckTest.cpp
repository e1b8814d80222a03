#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <link/ProjectCheck.h>
#include <model/Clock.h>
#include <model/Project.h>

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
    EXPECT_EQ(CheckProject(project), QStringList{});
}

TEST_F(ProjectCheck, eachOutOfRangeFieldIsNamed)
{
    TVARNOProg *p = project.Programs.Add();
    p->WeekDay = 0;
    p->DateMode = 3;
    p->ActionCount = 7;
    p->SetYear(2100);
    const QStringList warnings = CheckProject(project);
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
    EXPECT_EQ(CheckProject(project),
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
        EXPECT_EQ(CheckProject(numbered), c.warnings) << QDebug::toString(c.numbers);
    }
}

TEST_F(ProjectCheck, unknownKindsCountOnlyInUsedSlots)
{
    TVARNOProg *p = project.Programs.Add();
    p->ActionCount = 2;
    p->ActionKind = {0, 7, 9, 13, 14, 15};
    const QStringList warnings = CheckProject(project);
    ASSERT_EQ(warnings.size(), 1) << warnings.join('\n');
    EXPECT_TRUE(warnings[0].contains("action 2 has kind 7, which names no action"));
}

TEST_F(ProjectCheck, nameThatDoesNotFitTheBlock)
{
    project.Group.Name = QString(65, QLatin1Char('x')) + QStringLiteral("Ж");
    const QStringList warnings = CheckProject(project);
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_TRUE(warnings[0].contains("66 characters"));
    EXPECT_TRUE(warnings[1].contains("cannot store"));
}

} // namespace
