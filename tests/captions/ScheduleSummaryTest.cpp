#include <QtPrinters.h>
#include <captions/ScheduleSummary.h>
#include <gtest/gtest.h>
#include <model/ProjectClasses.h>
#include <text/text.h>

namespace {

TVARNOProg timed(int mode)
{
    TVARNOProg p;
    p.TimerOn = 1;
    p.DateMode = quint8(mode);
    p.SetDate(varno::datetime::EncodeDate(2026, 5, 7));
    p.SetHour(9);
    p.SetMinute(5);
    return p;
}

TEST(ScheduleSummary, onTheDateInEveryLanguage)
{
    const TVARNOProg p = timed(0);
    EXPECT_EQ(ScheduleSummary(p, text::English), "Date : 07/05/2026 - At : 09:05");
    EXPECT_EQ(ScheduleSummary(p, text::French), "Le : 07/05/2026 - A : 09:05");
    EXPECT_EQ(ScheduleSummary(p, text::Spanish), "Fecha : 07/05/2026- A las : 09:05");
}

TEST(ScheduleSummary, everyDayAndEveryWeek)
{
    EXPECT_EQ(ScheduleSummary(timed(1), text::English), "Every day - At : 09:05");
    EXPECT_EQ(ScheduleSummary(timed(1), text::Spanish), QStringLiteral("Cada día- A las : 09:05"));
    TVARNOProg weekly = timed(2);
    weekly.WeekDay = 3;
    EXPECT_EQ(ScheduleSummary(weekly, text::English), "Every : Wednesday - At : 09:05");
    weekly.WeekDay = 7;
    EXPECT_EQ(ScheduleSummary(weekly, text::French), "Tous les : Dimanche - A : 09:05");
}

TEST(ScheduleSummary, timerOffAndOutsideValues)
{
    TVARNOProg off = timed(0);
    off.TimerOn = 0;
    EXPECT_EQ(ScheduleSummary(off, text::English), "...");
    off.TimerOn = 2; // only 1 counts as on
    EXPECT_EQ(ScheduleSummary(off, text::English), "...");
    TVARNOProg weekly = timed(2);
    weekly.WeekDay = 0;
    EXPECT_EQ(ScheduleSummary(weekly, text::English), "Every : ... - At : 09:05");
    EXPECT_EQ(ScheduleSummary(timed(9), text::English), "Date : 07/05/2026 - At : 09:05");
}

} // namespace
