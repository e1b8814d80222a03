#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <model/Clock.h>
#include <model/Errors.h>
#include <model/ProjectClasses.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 34, 56));

class ProgramRecord : public ::testing::Test
{
protected:
    varno::ScopedFixedClock clock{kNow};
};

TEST_F(ProgramRecord, newRecordHasTheDefaults)
{
    TVARNOProg p;
    EXPECT_EQ(p.NumOfProg, 1);
    EXPECT_EQ(p.Prioritary, 0);
    EXPECT_EQ(p.TimerOn, 0);
    EXPECT_EQ(p.Active, 1);
    EXPECT_EQ(p.WeekDay, 1);
    EXPECT_EQ(p.DateMode, 0);
    EXPECT_EQ(p.ActionCount, 1);
    for (int slot = 0; slot < TVARNOProg::ActionSlots; ++slot) {
        EXPECT_EQ(p.ActionKind[slot], akDirectory) << slot;
        EXPECT_EQ(p.ActionNumber[slot], 0) << slot;
        EXPECT_EQ(p.ActionValue[slot], 255) << slot;
    }
    EXPECT_EQ(p.Title, "...");
    EXPECT_EQ(p.Color, 0x808000u);
    EXPECT_EQ(p.Comment, QStringList{"..."});
    // Both schedule fields start at "now", time of day included.
    EXPECT_EQ(p.GetYear(), 2026);
    EXPECT_EQ(p.GetMonth(), 12);
    EXPECT_EQ(p.GetDay(), 7);
    EXPECT_EQ(p.GetHour(), 12);
    EXPECT_EQ(p.GetMinute(), 34);
    EXPECT_NE(p.GetDate(), std::trunc(p.GetDate()));
}

TEST_F(ProgramRecord, defaultInActiveProgResetsAllButTheCommentAndClearsActive)
{
    TVARNOProg p;
    p.NumOfProg = 42;
    p.Prioritary = 1;
    p.TimerOn = 1;
    p.WeekDay = 5;
    p.DateMode = 2;
    p.ActionCount = 4;
    p.ActionKind.fill(akVolume);
    p.ActionNumber.fill(9);
    p.ActionValue.fill(3);
    p.Title = "Opening";
    p.Color = 0xFF;
    p.Comment = QStringList{"edited", "twice"};
    p.SetDate(varno::datetime::EncodeDate(2030, 1, 2));
    p.SetHour(3);

    p.DefaultInActiveProg();

    EXPECT_EQ(p.NumOfProg, 1);
    EXPECT_EQ(p.Active, 0);
    EXPECT_EQ(p.Prioritary, 0);
    EXPECT_EQ(p.TimerOn, 0);
    EXPECT_EQ(p.WeekDay, 1);
    EXPECT_EQ(p.DateMode, 0);
    EXPECT_EQ(p.ActionCount, 1);
    EXPECT_EQ(p.ActionKind[5], akDirectory);
    EXPECT_EQ(p.ActionNumber[0], 0);
    EXPECT_EQ(p.ActionValue[2], 255);
    EXPECT_EQ(p.Title, "...");
    EXPECT_EQ(p.Color, 0x808000u);
    EXPECT_EQ(p.GetYear(), 2026);
    EXPECT_EQ(p.GetHour(), 12);
    EXPECT_EQ(p.Comment, (QStringList{"edited", "twice"}));
}

TEST_F(ProgramRecord, twoDigitYearKeepsTheLastTwoDigits)
{
    TVARNOProg p;
    p.SetDate(varno::datetime::EncodeDate(2007, 6, 1));
    EXPECT_EQ(p.Get2DigitFormatYear(), 7);
    p.SetYear(2100);
    EXPECT_EQ(p.Get2DigitFormatYear(), 0);
    p.SetYear(1999);
    EXPECT_EQ(p.Get2DigitFormatYear(), 99);
}

