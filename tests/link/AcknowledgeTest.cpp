// Waiting for the player: stray bytes, the watchdog, and the trailing
// acknowledgement after the data of a read.
#include "ScriptedLinkFixture.h"

#include <link/EepromImage.h>

namespace varno::test {
namespace {

class Acknowledge : public ScriptedLinkTest
{
protected:
    void SetUp() override { openLink(); }
};

TEST_F(Acknowledge, StrayBytesAndEmptyReadsBeforeTheAcknowledgementAreSkipped)
{
    port->feed({0x00, 0xFF, 0x55});
    port->feedNoByte(3);
    port->feed({0x0A, 0x01}); // the second acknowledgement
    port->feed({0x01});

    ASSERT_EQ(link->WriteEepromByte(0x60, 0x10, 0x41), TLinkResult::Ok);

    EXPECT_EQ(port->trace(),
              QStringLiteral("purge w08 r00 rFF r55 r- r- r- r0A r01 w60 w10 w41 r01"));
}

TEST_F(Acknowledge, AnAcknowledgementJustBeforeTheWatchdogExpiresCounts)
{
    port->feedAfter(Watchdog / 2, 0x01);
    port->feed({0x01});
    EXPECT_EQ(link->WriteEepromByte(0x60, 0x10, 0x41), TLinkResult::Ok);
}

TEST_F(Acknowledge, AnAcknowledgementReadInTheSamePassAsTheExpiryIsTooLate)
{
    // The read itself outlasts the watchdog and returns 0x01: the expiry is
    // seen first.
    port->feedSlowRead(Watchdog + 50ms, 0x01);

    EXPECT_EQ(link->WriteEepromByte(0x60, 0x10, 0x41), TLinkResult::PlayerNotReady);
    EXPECT_EQ(port->trace(), QStringLiteral("purge w08 r01"));
}

TEST_F(Acknowledge, EachWaitHasItsOwnWatchdogPeriod)
{
    // Together the two waits last longer than one period.
    const auto gap = Watchdog * 3 / 4;
    port->feedAfter(gap, 0x01);
    port->feedAfter(gap, 0x01);
    EXPECT_EQ(link->SendFinalize(), TLinkResult::Ok);

    port->feedAfter(gap, 0x01);
    port->feedAfter(gap, 0x01);
    EXPECT_EQ(link->WriteBlock(TTrameList(24)), TLinkResult::Ok);
}

TEST_F(Acknowledge, FinalizeFailsWhenTheSecondAcknowledgementIsLate)
{
    port->feed({0x01});
    port->feedAfter(Watchdog + 100ms, 0x01);
    EXPECT_EQ(link->SendFinalize(), TLinkResult::PlayerNotReady);
}

TEST_F(Acknowledge, TheLinkWorksAgainAfterAnExpiredWatchdog)
{
    ASSERT_EQ(link->SendFinalize(), TLinkResult::PlayerNotReady);
    port->feed({0x01, 0x01});
    EXPECT_EQ(link->SendFinalize(), TLinkResult::Ok);
}

TEST_F(Acknowledge, TheWatchdogDefaultsToTenSecondsAndCanBeChanged)
{
    TComLink plain(std::make_unique<TScriptedDevice>());
    EXPECT_EQ(plain.watchdogInterval(), 10000ms);
    plain.setWatchdogInterval(150ms);
    EXPECT_EQ(plain.watchdogInterval(), 150ms);
}

TEST_F(Acknowledge, MissingDataByteOfABlockIsAReadError)
{
    // Storing a stale byte and reporting success would lose the program.
    port->feed({0x01, 0x01});
    port->feed(QByteArray(10, char(0x42)));
    port->feedNoByte();
    port->feed(QByteArray(14, char(0x42)));
    TTrameList block;

    EXPECT_EQ(link->ReadBlock(5, block), TLinkResult::ReadError);
    EXPECT_TRUE(port->trace().endsWith(QStringLiteral("r42 r-")));
    EXPECT_FALSE(link->lastErrorReason().isEmpty());
}

TEST_F(Acknowledge, MissingEepromValueIsAReadErrorWithValueZero)
{
    port->feed({0x01});
    port->feedNoByte();
    port->feed({0x77, 0x01});
    quint8 value = 0x55;

    EXPECT_EQ(link->ReadEepromByte(0x60, 0x10, value), TLinkResult::ReadError);
    EXPECT_EQ(value, 0);
}

// The trailing acknowledgement rules, the same after a block and after an
// EEPROM byte.
enum class ReadKind
{
    Block,
    EepromByte
};

void PrintTo(ReadKind kind, std::ostream *out)
{
    *out << (kind == ReadKind::Block ? "block" : "EEPROM byte");
}

class TrailingAcknowledge : public ScriptedLinkTest, public ::testing::WithParamInterface<ReadKind>
{
protected:
    void SetUp() override
    {
        openLink();
        if (GetParam() == ReadKind::Block) {
            port->feed({0x01, 0x01});
            port->feed(sampleBlock());
        } else {
            port->feed({0x01, 0x5A});
        }
    }

