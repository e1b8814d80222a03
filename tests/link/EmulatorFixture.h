#pragma once

#include "LinkTestSupport.h"

#include <PlayerEmulator.h>
#include <gtest/gtest.h>
#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/QtSerialDevice.h>
#include <link/TransmitImage.h>
#include <map>
#include <memory>
#include <model/Clock.h>
#include <model/ProgList.h>

namespace varno::test {

using namespace std::chrono_literals;
using varno::emulator::TEmulatorOptions;
using varno::emulator::TPlayerEmulator;
using varno::emulator::TPlayerMemory;

// The blocks a transmit sends for a project of 40 programs with varied fields,
// numbered from 255 down, so that list order and number order differ.
inline std::vector<TTrameList> SampleTransmitBlocks()
{
    varno::ScopedFixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(12, 34)));
    TProgList programs;
    for (int i = 0; i < 40; ++i)
        programs.Add();
    for (int i = 0; i < 40; ++i) {
        TVARNOProg &p = programs.at(i);
        p.NumOfProg = quint8(255 - i * 6);
        p.TimerOn = quint8(i % 2);
        p.Prioritary = quint8(i % 3 == 0);
        p.DateMode = quint8(i % 3);
        p.WeekDay = quint8(1 + i % 7);
        p.ActionCount = quint8(1 + i % 6);
        for (std::size_t s = 0; s < 6; ++s) {
            p.ActionKind[s] = quint8((i + int(s)) % 13);
            p.ActionNumber[s] = quint8(i * 5 + int(s));
            p.ActionValue[s] = quint8(255 - i - int(s));
        }
    }
    return varno::eeprom::TransmitBlocks(programs);
}

inline QByteArray bytesOf(const TPlayerMemory::Block &block)
{
    return QByteArray(reinterpret_cast<const char *>(block.data()), qsizetype(block.size()));
}

// A link on the platform's serial port, talking to an emulated player on a
// pseudo-terminal served by a thread of this process.
class EmulatorTest : public ::testing::Test
{
protected:
    static constexpr std::chrono::milliseconds Watchdog{250};

    void startEmulator(TEmulatorOptions options = {}, TPlayerMemory memory = TPlayerMemory::Empty())
    {
        emulator = std::make_unique<TPlayerEmulator>(std::move(options), std::move(memory));
        std::string error;
        ASSERT_TRUE(emulator->open(error)) << error;
        device = QString::fromStdString(emulator->devicePath());
        emulator->start();
    }

    void startAndOpen(TEmulatorOptions options = {})
    {
        startEmulator(std::move(options));
        ASSERT_EQ(link.OpenComPort(device), TLinkResult::Ok) << link.lastErrorReason();
    }

    void TearDown() override
    {
        link.CloseComPort();
        if (emulator)
            emulator->stop();
    }

    TComLink link{std::make_unique<varno::link::TQtSerialDevice>(), Watchdog};
    std::unique_ptr<TPlayerEmulator> emulator;
    QString device;
};

} // namespace varno::test
