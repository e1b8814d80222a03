// Each result code comes from the step that produces it: a failure injected
// into one call of one step gives that step's code, and the operation stops
// there.
#include "ScriptedLinkFixture.h"

#include <link/EepromImage.h>

namespace varno::test {
namespace {

enum class Operation
{
    Open,
    Close,
    WriteBlock,
    ReadBlock,
    WriteByte,
    ReadByte,
    Finalize
};

struct FailureCase
{
    const char *Name;
    Operation Op;
    TStep Step;
    int Nth; // which call of the step fails
    TLinkResult Expected;
};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << c.Name;
}

// Feeds what a healthy player answers to the operation.
void feedHealthyPlayer(TScriptedDevice &port, Operation op)
{
    switch (op) {
    case Operation::Open:
    case Operation::Close:
        break;
    case Operation::WriteBlock:
    case Operation::WriteByte:
    case Operation::Finalize:
        port.feed({0x01, 0x01});
        break;
    case Operation::ReadBlock:
        port.feed({0x01, 0x01});
        port.feed(QByteArray(24, char(0x42)));
        port.feed({0x01});
        break;
    case Operation::ReadByte:
        port.feed({0x01, 0x42, 0x01});
        break;
    }
}

TLinkResult run(TComLink &link, Operation op, quint8 &value)
{
    TTrameList block = varno::eeprom::FromBytes(QByteArray(24, char(0x42)));
    switch (op) {
    case Operation::Open:
        return link.OpenComPort(QStringLiteral("COM1"));
    case Operation::Close:
        return link.CloseComPort();
    case Operation::WriteBlock:
        return link.WriteBlock(block);
    case Operation::ReadBlock:
        return link.ReadBlock(7, block);
    case Operation::WriteByte:
        return link.WriteEepromByte(0x60, 0x10, 0x42);
    case Operation::ReadByte:
        return link.ReadEepromByte(0x60, 0x10, value);
    case Operation::Finalize:
        return link.SendFinalize();
    }
    return TLinkResult::Ok;
}

class StepFailure : public ScriptedLinkTest, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(StepFailure, GivesItsCodeAndStopsThere)
{
    const FailureCase &c = GetParam();
    if (c.Op != Operation::Open)
        openLink();
    feedHealthyPlayer(*port, c.Op);
    port->failAt(c.Step, c.Nth);
    const int callsBefore = port->calls(c.Step);
    quint8 value = 0xEE;

    EXPECT_EQ(run(*link, c.Op, value), c.Expected);

