#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <model/Clock.h>
#include <model/Project.h>
#include <model/ProjectCheck.h>

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
    p->NumOfProg = 0;
    p->WeekDay = 0;
    p->DateMode = 3;
    p->ActionCount = 7;
    p->ActionKind[5] = 16;
    p->SetYear(2100);
    const QStringList warnings = CheckProject(project);
    ASSERT_EQ(warnings.size(), 6) << warnings.join('\n');
    EXPECT_TRUE(warnings[0].contains("number 0 is outside 1..255"));
    EXPECT_TRUE(warnings[1].contains("weekday 0"));
    EXPECT_TRUE(warnings[2].contains("date mode 3"));
    EXPECT_TRUE(warnings[3].contains("action count 7"));
    EXPECT_TRUE(warnings[4].contains("action 6 has kind 16"));
    EXPECT_TRUE(warnings[5].contains("year 2100 reaches the player as 2000"));
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
