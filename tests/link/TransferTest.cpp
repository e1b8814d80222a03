#include "EmulatorFixture.h"

#include <PlayerBlocks.h>
#include <QtPrinters.h>
#include <link/Transfer.h>
#include <model/Project.h>

namespace varno::test {
namespace {

struct RecordingObserver : TTransferObserver
{
    int starts = 0;
    int finalization = 0;
    QList<int> doneSlots;
    QList<TLinkResult> failures;

    void transferStarted() override { ++starts; }
    void slotDone(int slot) override { doneSlots << slot; }
    void finalizationStep() override { ++finalization; }
    void linkFailure(TLinkResult result) override { failures << result; }
};

TVARNOProg &addProgram(TProject &project, quint8 number)
{
    TVARNOProg &p = *project.Programs.Add();
    p.NumOfProg = number;
    p.SetDate(varno::datetime::EncodeDate(2026, 12, 7));
    p.SetHour(12);
    p.SetMinute(34);
    return p;
}

class Transfer : public EmulatorTest
{
protected:
    void startCounting(TEmulatorOptions options = {}, TPlayerMemory memory = TPlayerMemory::Empty())
    {
        options.OnFinalize = [this] { ++finalizes; };
        startEmulator(std::move(options), std::move(memory));
    }

    std::atomic<int> finalizes{0};
    RecordingObserver observer;
};

TEST_F(Transfer, emptyProjectWritesEmptySlotsTheNameAndFinalizes)
{
    startCounting();
    TProject project;
    EXPECT_EQ(varno::transfer::RunTransmit(link, device, project, observer), TLinkResult::Ok);
    EXPECT_FALSE(link.isOpen());
    emulator->stop();
    const TPlayerMemory memory = emulator->memory();
    for (int slot = 1; slot <= 255; ++slot) {
        EXPECT_GE(memory.block(slot)[2], 0x80) << slot;
        EXPECT_EQ(memory.block(slot)[1], slot);
    }
    const auto name = memory.name();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(name.data()), 11), "New Project");
    EXPECT_EQ(name[11], 0);
    EXPECT_EQ(finalizes.load(), 1);
    EXPECT_EQ(observer.doneSlots.size(), 255);
    EXPECT_EQ(observer.doneSlots.last(), 255);
    EXPECT_EQ(observer.finalization, 1);
    EXPECT_TRUE(observer.failures.isEmpty());
}

TEST_F(Transfer, programsLandInTheirOwnSlotsWhateverTheListOrder)
{
    startCounting();
    TProject project;
    addProgram(project, 5).Title = "five";
    addProgram(project, 2).Prioritary = 1;
    addProgram(project, 200).DateMode = 2;
    ASSERT_EQ(varno::transfer::RunTransmit(link, device, project, observer), TLinkResult::Ok);
    emulator->stop();
    const TPlayerMemory memory = emulator->memory();
    for (int slot = 1; slot <= 255; ++slot) {
        const bool held = slot == 2 || slot == 5 || slot == 200;
        EXPECT_EQ(memory.block(slot)[2] < 0x80, held) << slot;
    }
    EXPECT_EQ(memory.block(2)[3], 0x10); // the prioritary one
    EXPECT_EQ(memory.block(200)[3], 0x02);
}