    // The failing call is the last one, but for the close that follows a
    // failed open.
    QStringList trace = port->trace().split(QLatin1Char(' '));
    if (c.Op == Operation::Open && c.Step != TStep::Open) {
        ASSERT_EQ(trace.takeLast(), QStringLiteral("close"));
        EXPECT_FALSE(link->isOpen());
    }
    const QString last = trace.last();
    switch (c.Step) {
    case TStep::Read:
        EXPECT_EQ(last, QStringLiteral("r!"));
        break;
    case TStep::Write:
        EXPECT_TRUE(last.startsWith(QStringLiteral("w!"))) << last.toStdString();
        break;
    default:
        EXPECT_EQ(port->calls(c.Step) - callsBefore, c.Nth);
        break;
    }
    EXPECT_EQ(port->trace().count(QStringLiteral("!")),
              c.Step == TStep::Read || c.Step == TStep::Write ? 1 : 0);
    if (c.Op == Operation::ReadByte) {
        EXPECT_EQ(value, 0);
    }
    EXPECT_FALSE(link->lastErrorReason().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Open, StepFailure,
    ::testing::Values(
        FailureCase{"open", Operation::Open, TStep::Open, 1, TLinkResult::OpenError},
        FailureCase{"get", Operation::Open, TStep::ReadSettings, 1, TLinkResult::ParametersError},
        FailureCase{"set", Operation::Open, TStep::ApplySettings, 1, TLinkResult::SettingError},
        FailureCase{"timeouts", Operation::Open, TStep::ApplyTimeouts, 1,
                    TLinkResult::TimeoutsError},
        FailureCase{"purge", Operation::Open, TStep::Purge, 1, TLinkResult::PurgeError},
        FailureCase{"close", Operation::Close, TStep::Close, 1, TLinkResult::CloseError}),
    [](const auto &info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    WriteBlock, StepFailure,
    ::testing::Values(
        FailureCase{"purge", Operation::WriteBlock, TStep::Purge, 1, TLinkResult::PurgeError},
        FailureCase{"command", Operation::WriteBlock, TStep::Write, 1, TLinkResult::WriteError},
        FailureCase{"commandAck", Operation::WriteBlock, TStep::Read, 1, TLinkResult::ReadError},
        FailureCase{"firstByte", Operation::WriteBlock, TStep::Write, 2, TLinkResult::WriteError},
        FailureCase{"lastByte", Operation::WriteBlock, TStep::Write, 25, TLinkResult::WriteError},
        FailureCase{"blockAck", Operation::WriteBlock, TStep::Read, 2, TLinkResult::ReadError}),
    [](const auto &info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    ReadBlock, StepFailure,
    ::testing::Values(
        FailureCase{"purge", Operation::ReadBlock, TStep::Purge, 1, TLinkResult::PurgeError},
        FailureCase{"command", Operation::ReadBlock, TStep::Write, 1, TLinkResult::WriteError},
        FailureCase{"commandAck", Operation::ReadBlock, TStep::Read, 1, TLinkResult::ReadError},
        FailureCase{"slot", Operation::ReadBlock, TStep::Write, 2, TLinkResult::WriteError},
        FailureCase{"slotAck", Operation::ReadBlock, TStep::Read, 2, TLinkResult::ReadError},
        FailureCase{"firstByte", Operation::ReadBlock, TStep::Read, 3, TLinkResult::ReadError},
        FailureCase{"lastByte", Operation::ReadBlock, TStep::Read, 26, TLinkResult::ReadError}),
    [](const auto &info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    WriteEepromByte, StepFailure,
    ::testing::Values(
        FailureCase{"purge", Operation::WriteByte, TStep::Purge, 1, TLinkResult::PurgeError},
        FailureCase{"command", Operation::WriteByte, TStep::Write, 1, TLinkResult::WriteError},
        FailureCase{"commandAck", Operation::WriteByte, TStep::Read, 1, TLinkResult::ReadError},
        FailureCase{"address1", Operation::WriteByte, TStep::Write, 2, TLinkResult::WriteError},
        FailureCase{"address2", Operation::WriteByte, TStep::Write, 3, TLinkResult::WriteError},
        FailureCase{"value", Operation::WriteByte, TStep::Write, 4, TLinkResult::WriteError},
        FailureCase{"valueAck", Operation::WriteByte, TStep::Read, 2, TLinkResult::ReadError}),
    [](const auto &info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    ReadEepromByte, StepFailure,
    ::testing::Values(
        FailureCase{"purge", Operation::ReadByte, TStep::Purge, 1, TLinkResult::PurgeError},
        FailureCase{"command", Operation::ReadByte, TStep::Write, 1, TLinkResult::WriteError},
        FailureCase{"commandAck", Operation::ReadByte, TStep::Read, 1, TLinkResult::ReadError},
        FailureCase{"address1", Operation::ReadByte, TStep::Write, 2, TLinkResult::WriteError},
        FailureCase{"address2", Operation::ReadByte, TStep::Write, 3, TLinkResult::WriteError},
        FailureCase{"value", Operation::ReadByte, TStep::Read, 2, TLinkResult::ReadError}),
    [](const auto &info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(Finalize, StepFailure,
                         ::testing::Values(FailureCase{"command", Operation::Finalize, TStep::Write,
                                                       1, TLinkResult::WriteError},
                                           FailureCase{"firstAck", Operation::Finalize, TStep::Read,
                                                       1, TLinkResult::ReadError},
                                           FailureCase{"secondAck", Operation::Finalize,
                                                       TStep::Read, 2, TLinkResult::ReadError}),
                         [](const auto &info) { return std::string(info.param.Name); });

// A step an operation does not take cannot make it fail.
TEST_F(ScriptedLinkTest, FinalizeIsNotAffectedByAFailingPurge)
{
    openLink();
    port->feed({0x01, 0x01});
    port->failAt(TStep::Purge);
    EXPECT_EQ(link->SendFinalize(), TLinkResult::Ok);
    EXPECT_FALSE(port->trace().contains(QStringLiteral("purge")));
}

TEST_F(ScriptedLinkTest, ExchangesOnAClosedLinkFailAtTheirFirstStep)
{
    TTrameList block(24);
    quint8 value = 0;
    EXPECT_EQ(link->WriteBlock(block), TLinkResult::PurgeError);
    EXPECT_EQ(link->ReadBlock(1, block), TLinkResult::PurgeError);
    EXPECT_EQ(link->WriteEepromByte(0x60, 0x10, 1), TLinkResult::PurgeError);
    EXPECT_EQ(link->ReadEepromByte(0x60, 0x10, value), TLinkResult::PurgeError);
    EXPECT_EQ(link->SendFinalize(), TLinkResult::WriteError);
    EXPECT_EQ(port->written(), QByteArray());
}

TEST_F(ScriptedLinkTest, AFailedOpenLeavesNothingOpenSoTheNextOpenSucceeds)
{
    port->failAt(TStep::ApplyTimeouts);
    ASSERT_EQ(link->OpenComPort(QStringLiteral("COM1")), TLinkResult::TimeoutsError);
    EXPECT_FALSE(link->isOpen());
    EXPECT_EQ(link->OpenComPort(QStringLiteral("COM1")), TLinkResult::Ok);
}

// Silence where an acknowledgement is due gives 9 once the watchdog expires.
struct SilenceCase
{
    const char *Name;
    Operation Op;
    int AcksGiven; // acknowledgements fed before the player falls silent
};

class Silence : public ScriptedLinkTest, public ::testing::WithParamInterface<SilenceCase>
{
};

TEST_P(Silence, GivesPlayerNotReadyAfterTheWatchdog)
{
    const SilenceCase &c = GetParam();
    openLink();
    for (int i = 0; i < c.AcksGiven; ++i)
        port->feed({0x01});
    quint8 value = 0;
    const auto started = std::chrono::steady_clock::now();

    EXPECT_EQ(run(*link, c.Op, value), TLinkResult::PlayerNotReady);

    // Windows' timers may fire a few microseconds before the steady clock says.
    EXPECT_GE(std::chrono::steady_clock::now() - started, Watchdog - std::chrono::milliseconds(1));
    EXPECT_FALSE(port->trace().contains(QLatin1Char('!')));
    // Nothing is sent after the acknowledgement that did not come.
    EXPECT_TRUE(port->trace().endsWith(QStringLiteral("r-")));
}

INSTANTIATE_TEST_SUITE_P(Link, Silence,
                         ::testing::Values(SilenceCase{"WriteBlockCommand", Operation::WriteBlock,
                                                       0},
                                           SilenceCase{"WriteBlockData", Operation::WriteBlock, 1},
                                           SilenceCase{"ReadBlockCommand", Operation::ReadBlock, 0},
                                           SilenceCase{"ReadBlockSlot", Operation::ReadBlock, 1},
                                           SilenceCase{"WriteByteCommand", Operation::WriteByte, 0},
                                           SilenceCase{"WriteByteValue", Operation::WriteByte, 1},
                                           SilenceCase{"ReadByteCommand", Operation::ReadByte, 0},
                                           SilenceCase{"FinalizeFirst", Operation::Finalize, 0},
                                           SilenceCase{"FinalizeSecond", Operation::Finalize, 1}),
                         [](const auto &info) { return std::string(info.param.Name); });

} // namespace
} // namespace varno::test
