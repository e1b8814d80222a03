// The emulator's memory file and its command line.
#include <CommandLine.h>
#include <MemoryFile.h>
#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <link/EepromImage.h>
#include <model/Clock.h>

namespace varno::emulator {
namespace {

TPlayerMemory SampleMemory()
{
    TPlayerMemory memory = TPlayerMemory::Empty();
    TPlayerMemory::Block block{};
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = std::uint8_t(i * 11);
    memory.setBlock(1, block);
    block[1] = 255;
    memory.setBlock(255, block);
    const char name[] = "Hall \xE9t\xE9";
    for (std::uint8_t i = 0; i < sizeof name - 1; ++i)
        memory.setByte(0x60, std::uint8_t(0x10 + i), std::uint8_t(name[i]));
    memory.setByte(0x60, 0x4F, 0xFF);
    memory.setByte(0x12, 0x34, 0x5A);
    memory.setByte(0xFF, 0xFF, 0x01);
    return memory;
}

TEST(MemoryFile, FormatThenParseGivesTheSameMemory)
{
    const TPlayerMemory memory = SampleMemory();
    TPlayerMemory parsed = TPlayerMemory::Empty();
    std::string error;
    ASSERT_TRUE(ParseMemory(FormatMemory(memory), parsed, error)) << error;
    EXPECT_TRUE(parsed == memory);
}

TEST(MemoryFile, FormatIsOneReadableLinePerEntry)
{
    varno::ScopedFixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(12, 34)));
    const std::string text = FormatMemory(SampleMemory());
    EXPECT_NE(text.find("\nslot 001: 00 0B 16 21 2C"), std::string::npos);
    EXPECT_NE(text.find("\nslot 002: 00 02 81 00 11 11 11 00 00 00 00 00 00 1C 07 1A 0C 22 FF FF "
                        "FF FF FF FF\n"),
              std::string::npos);
    EXPECT_NE(text.find("\nname +00: 48 61 6C 6C 20 E9 74 E9 00"), std::string::npos);
    EXPECT_NE(text.find("\nname +30: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 FF\n"),
              std::string::npos);
    EXPECT_NE(text.find("# project name: \"Hall .t.\""), std::string::npos);
    EXPECT_NE(text.find("\nbyte 1234: 5A\n"), std::string::npos);
    EXPECT_NE(text.find("\nbyte FFFF: 01\n"), std::string::npos);
    EXPECT_EQ(text.find("byte 60"), std::string::npos) << "name bytes are listed once";
}

TEST(MemoryFile, WhatTheFileDoesNotMentionKeepsItsEmptyValue)
{
    TPlayerMemory parsed = TPlayerMemory::Empty();
    const TPlayerMemory empty = parsed;
    std::string error;
    ASSERT_TRUE(ParseMemory("# only a comment\n\n   \nname +3F: 7E\n", parsed, error)) << error;
    EXPECT_EQ(parsed.name()[63], 0x7E);
    EXPECT_TRUE(parsed.block(17) == empty.block(17));
    EXPECT_EQ(parsed.name()[62], 0);
}

TEST(MemoryFile, MalformedLinesAreRejectedWithTheirNumber)
{
    const std::string block24(
        " 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16 17");
    const struct
    {
        std::string Line;
        const char *Says;
    } cases[] = {
        {"slot 000:" + block24, "1 to 255"},
        {"slot 256:" + block24, "1 to 255"},
        {"slot 12" + block24, "1 to 255"},
        {"slot 012: 00 01", "exactly 24"},
        {"slot 012:" + block24 + " 18", "exactly 24"},
        {"slot 012:" + block24.substr(0, 69) + " G7", "two hex digits"},
        {"slot 012:" + block24.substr(0, 69) + " 7", "two hex digits"},
        {"name +40: 41", "+00 to +3F"},
        {"name +3E: 41 42 43", "within the 64 bytes"},
        {"name +00: 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11", "1 to 16"},
        {"byte 12345: 00", "four hex digits"},
        {"byte 1234: 00 01", "exactly one"},
        {"program 1: 00", "unknown entry"},
        {"slot", "expected"},
    };
    for (const auto &c : cases) {
        TPlayerMemory memory = TPlayerMemory::Empty();
        std::string error;
        EXPECT_FALSE(ParseMemory("# header\n" + c.Line + "\n", memory, error)) << c.Line;
        EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.Says), std::string::npos) << c.Line << " -> " << error;
    }
}

QStringList args(std::initializer_list<const char *> words)
{
    QStringList list{QStringLiteral("varno-player-emulator")};
    for (const char *w : words)
        list << QString::fromLatin1(w);
    return list;
}

TEST(EmulatorCommandLine, FaultsCombine)
{
    TCommandLine line;
    QString message;
    ASSERT_EQ(ParseCommandLine(
                  args({"--noise", "--wrong-trailing-ack", "--hang-up-after", "12",
                        "--corrupt-date", "255", "--slow", "--write-delay", "15", "--log", "--link",
                        "/tmp/p", "--save", "m.txt", "--corrupt-slot", "7", "--latency", "16"}),
                  line, message),
              TParseOutcome::Run)
        << message;
    const TFaults &f = line.Options.Faults;
    EXPECT_FALSE(f.Silent);
    EXPECT_TRUE(f.Noise);
    EXPECT_FALSE(f.NoTrailingAck);
    EXPECT_TRUE(f.WrongTrailingAck);
    EXPECT_EQ(f.HangUpAfterBlocks, 12);
    EXPECT_EQ(f.CorruptDateSlot, 255);
    EXPECT_EQ(f.CorruptStoredSlot, 7);
    EXPECT_EQ(line.Options.Latency, std::chrono::milliseconds(16));
    EXPECT_TRUE(line.Options.Slow);
    EXPECT_EQ(line.Options.WriteDelay, std::chrono::milliseconds(15));
    EXPECT_TRUE(line.Log);
    EXPECT_EQ(line.LinkPath, "/tmp/p");
    EXPECT_EQ(line.SavePath, "m.txt");
    EXPECT_EQ(line.LoadPath, "");
}

TEST(EmulatorCommandLine, BadArgumentsAreRejected)
{
    for (const auto &bad : {args({"--hang-up-after", "-1"}), args({"--corrupt-date", "0"}),
                            args({"--corrupt-date", "256"}), args({"--write-delay", "soon"}),
                            args({"--corrupt-slot", "0"}), args({"--latency", "-1"}),
                            args({"--no-trailing-ack", "--wrong-trailing-ack"}),
                            args({"--unknown"}), args({"extra"})}) {
        TCommandLine line;
        QString message;
        EXPECT_EQ(ParseCommandLine(bad, line, message), TParseOutcome::Error) << bad.join(' ');
        EXPECT_FALSE(message.isEmpty());
    }
    TCommandLine line;
    QString message;
    EXPECT_EQ(ParseCommandLine(args({"--help"}), line, message), TParseOutcome::Help);
    EXPECT_TRUE(message.contains(QStringLiteral("--hang-up-after")));
}

} // namespace
} // namespace varno::emulator
