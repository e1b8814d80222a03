#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <link/EepromImage.h>
#include <link/TransmitImage.h>
#include <model/Clock.h>
#include <model/ProgList.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 34, 56));

QList<int> numbersOnTheWire(const std::vector<TTrameList> &blocks)
{
    QList<int> numbers;
    for (const TTrameList &b : blocks)
        numbers << b[1].Value;
    return numbers;
}

TEST(TransmitImage, emptyProjectSendsAnEmptySlotForEveryNumber)
{
    varno::ScopedFixedClock clock(kNow);
    TProgList programs;
    const auto blocks = varno::eeprom::TransmitBlocks(programs);
    ASSERT_EQ(blocks.size(), 255u);
    for (int n = 1; n <= 255; ++n) {
        EXPECT_TRUE(IsEmptySlot(blocks[n - 1])) << n;
        EXPECT_EQ(varno::eeprom::ToBytes(blocks[n - 1]),
                  varno::eeprom::ToBytes(varno::eeprom::EmptySlotBlock(quint8(n))));
    }
}

TEST(TransmitImage, programsGoOutInListOrderAtTheStepsOfTheirNumbers)
{
    TProgList programs;
    programs.Add()->NumOfProg = 5;
    programs.Add()->NumOfProg = 2;
    programs.Add()->NumOfProg = 200;
    const auto blocks = varno::eeprom::TransmitBlocks(programs);
    const QList<int> numbers = numbersOnTheWire(blocks);
    EXPECT_EQ(numbers.mid(0, 6), (QList<int>{1, 5, 3, 4, 2, 6}));
    EXPECT_EQ(numbers.at(199), 200);
    EXPECT_EQ(numbers.at(254), 255);
    int programsSent = 0;
    for (int n = 1; n <= 255; ++n) {
        const bool held = n == 2 || n == 5 || n == 200;
        EXPECT_EQ(IsEmptySlot(blocks[n - 1]), !held) << n;
        programsSent += held;
    }
    EXPECT_EQ(programsSent, 3);
}

TEST(TransmitImage, duplicateNumbersSendTheFirstProgramOnly)
{
    TProgList programs;
    programs.Add()->NumOfProg = 3;
    TVARNOProg *second = programs.Add();
    second->NumOfProg = 3;
    second->Active = 0;
    const auto blocks = varno::eeprom::TransmitBlocks(programs);
    EXPECT_FALSE(IsEmptySlot(blocks[2]));
    EXPECT_EQ(blocks[2][2].Value & 0x20, 0x20); // the first one, active
    int programsSent = 0;
    for (const TTrameList &b : blocks)
        programsSent += !IsEmptySlot(b);
    EXPECT_EQ(programsSent, 1);
}

} // namespace