TEST_F(Transfer, transmitThenReceiveGivesBackEveryStoredField)
{
    startCounting();
    TProject project;
    project.Group.Name = QString(64, QLatin1Char('N'));
    for (int i = 0; i < 30; ++i) {
        TVARNOProg &p = addProgram(project, quint8(250 - 7 * i));
        p.Active = quint8(i % 2);
        p.TimerOn = quint8(i % 3 == 0);
        p.WeekDay = quint8(1 + i % 7);
        p.DateMode = quint8(i % 3);
        p.ActionCount = quint8(i % 7);
        for (std::size_t s = 0; s < 6; ++s) {
            p.ActionKind[s] = quint8((i + int(s)) % 16);
            p.ActionNumber[s] = quint8(i * 3 + int(s));
            p.ActionValue[s] = quint8(200 - i);
        }
        p.SetDate(varno::datetime::EncodeDate(2030, 1 + i % 12, 1 + i % 28));
        p.SetHour(i % 24);
        p.SetMinute(i * 2);
    }
    ASSERT_EQ(varno::transfer::RunTransmit(link, device, project, observer), TLinkResult::Ok);
    TReceivedPrograms received;
    ASSERT_EQ(varno::transfer::RunReceive(link, device, received, observer), TLinkResult::Ok);
    ASSERT_EQ(received.programs.count(), 30);
    EXPECT_TRUE(received.resetSchedules.isEmpty());
    // Received in slot order: the list's reverse.
    for (int i = 0; i < 30; ++i) {
        const TVARNOProg &sent = project.Programs.at(29 - i);
        const TVARNOProg &got = received.programs.at(i);
        EXPECT_EQ(got.NumOfProg, sent.NumOfProg);
        EXPECT_EQ(got.Active, sent.Active);
        EXPECT_EQ(got.TimerOn, sent.TimerOn);
        EXPECT_EQ(got.WeekDay, sent.WeekDay);
        EXPECT_EQ(got.DateMode, sent.DateMode);
        EXPECT_EQ(got.ActionCount, sent.ActionCount);
        EXPECT_EQ(got.ActionKind, sent.ActionKind);
        EXPECT_EQ(got.ActionNumber, sent.ActionNumber);
        EXPECT_EQ(got.ActionValue, sent.ActionValue);
        EXPECT_EQ(got.GetDate(), sent.GetDate());
        EXPECT_EQ(got.GetHour(), sent.GetHour());
        EXPECT_EQ(got.GetMinute(), sent.GetMinute());
    }
    QString name;
    EXPECT_EQ(varno::transfer::ReadProjectName(link, device, name, observer), TLinkResult::Ok);
    EXPECT_EQ(name, project.Group.Name);
    EXPECT_EQ(finalizes.load(), 2);
}

TEST_F(Transfer, shortNameReadsBackWithoutItsZeroBytes)
{
    startCounting();
    TProject project;
    project.Group.Name = QStringLiteral("Quai Ouest");
    ASSERT_EQ(varno::transfer::RunTransmit(link, device, project, observer), TLinkResult::Ok);
    QString name;
    ASSERT_EQ(varno::transfer::ReadProjectName(link, device, name, observer), TLinkResult::Ok);
    EXPECT_EQ(name, "Quai Ouest");
}

TEST_F(Transfer, emptyPlayerGivesNoPrograms)
{
    startCounting();
    TReceivedPrograms received;
    EXPECT_EQ(varno::transfer::RunReceive(link, device, received, observer), TLinkResult::Ok);
    EXPECT_TRUE(received.programs.isEmpty());
    EXPECT_EQ(observer.doneSlots.size(), 255);
}

TEST_F(Transfer, silentPlayerFailsWithoutAPhantomProgram)
{
    TEmulatorOptions options;
    options.Faults.Silent = true;
    startCounting(options);
    TReceivedPrograms received;
    EXPECT_EQ(varno::transfer::RunReceive(link, device, received, observer),
              TLinkResult::PlayerNotReady);
    EXPECT_TRUE(received.programs.isEmpty());
    EXPECT_EQ(observer.failures, QList<TLinkResult>{TLinkResult::PlayerNotReady});
    EXPECT_FALSE(link.isOpen());
    QString name = "unchanged";
    EXPECT_EQ(varno::transfer::ReadProjectName(link, device, name, observer),
              TLinkResult::PlayerNotReady);
    EXPECT_EQ(observer.failures.last(), TLinkResult::EepromReadError);
    EXPECT_EQ(name, "unchanged");
    EXPECT_FALSE(link.isOpen());

    TProject project;
    observer.failures.clear();
    EXPECT_EQ(varno::transfer::RunTransmit(link, device, project, observer),
              TLinkResult::PlayerNotReady);
    EXPECT_EQ(observer.doneSlots.last(), 1);
    EXPECT_EQ(finalizes.load(), 0);
}