TEST_F(ProgramRecord, componentSetterThatMakesNoDateThrowsAndKeepsTheDate)
{
    TVARNOProg p;
    p.SetDate(varno::datetime::EncodeDate(2026, 1, 31));
    const TDateTime before = p.GetDate();

    EXPECT_THROW(p.SetMonth(2), TDateTimeEncodingError);
    EXPECT_EQ(p.GetDate(), before);
    EXPECT_THROW(p.SetMonth(13), TDateTimeEncodingError);
    EXPECT_THROW(p.SetMonth(0), TDateTimeEncodingError);
    EXPECT_THROW(p.SetDay(32), TDateTimeEncodingError);
    EXPECT_THROW(p.SetDay(0), TDateTimeEncodingError);
    EXPECT_THROW(p.SetYear(0), TDateTimeEncodingError);
    EXPECT_THROW(p.SetYear(10000), TDateTimeEncodingError);
    EXPECT_EQ(p.GetDate(), before);

    // A whole date goes in one step from any starting date.
    p.SetDate(varno::datetime::EncodeDate(2026, 2, 28));
    EXPECT_EQ(p.GetMonth(), 2);
    EXPECT_EQ(p.GetDay(), 28);
}

TEST_F(ProgramRecord, leapDayOnlyInLeapYears)
{
    TVARNOProg p;
    p.SetDate(varno::datetime::EncodeDate(2024, 2, 29));
    EXPECT_EQ(p.GetDay(), 29);
    EXPECT_THROW(p.SetYear(2023), TDateTimeEncodingError);
    EXPECT_EQ(p.GetYear(), 2024);
    EXPECT_NO_THROW(p.SetYear(2000)); // divisible by 400
    EXPECT_THROW(p.SetYear(2100), TDateTimeEncodingError);
}

TEST_F(ProgramRecord, clockSettersDropSecondsAndDate)
{
    TVARNOProg p;
    p.Clock = varno::datetime::FromDateTime(QDateTime(QDate(2026, 3, 4), QTime(13, 45, 30)));
    p.SetHour(7);
    EXPECT_EQ(varno::datetime::TimePart(p.Clock), QTime(7, 45, 0));
    EXPECT_LT(p.Clock, 1.0); // no date part left
    p.SetMinute(5);
    EXPECT_EQ(varno::datetime::TimePart(p.Clock), QTime(7, 5, 0));
}

TEST_F(ProgramRecord, clockSettersRejectImpossibleTimes)
{
    TVARNOProg p;
    p.SetHour(23);
    p.SetMinute(59);
    const TDateTime before = p.Clock;
    EXPECT_THROW(p.SetHour(24), TDateTimeEncodingError);
    EXPECT_THROW(p.SetMinute(60), TDateTimeEncodingError);
    EXPECT_THROW(p.SetHour(-1), TDateTimeEncodingError);
    EXPECT_EQ(p.Clock, before);
}

TEST_F(ProgramRecord, setDateKeepsOnlyTheCalendarDate)
{
    TVARNOProg p;
    EXPECT_NE(p.GetDate(), std::trunc(p.GetDate()));
    p.SetDate(varno::datetime::FromDateTime(QDateTime(QDate(2025, 5, 6), QTime(23, 59))));
    EXPECT_EQ(p.GetDate(), std::trunc(p.GetDate()));
    EXPECT_EQ(varno::datetime::DatePart(p.GetDate()), QDate(2025, 5, 6));
}

TEST(DayCount, epochAndKnownDates)
{
    EXPECT_EQ(varno::datetime::EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(varno::datetime::EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(varno::datetime::EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(varno::datetime::DatePart(46363.0), QDate(2026, 12, 7));
    EXPECT_DOUBLE_EQ(varno::datetime::EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(varno::datetime::TimePart(36526.75), QTime(18, 0));
}

TEST(ActionKinds, listEndingKinds)
{
    for (int kind = 0; kind < 16; ++kind) {
        const bool ends = kind == 1 || kind == 2 || kind == 8 || kind == 11;
        EXPECT_EQ(varno::actions::EndsActionList(quint8(kind)), ends) << kind;
    }
}

} // namespace
