#include <QRandomGenerator>
#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <link/EepromImage.h>
#include <model/Clock.h>
#include <model/Errors.h>

namespace {

using varno::eeprom::FromBytes;
using varno::eeprom::ToBytes;

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 34, 56));

QByteArray encode(const TVARNOProg &p, bool emptySlot = false)
{
    TTrameList frames;
    ProgToTrames(p, frames, emptySlot);
    return ToBytes(frames);
}

class EepromImage : public ::testing::Test
{
protected:
    varno::ScopedFixedClock clock{kNow};
};

TEST_F(EepromImage, newRecordEncodesToTheDocumentedBlock)
{
    TVARNOProg p;
    p.SetDate(varno::datetime::EncodeDate(2026, 12, 7));
    p.SetHour(12);
    p.SetMinute(34);
    EXPECT_EQ(encode(p).toHex(' ').toUpper(),
              "00 01 21 00 11 11 11 00 00 00 00 00 00 1C 07 1A 0C 22 FF FF FF FF FF FF");

    TTrameList frames;
    ProgToTrames(p, frames, true);
    const QByteArray marked = ToBytes(frames);
    EXPECT_EQ(quint8(marked[2]), 0xA1);
    QByteArray unmarked = marked;
    unmarked[2] = char(0x21);
    EXPECT_EQ(unmarked, encode(p));
    EXPECT_TRUE(IsEmptySlot(frames));
    EXPECT_FALSE(IsEmptySlot(FromBytes(encode(p))));
    for (const TTrame &f : frames)
        EXPECT_EQ(f.Length, 1);
}

TEST_F(EepromImage, emptySlotBlockOf255)
{
    const QByteArray block = ToBytes(varno::eeprom::EmptySlotBlock(255));
    EXPECT_EQ(block.toHex(' ').toUpper(),
              "00 FF 81 00 11 11 11 00 00 00 00 00 00 1C 07 1A 0C 22 FF FF FF FF FF FF");
}

TEST_F(EepromImage, priorityModeAndWeekdayShareTheirBytes)
{
    TVARNOProg p;
    p.Prioritary = 1;
    p.DateMode = 2;
    p.WeekDay = 7;
    p.TimerOn = 1;
    const QByteArray block = encode(p);
    EXPECT_EQ(quint8(block[3]), 0x12);
    EXPECT_EQ(quint8(block[13]) >> 4, 7);
    EXPECT_EQ(quint8(block[2]), 0x31);

    TVARNOProg q;
    q.Prioritary = 0;
    q.TimerOn = 0;
    TramesToProg(q, FromBytes(block));
    EXPECT_EQ(q.Prioritary, 1);
    EXPECT_EQ(q.DateMode, 2);
    EXPECT_EQ(q.WeekDay, 7);
    EXPECT_EQ(q.TimerOn, 1);
    EXPECT_EQ(q.Active, 1);
}

TEST_F(EepromImage, kindsArePackedTwoToAByte)
{
    TVARNOProg p;
    p.ActionKind = {0, 6, 12, 3, 4, 5};
    const QByteArray block = encode(p);
    EXPECT_EQ(block.mid(4, 3), QByteArray("\x06\xC3\x45"));
}

TEST_F(EepromImage, flagsCountOnlyWhenExactlyOne)
{
    TVARNOProg p;
    p.Active = 2;
    p.TimerOn = 3;
    p.Prioritary = 255;
    const QByteArray block = encode(p);
    EXPECT_EQ(quint8(block[2]), 0x01);
    EXPECT_EQ(quint8(block[3]), 0x00);
}

TEST_F(EepromImage, randomRecordsRoundTrip)
{
    QRandomGenerator rng(20261207);
    for (int i = 0; i < 2000; ++i) {
        TVARNOProg p;
        p.NumOfProg = quint8(rng.bounded(1, 256));
        p.Prioritary = quint8(rng.bounded(2));
        p.TimerOn = quint8(rng.bounded(2));
        p.Active = quint8(rng.bounded(2));
        p.WeekDay = quint8(rng.bounded(1, 8));
        p.DateMode = quint8(rng.bounded(3));
        p.ActionCount = quint8(rng.bounded(7));
        for (int s = 0; s < TVARNOProg::ActionSlots; ++s) {
            p.ActionKind[s] = quint8(rng.bounded(16));
            p.ActionNumber[s] = quint8(rng.bounded(256));
            p.ActionValue[s] = quint8(rng.bounded(256));
        }
        const QDate date = QDate(2000, 1, 1).addDays(rng.bounded(36525));
        p.SetDate(varno::datetime::FromDate(date));
        p.Clock = varno::datetime::FromDateTime(
            QDateTime(QDate(2020, 1, 1), QTime(rng.bounded(24), rng.bounded(60), 13)));

        TVARNOProg q;
        q.Title = "kept";
        TramesToProg(q, FromBytes(encode(p)));
        ASSERT_EQ(q.NumOfProg, p.NumOfProg);
        ASSERT_EQ(q.Prioritary, p.Prioritary);
        ASSERT_EQ(q.TimerOn, p.TimerOn);
        ASSERT_EQ(q.Active, p.Active);
        ASSERT_EQ(q.WeekDay, p.WeekDay);
        ASSERT_EQ(q.DateMode, p.DateMode);
        ASSERT_EQ(q.ActionCount, p.ActionCount);
        ASSERT_EQ(q.ActionKind, p.ActionKind);
        ASSERT_EQ(q.ActionNumber, p.ActionNumber);
        ASSERT_EQ(q.ActionValue, p.ActionValue);
        ASSERT_EQ(varno::datetime::DatePart(q.GetDate()), date);
        ASSERT_EQ(q.GetDate(), std::trunc(q.GetDate()));
        ASSERT_EQ(varno::datetime::TimePart(q.Clock),
                  QTime(p.GetHour(), p.GetMinute())); // seconds and date dropped
        ASSERT_LT(q.Clock, 1.0);
        ASSERT_EQ(q.Title, "kept");
        ASSERT_EQ(encode(q), encode(p));
    }
}

