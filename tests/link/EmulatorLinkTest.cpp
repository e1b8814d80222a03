// The link over a real pseudo-terminal against the emulated player.
#include "EmulatorFixture.h"

#include <model/Errors.h>

namespace varno::test {
namespace {

using varno::eeprom::FromBytes;
using varno::eeprom::ToBytes;

TEST_F(EmulatorTest, WholeImageWrittenThenReadBackIsIdentical)
{
    startAndOpen();
    const std::vector<TTrameList> blocks = SampleTransmitBlocks();
    const QByteArray name = varno::eeprom::ProjectNameBlock(QStringLiteral("Salle d'été n°3"));

    for (const TTrameList &block : blocks)
        ASSERT_EQ(link.WriteBlock(block), TLinkResult::Ok);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(link.WriteEepromByte(0x60, quint8(0x10 + i), quint8(name[i])), TLinkResult::Ok);
    ASSERT_EQ(link.SendFinalize(), TLinkResult::Ok);

    // The player files each block under the number it carries.
    std::map<int, QByteArray> bySlot;
    for (const TTrameList &block : blocks)
        bySlot[block.at(1).Value] = ToBytes(block);
    ASSERT_EQ(bySlot.size(), 255u);
    const TPlayerMemory memory = emulator->memory();
    for (const auto &[slot, bytes] : bySlot)
        ASSERT_EQ(hex(bytesOf(memory.block(slot))), hex(bytes)) << "slot " << slot;

    for (int slot = 1; slot <= 255; ++slot) {
        TTrameList read;
        ASSERT_EQ(link.ReadBlock(quint8(slot), read), TLinkResult::Ok) << "slot " << slot;
        ASSERT_EQ(hex(ToBytes(read)), hex(bySlot[slot])) << "slot " << slot;
    }
    QByteArray nameRead;
    for (int i = 0; i < 64; ++i) {
        quint8 value = 0xEE;
        ASSERT_EQ(link.ReadEepromByte(0x60, quint8(0x10 + i), value), TLinkResult::Ok);
        nameRead.append(char(value));
    }
    EXPECT_EQ(hex(nameRead), hex(name));
    EXPECT_EQ(link.SendFinalize(), TLinkResult::Ok);
    EXPECT_EQ(link.CloseComPort(), TLinkResult::Ok);
}

TEST_F(EmulatorTest, PortInUseElsewhereGivesOpenErrorWithAReason)
{
    startAndOpen();
    TComLink other(std::make_unique<varno::link::TQtSerialDevice>(), Watchdog);

    EXPECT_EQ(other.OpenComPort(device), TLinkResult::OpenError);
    EXPECT_TRUE(other.lastErrorReason().contains(QStringLiteral("in use")))
        << other.lastErrorReason();
    EXPECT_FALSE(other.isOpen());

    // The holder is undisturbed, and once it lets go the port can be taken.
    EXPECT_EQ(link.WriteEepromByte(0x60, 0x10, 0x41), TLinkResult::Ok);
    ASSERT_EQ(link.CloseComPort(), TLinkResult::Ok);
    EXPECT_EQ(other.OpenComPort(device), TLinkResult::Ok) << other.lastErrorReason();
    EXPECT_EQ(other.SendFinalize(), TLinkResult::Ok);
}

TEST_F(EmulatorTest, MissingDeviceGivesOpenErrorSayingSo)
{
    EXPECT_EQ(link.OpenComPort(QStringLiteral("/dev/varno-no-such-port")), TLinkResult::OpenError);
    EXPECT_TRUE(link.lastErrorReason().contains(QStringLiteral("does not exist")))
        << link.lastErrorReason();
}

TEST_F(EmulatorTest, SilentPlayerGivesPlayerNotReady)
{
    TEmulatorOptions options;
    options.Faults.Silent = true;
    startAndOpen(options);

    EXPECT_EQ(link.WriteBlock(TTrameList(24)), TLinkResult::PlayerNotReady);
    EXPECT_EQ(link.SendFinalize(), TLinkResult::PlayerNotReady);
}

// On a real line, with its byte times, the stray bytes before the trailing
// acknowledgement are still arriving when the next exchange purges the port.
TEST_F(EmulatorTest, NoisyPlayerStillTransfersEveryByte)
{
    TEmulatorOptions options;
    options.Faults.Noise = true;
    options.Slow = true;
    startAndOpen(options);
    const TTrameList block = SampleTransmitBlocks().at(0);

    ASSERT_EQ(link.WriteBlock(block), TLinkResult::Ok);
    ASSERT_EQ(link.WriteEepromByte(0x60, 0x20, 0x7A), TLinkResult::Ok);
    ASSERT_EQ(link.SendFinalize(), TLinkResult::Ok);
    for (int round = 0; round < 3; ++round) {
        TTrameList read;
        ASSERT_EQ(link.ReadBlock(block.at(1).Value, read), TLinkResult::Ok);
        EXPECT_EQ(hex(ToBytes(read)), hex(ToBytes(block))) << "round " << round;
        quint8 value = 0;
        ASSERT_EQ(link.ReadEepromByte(0x60, 0x20, value), TLinkResult::Ok);
        EXPECT_EQ(value, 0x7A) << "round " << round;
    }
}

TEST_F(EmulatorTest, MissingOrWrongTrailingAcknowledgementLosesNoData)
{
    for (const bool wrong : {false, true}) {
        TEmulatorOptions options;
        options.Faults.NoTrailingAck = !wrong;
        options.Faults.WrongTrailingAck = wrong;
        TPlayerMemory memory = TPlayerMemory::Empty();
        TPlayerMemory::Block stored{};
        for (std::size_t i = 0; i < stored.size(); ++i)
            stored[i] = quint8(0xA0 + i);
        memory.setBlock(9, stored);
        memory.setByte(0x60, 0x11, 0x5C);
        link.CloseComPort();
        if (emulator)
            emulator->stop();
        startEmulator(options, memory);
        ASSERT_EQ(link.OpenComPort(device), TLinkResult::Ok);

        for (int round = 0; round < 2; ++round) {
            TTrameList read;
            ASSERT_EQ(link.ReadBlock(9, read), TLinkResult::Ok) << "wrong " << wrong;
            EXPECT_EQ(hex(ToBytes(read)), hex(bytesOf(stored)));
            quint8 value = 0;
            ASSERT_EQ(link.ReadEepromByte(0x60, 0x11, value), TLinkResult::Ok);
            EXPECT_EQ(value, 0x5C);
        }
    }
}

TEST_F(EmulatorTest, HangUpMidTransferEndsWithReadErrorAndNothingHangs)
{
    TEmulatorOptions options;
    options.Faults.HangUpAfterBlocks = 3;
    startAndOpen(options);
    const std::vector<TTrameList> blocks = SampleTransmitBlocks();

    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(link.WriteBlock(blocks.at(std::size_t(i))), TLinkResult::Ok);
    // The player drops the line on the next command, before acknowledging it.
    EXPECT_EQ(link.WriteBlock(blocks.at(3)), TLinkResult::ReadError);
    EXPECT_FALSE(link.lastErrorReason().isEmpty());

    // The port is gone: every later step fails at once.
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(link.WriteBlock(blocks.at(3)), TLinkResult::PurgeError);
    EXPECT_EQ(link.SendFinalize(), TLinkResult::WriteError);
    EXPECT_EQ(link.CloseComPort(), TLinkResult::Ok);
    EXPECT_TRUE(emulator->hungUp());
}

TEST_F(EmulatorTest, CorruptDateReadsBackAsABlockThatCannotBeDecoded)
{
    TEmulatorOptions options;
    options.Faults.CorruptDateSlot = 249;
    startAndOpen(options);
    TTrameList block;
    for (const TTrameList &candidate : SampleTransmitBlocks()) {
        if (candidate.at(1).Value == 249)
            block = candidate;
    }
    ASSERT_FALSE(IsEmptySlot(block));

    ASSERT_EQ(link.WriteBlock(block), TLinkResult::Ok);
    TTrameList read;
    ASSERT_EQ(link.ReadBlock(249, read), TLinkResult::Ok);

    EXPECT_EQ(read.at(13).Value & 0x0F, 13);
    EXPECT_EQ(read.at(13).Value & 0xF0, block.at(13).Value & 0xF0);
    TVARNOProg decoded;
    EXPECT_THROW(TramesToProg(decoded, read), TDateTimeEncodingError);
    TVARNOProg original;
    EXPECT_NO_THROW(TramesToProg(original, block));
}

TEST_F(EmulatorTest, SlowPlayerAtLineSpeedTransfersCorrectly)
{
    TEmulatorOptions options;
    options.Slow = true;
    options.WriteDelay = 20ms;
    startAndOpen(options);
    const TTrameList block = SampleTransmitBlocks().at(0);

    ASSERT_EQ(link.WriteBlock(block), TLinkResult::Ok);
    ASSERT_EQ(link.WriteEepromByte(0x60, 0x4F, 0x99), TLinkResult::Ok);
    TTrameList read;
    ASSERT_EQ(link.ReadBlock(block.at(1).Value, read), TLinkResult::Ok);
    EXPECT_EQ(hex(ToBytes(read)), hex(ToBytes(block)));
    quint8 value = 0;
    ASSERT_EQ(link.ReadEepromByte(0x60, 0x4F, value), TLinkResult::Ok);
    EXPECT_EQ(value, 0x99);
    EXPECT_EQ(link.SendFinalize(), TLinkResult::Ok);
}

TEST_F(EmulatorTest, WriteSlowerThanTheWatchdogGivesPlayerNotReady)
{
    TEmulatorOptions options;
    options.WriteDelay = Watchdog + 200ms;
    startAndOpen(options);

    EXPECT_EQ(link.WriteEepromByte(0x60, 0x10, 0x41), TLinkResult::PlayerNotReady);
}

TEST_F(EmulatorTest, PortCanBeClosedAndOpenedAgain)
{
    startAndOpen();
    ASSERT_EQ(link.WriteEepromByte(0x60, 0x10, 0x41), TLinkResult::Ok);
    ASSERT_EQ(link.CloseComPort(), TLinkResult::Ok);
    ASSERT_EQ(link.OpenComPort(device), TLinkResult::Ok) << link.lastErrorReason();
    quint8 value = 0;
    ASSERT_EQ(link.ReadEepromByte(0x60, 0x10, value), TLinkResult::Ok);
    EXPECT_EQ(value, 0x41);
}

} // namespace
} // namespace varno::test