// A stored date or time of day that does not exist takes the placeholder's
// (the current date and time), alone: the part that decodes is kept.
TEST_F(Transfer, impossibleStoredDateOrTimeTakesThePlaceholdersForThatPartOnly)
{
    struct Case
    {
        const char *name;
        int byte;     // the schedule byte spoilt
        quint8 value; // with this value
        QDate date;   // what the program gets
        int hour, minute;
    };
    const QDate stored(2026, 12, 7), now(2031, 3, 3);
    const Case cases[] = {
        {"month 13", 13, quint8((4 << 4) | 13), now, 12, 34},
        {"30 February", 14, 30, now, 12, 34},
        {"hour 24", 16, 24, stored, 4, 5},
        {"minute 60", 17, 60, stored, 4, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TVARNOProg program;
        program.NumOfProg = 12;
        program.ActionValue.fill(7);
        program.WeekDay = 4;
        program.SetDate(varno::datetime::EncodeDate(2026, c.byte == 14 ? 2 : 12, 7));
        program.SetHour(12);
        program.SetMinute(34);
        auto block = storedBlock(program);
        block[std::size_t(c.byte)] = c.value;
        TPlayerMemory memory = TPlayerMemory::Empty();
        memory.setBlock(12, block);
        startCounting({}, memory);

        TReceivedPrograms received;
        {
            const varno::ScopedFixedClock clock(QDateTime(now, QTime(4, 5)));
            ASSERT_EQ(varno::transfer::RunReceive(link, device, received, observer),
                      TLinkResult::Ok);
        }
        emulator->stop();
        ASSERT_EQ(received.programs.count(), 1);
        const TVARNOProg &p = received.programs.at(0);
        EXPECT_EQ(p.NumOfProg, 12);
        EXPECT_EQ(p.WeekDay, 4);
        EXPECT_EQ(p.Active, 1);
        EXPECT_EQ(varno::datetime::DatePart(p.Date), c.date);
        EXPECT_EQ(p.GetHour(), c.hour);
        EXPECT_EQ(p.GetMinute(), c.minute);
        EXPECT_EQ(p.ActionValue[5], 7);
        EXPECT_EQ(received.resetSchedules, QList<int>{12});
    }
}

TEST_F(Transfer, lineHungUpMidwayEndsWithACode)
{
    TEmulatorOptions options;
    options.Faults.HangUpAfterBlocks = 40;
    startCounting(options);
    TProject project;
    const TLinkResult transmitted = varno::transfer::RunTransmit(link, device, project, observer);
    EXPECT_NE(transmitted, TLinkResult::Ok);
    EXPECT_EQ(observer.doneSlots.size(), 41);
    EXPECT_FALSE(link.isOpen());
}

TEST_F(Transfer, lineHungUpDuringAReceiveKeepsWhatArrived)
{
    TEmulatorOptions options;
    options.Faults.HangUpAfterBlocks = 10;
    startCounting(options);
    TReceivedPrograms received;
    EXPECT_NE(varno::transfer::RunReceive(link, device, received, observer), TLinkResult::Ok);
    EXPECT_TRUE(received.programs.isEmpty()); // an empty player: nothing arrived
    EXPECT_EQ(observer.doneSlots.size(), 11);
}

TEST_F(Transfer, missingPortIsAnOpeningError)
{
    TProject project;
    EXPECT_EQ(varno::transfer::RunTransmit(link, "/dev/no-such-port", project, observer),
              TLinkResult::OpenError);
    EXPECT_EQ(observer.failures, QList<TLinkResult>{TLinkResult::OpenError});
    EXPECT_EQ(observer.starts, 0);
}

} // namespace
} // namespace varno::test