TEST_F(EepromImage, yearOutsideTheCenturyComesBackModulo100)
{
    TVARNOProg p;
    p.SetDate(varno::datetime::EncodeDate(1987, 6, 5));
    TVARNOProg q;
    TramesToProg(q, FromBytes(encode(p)));
    EXPECT_EQ(varno::datetime::DatePart(q.GetDate()), QDate(2087, 6, 5));
}

TEST_F(EepromImage, leapDayDecodesWhateverTheRecordHeld)
{
    TVARNOProg p;
    p.SetDate(varno::datetime::EncodeDate(2024, 2, 29));
    const TTrameList block = FromBytes(encode(p));
    for (const QDate start : {QDate(2023, 1, 31), QDate(2025, 2, 28), QDate(2024, 4, 30)}) {
        TVARNOProg q;
        q.SetDate(varno::datetime::FromDate(start));
        TramesToProg(q, block);
        EXPECT_EQ(varno::datetime::DatePart(q.GetDate()), QDate(2024, 2, 29)) << start.toString();
    }
}

TEST_F(EepromImage, impossibleDateOrTimeFailsAfterTheEarlierFields)
{
    TVARNOProg p;
    p.NumOfProg = 77;
    p.ActionValue.fill(5);
    QByteArray block = encode(p);

    QByteArray month13 = block;
    month13[13] = char(0x1D);
    TVARNOProg q;
    const TDateTime before = q.GetDate();
    EXPECT_THROW(TramesToProg(q, FromBytes(month13)), TDateTimeEncodingError);
    EXPECT_EQ(q.NumOfProg, 77);       // decoded before the date
    EXPECT_EQ(q.GetDate(), before);   // unchanged
    EXPECT_EQ(q.ActionValue[0], 255); // after the date: not reached

    QByteArray april31 = block;
    april31[13] = char(0x14);
    april31[14] = char(31);
    EXPECT_THROW(TramesToProg(q, FromBytes(april31)), TDateTimeEncodingError);

    QByteArray day0 = block;
    day0[14] = 0;
    EXPECT_THROW(TramesToProg(q, FromBytes(day0)), TDateTimeEncodingError);

    QByteArray hour24 = block;
    hour24[16] = char(24);
    EXPECT_THROW(TramesToProg(q, FromBytes(hour24)), TDateTimeEncodingError);

    QByteArray minute60 = block;
    minute60[17] = char(60);
    EXPECT_THROW(TramesToProg(q, FromBytes(minute60)), TDateTimeEncodingError);
}

TEST_F(EepromImage, decoderIgnoresTheMarkerAndByteZero)
{
    TVARNOProg p;
    p.NumOfProg = 9;
    QByteArray block = encode(p, true);
    block[0] = char(0x55);
    TVARNOProg q;
    TramesToProg(q, FromBytes(block));
    EXPECT_EQ(q.NumOfProg, 9);
    EXPECT_EQ(q.Active, 1);
    EXPECT_EQ(q.ActionCount, 1);
}

TEST_F(EepromImage, shortBlockIsRefused)
{
    TVARNOProg q;
    EXPECT_THROW(TramesToProg(q, FromBytes(QByteArray(23, 0))), std::invalid_argument);
    EXPECT_EQ(q.NumOfProg, 1);
}

TEST(ProjectNameBlock, shortNameIsFollowedByZeros)
{
    const QByteArray block = varno::eeprom::ProjectNameBlock("Hall Ouest");
    ASSERT_EQ(block.size(), 64);
    EXPECT_EQ(block.left(10), "Hall Ouest");
    EXPECT_EQ(block.mid(10), QByteArray(54, '\0'));
    EXPECT_EQ(varno::eeprom::ProjectNameBlock(""), QByteArray(64, '\0'));
}

TEST(ProjectNameBlock, sixtyFourCharactersFillTheBlockAndReadBackWhole)
{
    const QString name = QStringLiteral("é").repeated(4) + QString(60, QLatin1Char('N'));
    const QByteArray block = varno::eeprom::ProjectNameBlock(name);
    ASSERT_EQ(block.size(), 64);
    EXPECT_EQ(quint8(block[0]), 0xE9);
    EXPECT_FALSE(block.contains('\0'));
    EXPECT_EQ(varno::eeprom::ProjectNameFromBlock(block), name);
    // Longer names are cut to the block.
    EXPECT_EQ(varno::eeprom::ProjectNameBlock(name + "tail"), block);
}

TEST(ProjectNameBlock, readBackKeepsTheZeroBytes)
{
    const QString read =
        varno::eeprom::ProjectNameFromBlock(varno::eeprom::ProjectNameBlock("Quai"));
    EXPECT_EQ(read.size(), 64);
    EXPECT_TRUE(read.startsWith("Quai"));
    EXPECT_EQ(read.at(4), QChar(0));
}

} // namespace
