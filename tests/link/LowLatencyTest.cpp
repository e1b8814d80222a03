// The low-latency request made when a port opens, through a fake driver, and
// the adapter's latency timer read from sysfs.

#include "EmulatorFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <link/LowLatency.h>

namespace varno::test {
namespace {

using varno::link::LowLatencyFlag;

struct DriverCalls
{
    std::optional<int> flags; // what get answers; nothing: the driver has none
    bool setSucceeds = true;
    QList<int> sets;
    int gets = 0;
};

class FakeDriverFlags final : public varno::link::TSerialDriverFlags
{
public:
    explicit FakeDriverFlags(DriverCalls &calls) : calls_(calls) {}
    std::optional<int> get(int descriptor) override
    {
        EXPECT_GE(descriptor, 0);
        ++calls_.gets;
        return calls_.flags;
    }
    bool set(int descriptor, int flags) override
    {
        EXPECT_GE(descriptor, 0);
        calls_.sets << flags;
        return calls_.setSucceeds;
    }

private:
    DriverCalls &calls_;
};

TEST_F(EmulatorTest, lowLatencyIsAskedOnOpenAndUndoneOnCloseAndItsFailureIsHarmless)
{
    startEmulator();
    const int low = LowLatencyFlag();
    struct Case
    {
        const char *name;
        std::optional<int> flags;
        bool setSucceeds;
        QList<int> setsAfterOpen;
        QList<int> setsAfterClose;
    };
    const Case cases[] = {
        {"granted", 0x40, true, {0x40 | low}, {0x40 | low, 0x40}},
        {"already low", 0x40 | low, true, {}, {}},
        {"no driver flags", std::nullopt, true, {}, {}},
        {"refused", 0x40, false, {0x40 | low}, {0x40 | low}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DriverCalls calls{c.flags, c.setSucceeds, {}, 0};
        TComLink tuned(std::make_unique<varno::link::TQtSerialDevice>(
                           std::make_unique<FakeDriverFlags>(calls)),
                       Watchdog);
        ASSERT_EQ(tuned.OpenComPort(device), TLinkResult::Ok) << tuned.lastErrorReason();
        EXPECT_EQ(calls.gets, 1);
        EXPECT_EQ(calls.sets, c.setsAfterOpen);
        TTrameList block;
        EXPECT_EQ(tuned.ReadBlock(1, block), TLinkResult::Ok);
        EXPECT_EQ(tuned.CloseComPort(), TLinkResult::Ok);
        EXPECT_EQ(calls.sets, c.setsAfterClose);
    }
}

TEST_F(EmulatorTest, emulatedAdapterLatencyHoldsEveryReply)
{
    TEmulatorOptions slowAdapter;
    slowAdapter.Latency = 3 * Watchdog;
    startEmulator(slowAdapter);
    ASSERT_EQ(link.OpenComPort(device), TLinkResult::Ok);
    EXPECT_EQ(link.SendFinalize(), TLinkResult::PlayerNotReady);
}

TEST(AdapterLatency, readFromSysfsForTheDeviceOrItsLinkTarget)
{
    QTemporaryDir root;
    const QString devices = root.filePath(QStringLiteral("sys/bus/usb-serial/devices"));
    ASSERT_TRUE(QDir().mkpath(devices + QStringLiteral("/ttyUSB3")));
    QFile timer(devices + QStringLiteral("/ttyUSB3/latency_timer"));
    ASSERT_TRUE(timer.open(QIODevice::WriteOnly));
    timer.write("16\n");
    timer.close();
    QFile node(root.filePath(QStringLiteral("ttyUSB3")));
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    node.close();
    ASSERT_TRUE(QFile::link(node.fileName(), root.filePath(QStringLiteral("player"))));

    const QString sysfs = root.filePath(QStringLiteral("sys"));
    EXPECT_EQ(varno::link::AdapterLatencyTimer(QStringLiteral("/dev/ttyUSB3"), sysfs), 16);
    EXPECT_EQ(varno::link::AdapterLatencyTimer(root.filePath(QStringLiteral("player")), sysfs), 16);
    EXPECT_EQ(varno::link::AdapterLatencyTimer(QStringLiteral("/dev/ttyS0"), sysfs), std::nullopt);
}

} // namespace
} // namespace varno::test
