#pragma once

#include "LinkTestSupport.h"
#include "ScriptedDevice.h"

#include <gtest/gtest.h>
#include <link/ComLink.h>
#include <memory>

namespace varno::test {

using namespace std::chrono_literals;

// A link on a scripted device, with a short watchdog.
class ScriptedLinkTest : public ::testing::Test
{
protected:
    static constexpr std::chrono::milliseconds Watchdog{200};

    ScriptedLinkTest()
    {
        auto device = std::make_unique<TScriptedDevice>();
        port = device.get();
        link = std::make_unique<TComLink>(std::move(device), Watchdog);
    }

    void openLink()
    {
        ASSERT_EQ(link->OpenComPort(QStringLiteral("COM1")), TLinkResult::Ok);
        port->clearTrace();
    }

    // "w0A w01 ..." for writes of these bytes, one call each.
    static QString writes(const QByteArray &bytes)
    {
        QStringList tokens;
        for (char b : bytes)
            tokens << QStringLiteral("w") +
                          QStringLiteral("%1").arg(quint8(b), 2, 16, QLatin1Char('0')).toUpper();
        return tokens.join(QLatin1Char(' '));
    }
    static QString reads(const QByteArray &bytes)
    {
        return writes(bytes).replace(QLatin1Char('w'), QLatin1Char('r'));
    }

    // A block whose bytes are 0x10 + index, so that misplaced bytes show.
    static QByteArray sampleBlock()
    {
        QByteArray block;
        for (int i = 0; i < 24; ++i)
            block.append(char(0x10 + i));
        return block;
    }

    TScriptedDevice *port = nullptr;
    std::unique_ptr<TComLink> link;
};

} // namespace varno::test