    TLinkResult read()
    {
        if (GetParam() == ReadKind::Block) {
            const TLinkResult result = link->ReadBlock(3, block);
            if (result == TLinkResult::Ok) {
                EXPECT_EQ(hex(varno::eeprom::ToBytes(block)), hex(sampleBlock()));
            }
            return result;
        }
        const TLinkResult result = link->ReadEepromByte(0x60, 0x10, value);
        if (result == TLinkResult::Ok) {
            EXPECT_EQ(value, 0x5A);
        }
        return result;
    }

    // The reads that follow the data.
    QString trailing() const
    {
        const QString data =
            GetParam() == ReadKind::Block ? reads(sampleBlock()) : QStringLiteral("r5A");
        const QString trace = port->trace();
        return trace.mid(trace.indexOf(data) + data.size()).trimmed();
    }

    TTrameList block;
    quint8 value = 0;
};

TEST_P(TrailingAcknowledge, PresentEndsTheRead)
{
    port->feed({0x01, 0x01});
    EXPECT_EQ(read(), TLinkResult::Ok);
    EXPECT_EQ(trailing(), QStringLiteral("r01"));
    EXPECT_EQ(port->unreadEntries(), 1u);
}

TEST_P(TrailingAcknowledge, MissingIsNoError)
{
    EXPECT_EQ(read(), TLinkResult::Ok);
    EXPECT_EQ(trailing(), QStringLiteral("r-"));
}

// Stray bytes before the acknowledgement are read, and not one byte after it:
// one left behind would arrive after the next purge and shift every later read.
TEST_P(TrailingAcknowledge, StrayBytesAreReadUpToTheAcknowledgement)
{
    port->feed({0x00, 0xFF, 0x55, 0x01, 0x01});
    EXPECT_EQ(read(), TLinkResult::Ok);
    EXPECT_EQ(trailing(), QStringLiteral("r00 rFF r55 r01"));
    EXPECT_EQ(port->unreadEntries(), 1u);
}

TEST_P(TrailingAcknowledge, WrongByteIsNoErrorOnceTheLineIsQuiet)
{
    port->feed({0xEE});
    EXPECT_EQ(read(), TLinkResult::Ok);
    EXPECT_EQ(trailing(), QStringLiteral("rEE r-"));
}

TEST_P(TrailingAcknowledge, LineThatNeverFallsQuietIsAReadError)
{
    port->feed(QByteArray(100, char(0x55)));
    EXPECT_EQ(read(), TLinkResult::ReadError);
    EXPECT_FALSE(link->lastErrorReason().isEmpty());
    EXPECT_GT(port->unreadEntries(), 0u);
}

TEST_P(TrailingAcknowledge, FailureOfTheFirstReadIsIgnored)
{
    port->feedFailure();
    port->feed({0x01});
    EXPECT_EQ(read(), TLinkResult::Ok);
    EXPECT_EQ(trailing(), QStringLiteral("r! r01"));
}

TEST_P(TrailingAcknowledge, FailureOfTheSecondReadIsAReadError)
{
    port->feed({0x55});
    port->feedFailure();
    EXPECT_EQ(read(), TLinkResult::ReadError);
    EXPECT_EQ(trailing(), QStringLiteral("r55 r!"));
}

TEST_P(TrailingAcknowledge, RunsWithoutTheWatchdog)
{
    // Slower than the watchdog, yet no expiry: the watchdog is not running.
    port->feedSlowRead(Watchdog + 50ms, 0x01);
    EXPECT_EQ(read(), TLinkResult::Ok);
}

INSTANTIATE_TEST_SUITE_P(Link, TrailingAcknowledge,
                         ::testing::Values(ReadKind::Block, ReadKind::EepromByte),
                         [](const auto &info) {
                             return info.param == ReadKind::Block ? "Block" : "EepromByte";
                         });

} // namespace
} // namespace varno::test
