// The bytes and the order of steps of every operation of the link, against a
// player that answers at once.
#include "ScriptedLinkFixture.h"

#include <link/EepromImage.h>

namespace varno::test {
namespace {

using varno::link::TFlowControl;
using varno::link::TLineSettings;
using varno::link::TParity;
using varno::link::TStopBits;

class ExchangeBytes : public ScriptedLinkTest
{
};

TEST_F(ExchangeBytes, OpenAppliesPlayerLineSettingsOverWhateverThePortHad)
{
    TLineSettings odd;
    odd.BaudRate = 9600;
    odd.DataBits = 7;
    odd.Parity = TParity::Even;
    odd.StopBits = TStopBits::Two;
    odd.FlowControl = TFlowControl::Hardware;
    odd.DtrAsserted = true;
    odd.RtsAsserted = true;
    port->currentSettings = odd;

    ASSERT_EQ(link->OpenComPort(QStringLiteral("COM3")), TLinkResult::Ok);

    EXPECT_EQ(port->trace(), QStringLiteral("open get set timeouts purge"));
#if defined(Q_OS_WIN)
    EXPECT_EQ(port->openedDevice, QStringLiteral("COM3"));
#else
    EXPECT_EQ(port->openedDevice, QStringLiteral("/dev/ttyS2"));
#endif
    for (const TLineSettings &s : {port->initialSettings, port->appliedSettings}) {
        EXPECT_EQ(s.BaudRate, 57600);
        EXPECT_EQ(s.DataBits, 8);
        EXPECT_EQ(s.Parity, TParity::None);
        EXPECT_EQ(s.StopBits, TStopBits::One);
        EXPECT_EQ(s.FlowControl, TFlowControl::None);
        EXPECT_FALSE(s.DtrAsserted);
        EXPECT_FALSE(s.RtsAsserted);
    }
    const varno::link::TTimeouts &t = port->appliedTimeouts;
    EXPECT_EQ(t.ReadInterval, 2u);
    EXPECT_EQ(t.ReadTotalMultiplier, 10u);
    EXPECT_EQ(t.ReadTotalConstant, 50u);
    EXPECT_EQ(t.WriteTotalMultiplier, 20u);
    EXPECT_EQ(t.WriteTotalConstant, 50u);
    EXPECT_EQ(t.readBound(1), 60);
    EXPECT_EQ(t.writeBound(1), 70);
    EXPECT_TRUE(link->isOpen());
}

TEST_F(ExchangeBytes, WriteBlockSendsCommandThenBlockEachPacedByAcknowledge)
{
    openLink();
    port->feed({0x01, 0x01});
    const QByteArray block = sampleBlock();

    ASSERT_EQ(link->WriteBlock(varno::eeprom::FromBytes(block)), TLinkResult::Ok);

    EXPECT_EQ(port->trace(), QStringLiteral("purge w0A r01 ") + writes(block) + " r01");
    EXPECT_EQ(hex(port->written()), hex(QByteArray(1, 0x0A) + block));
}

TEST_F(ExchangeBytes, WriteBlockSendsOneBytePerFrameAndNothingForAnEmptyFrame)
{
    openLink();
    port->feed({0x01, 0x01});
    TTrameList frames = varno::eeprom::FromBytes(QByteArray::fromHex("AABBCC"));
    frames[1].Length = 0;
    frames[2].Length = 3;

    ASSERT_EQ(link->WriteBlock(frames), TLinkResult::Ok);

    EXPECT_EQ(hex(port->written()), "0A AA CC");
}

TEST_F(ExchangeBytes, ReadBlockSendsCommandAndSlotThenStoresTheTwentyFourBytes)
{
    openLink();
    const QByteArray block = sampleBlock();
    port->feed({0x01, 0x01});
    port->feed(block);
    port->feed({0x01});
    TTrameList frames; // made 24 frames long by the read

    ASSERT_EQ(link->ReadBlock(200, frames), TLinkResult::Ok);

    EXPECT_EQ(port->trace(),
              QStringLiteral("purge w0B r01 wC8 r01 ") + reads(block) + QStringLiteral(" r01"));
    EXPECT_EQ(hex(varno::eeprom::ToBytes(frames)), hex(block));
    for (const TTrame &frame : frames)
        EXPECT_EQ(frame.Length, 1);
}

TEST_F(ExchangeBytes, ReadBlockOverwritesEveryFrameOfAFilledList)
{
    openLink();
    port->feed({0x01, 0x01});
    port->feed(QByteArray(24, char(0x33)));
    port->feed({0x01});
    TTrameList frames(30, TTrame(0x99));
    frames[0].Length = 0;

    ASSERT_EQ(link->ReadBlock(1, frames), TLinkResult::Ok);

    ASSERT_EQ(frames.size(), 24u);
    for (const TTrame &frame : frames) {
        EXPECT_EQ(frame.Value, 0x33);
        EXPECT_EQ(frame.Length, 1);
    }
}

TEST_F(ExchangeBytes, WriteEepromByteSendsAddressesInTheCallersOrderThenValue)
{
    openLink();
    port->feed({0x01, 0x01});

    ASSERT_EQ(link->WriteEepromByte(0x60, 0x10, 0x41), TLinkResult::Ok);

    EXPECT_EQ(port->trace(), QStringLiteral("purge w08 r01 w60 w10 w41 r01"));
}

TEST_F(ExchangeBytes, ReadEepromByteSendsAddressesWithoutAcknowledgeThenReadsValue)
{
    openLink();
    port->feed({0x01, 0x5A, 0x01});
    quint8 value = 0;

    ASSERT_EQ(link->ReadEepromByte(0x10, 0x60, value), TLinkResult::Ok);

    EXPECT_EQ(port->trace(), QStringLiteral("purge w09 r01 w10 w60 r5A r01"));
    EXPECT_EQ(value, 0x5A);
}

TEST_F(ExchangeBytes, ReadEepromByteTakesAValueOfOneAsData)
{
    openLink();
    port->feed({0x01, 0x01, 0x01});
    quint8 value = 0;

    ASSERT_EQ(link->ReadEepromByte(0x60, 0x4F, value), TLinkResult::Ok);

    EXPECT_EQ(value, 0x01);
    EXPECT_EQ(port->unreadEntries(), 0u);
}

TEST_F(ExchangeBytes, FinalizeNeedsTwoAcknowledgementsAndDoesNotPurge)
{
    openLink();
    port->feed({0x01, 0x01});

    ASSERT_EQ(link->SendFinalize(), TLinkResult::Ok);

    EXPECT_EQ(port->trace(), QStringLiteral("w0C r01 r01"));
}

TEST_F(ExchangeBytes, CloseClosesOnceAndASecondCloseHasNothingToDo)
{
    openLink();
    EXPECT_EQ(link->CloseComPort(), TLinkResult::Ok);
    EXPECT_EQ(link->CloseComPort(), TLinkResult::Ok);
    EXPECT_EQ(port->trace(), QStringLiteral("close"));
    EXPECT_FALSE(link->isOpen());
}

TEST_F(ExchangeBytes, SecondOpenOnTheSameLinkIsRefusedAndKeepsThePortOpen)
{
    openLink();
    EXPECT_EQ(link->OpenComPort(QStringLiteral("COM2")), TLinkResult::OpenError);
    EXPECT_FALSE(link->lastErrorReason().isEmpty());
    EXPECT_EQ(port->trace(), QString());
    EXPECT_TRUE(link->isOpen());
}

} // namespace
} // namespace varno::test
