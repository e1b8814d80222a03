#include <gtest/gtest.h>
#include <model/Clock.h>
#include <model/Project.h>
#include <model/Schedule.h>

namespace {

using namespace varno::schedule;

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 34, 56));

struct Timed
{
    int mode;
    QDate date;
    int weekDay;
    int hour;
    int minute;
};

TVARNOProg &addTimed(TProject &project, const Timed &t)
{
    TVARNOProg &p = *project.Programs.Add();
    p.TimerOn = 1;
    p.DateMode = quint8(t.mode);
    if (t.date.isValid())
        p.SetDate(varno::datetime::FromDate(t.date));
    p.WeekDay = quint8(t.weekDay);
    p.SetHour(t.hour);
    p.SetMinute(t.minute);
    p.Title = QStringLiteral("P%1").arg(p.NumOfProg);
    return p;
}

QStringList firingsOf(const Schedule &s)
{
    QStringList out;
    for (const Firing &f : s.firings)
        out << QStringLiteral("%1 %2:%3 #%4")
                   .arg(f.date.toString(Qt::ISODate))
                   .arg(f.minuteOfDay / 60, 2, 10, QLatin1Char('0'))
                   .arg(f.minuteOfDay % 60, 2, 10, QLatin1Char('0'))
                   .arg(f.number);
    return out;
}

struct ModeCase
{
    const char *name;
    Timed timed;
    QDate from;
    int days;
    QStringList expected;
};

class ScheduleFirings : public ::testing::TestWithParam<ModeCase>
{
protected:
    varno::ScopedFixedClock clock{kNow};
};

TEST_P(ScheduleFirings, firesOnTheDaysOfItsDateMode)
{
    const ModeCase &c = GetParam();
    TProject project;
    addTimed(project, c.timed);
    const Schedule s = BuildSchedule(project, c.from, c.days);
    EXPECT_EQ(firingsOf(s), c.expected);
    EXPECT_TRUE(s.problems.isEmpty());
}

// 2028-02-26 is a Saturday; 2028 is a leap year.
INSTANTIATE_TEST_SUITE_P(DateModes, ScheduleFirings,
                         ::testing::Values(ModeCase{"onItsDateOnly",
                                                    {0, QDate(2028, 2, 27), 1, 9, 5},
                                                    QDate(2028, 2, 26),
                                                    7,
                                                    {"2028-02-27 09:05 #1"}},
                                           ModeCase{"onTheLeapDay",
                                                    {0, QDate(2028, 2, 29), 1, 23, 59},
                                                    QDate(2028, 2, 26),
                                                    7,
                                                    {"2028-02-29 23:59 #1"}},
                                           ModeCase{"onADateOutsideTheRange",
                                                    {0, QDate(2028, 3, 4), 1, 9, 5},
                                                    QDate(2028, 2, 26),
                                                    7,
                                                    {}},
                                           ModeCase{"everyDayAcrossTheWeekBoundary",
                                                    {1, QDate(2020, 1, 1), 1, 0, 0},
                                                    QDate(2028, 2, 26),
                                                    4,
                                                    {"2028-02-26 00:00 #1", "2028-02-27 00:00 #1",
                                                     "2028-02-28 00:00 #1", "2028-02-29 00:00 #1"}},
                                           ModeCase{"weeklyOnTuesdayAcrossTheLeapDay",
                                                    {2, QDate(), 2, 7, 30},
                                                    QDate(2028, 2, 26),
                                                    14,
                                                    {"2028-02-29 07:30 #1", "2028-03-07 07:30 #1"}},
                                           ModeCase{"weeklyOnSundayAcrossTheWeekBoundary",
                                                    {2, QDate(), 7, 18, 0},
                                                    QDate(2028, 2, 26),
                                                    2,
                                                    {"2028-02-27 18:00 #1"}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Schedule, clashesInactiveTimersImpossibleDatesAndMissingTargets)
{
    varno::ScopedFixedClock clock{kNow};
    TProject project;
    const QDate monday(2026, 12, 7);
    TVARNOProg &daily = addTimed(project, {1, {}, 1, 8, 0});  // #1
    TVARNOProg &weekly = addTimed(project, {2, {}, 2, 8, 0}); // #2, Tuesday 08:00
    weekly.Prioritary = 1;
    TVARNOProg &inactive = addTimed(project, {1, {}, 1, 8, 0}); // #3
    inactive.Active = 0;
    addTimed(project, {0, QDate(1999, 12, 8), 1, 8, 0}); // #4
    addTimed(project, {2, {}, 9, 8, 0});                 // #5
    addTimed(project, {3, {}, 1, 8, 0});                 // #6
    // #1 goes on to 42, which no program holds; #2 goes on to 1, which exists.
    daily.ActionCount = 2;
    daily.ActionKind[0] = akTimerFile;
    daily.ActionKind[1] = akGoToProgram;
    daily.ActionNumber[1] = 42;
    weekly.ActionCount = 1;
    weekly.ActionKind[0] = akGoToProgram;
    weekly.ActionNumber[0] = 1;

    const Schedule s = BuildSchedule(project, monday, 7);

    ASSERT_EQ(s.firings.size(), 8);
    ASSERT_EQ(s.clashes.size(), 1);
    const Clash &clash = s.clashes.first();
    EXPECT_EQ(clash.date, QDate(2026, 12, 8));
    EXPECT_EQ(clash.minuteOfDay, 8 * 60);
    ASSERT_EQ(clash.firings.size(), 2);
    const Firing &a = s.firings[clash.firings[0]];
    const Firing &b = s.firings[clash.firings[1]];
    EXPECT_EQ(a.number, 1);
    EXPECT_FALSE(a.priority);
    EXPECT_EQ(a.followedBy, 42);
    EXPECT_EQ(b.number, 2);
    EXPECT_TRUE(b.priority);
    EXPECT_EQ(b.followedBy, 1);
    int clashing = 0;
    for (const Firing &f : s.firings)
        clashing += f.clashes ? 1 : 0;
    EXPECT_EQ(clashing, 2);

    QStringList problems;
    for (const Problem &p : s.problems)
        problems << QStringLiteral("%1:%2:%3").arg(int(p.kind)).arg(p.number).arg(p.value);
    EXPECT_EQ(problems,
              QStringList({QStringLiteral("%1:1:42").arg(int(ProblemKind::MissingGoTo)),
                           QStringLiteral("%1:3:0").arg(int(ProblemKind::InactiveTimer)),
                           QStringLiteral("%1:4:1999").arg(int(ProblemKind::ImpossibleDate)),
                           QStringLiteral("%1:5:9").arg(int(ProblemKind::WeekDayOutOfRange)),
                           QStringLiteral("%1:6:3").arg(int(ProblemKind::DateModeOutOfRange))}));
}

TEST(Schedule, listEndsAtTheFirstActionThatEndsIt)
{
    TVARNOProg p;
    p.ActionCount = 3;
    p.ActionKind = {akTimerFile, akSleepMode, akGoToProgram, 0, 0, 0};
    p.ActionNumber[2] = 9;
    EXPECT_EQ(FollowUpOf(p), 0);
    p.ActionKind[1] = akVolume;
    EXPECT_EQ(FollowUpOf(p), 9);
    p.ActionCount = 2; // the go-to lies beyond the list
    EXPECT_EQ(FollowUpOf(p), 0);
}

} // namespace
