// The emulator as its own program: its first line, its symbolic link, its
// memory file, and a player killed in the middle of a transfer.
#include "EmulatorFixture.h"

#include <MemoryFile.h>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>

namespace varno::test {
namespace {

class EmulatorProcess : public ::testing::Test
{
protected:
    // Starts the program and returns the port device from its first line.
    QString start(const QStringList &arguments)
    {
        process.setProgram(QStringLiteral(VARNO_PLAYER_EMULATOR));
        process.setArguments(arguments);
        process.start();
        if (!process.waitForStarted(5000))
            return {};
        while (!process.canReadLine() && process.waitForReadyRead(5000)) {
        }
        return QString::fromLocal8Bit(process.readLine()).trimmed();
    }

    bool terminate()
    {
        process.terminate();
        return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    void TearDown() override
    {
        link.CloseComPort();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    QTemporaryDir dir;
    QProcess process;
    TComLink link{std::make_unique<varno::link::TQtSerialDevice>(), 250ms};
};

TEST_F(EmulatorProcess, LinksThePortAndSavesItsMemoryAtFinalizeAndOnTerminate)
{
    const QString portLink = dir.filePath(QStringLiteral("player-port"));
    const QString memoryFile = dir.filePath(QStringLiteral("memory.txt"));
    const QString device =
        start({QStringLiteral("--link"), portLink, QStringLiteral("--save"), memoryFile});
    ASSERT_TRUE(device.startsWith(QStringLiteral("/dev/"))) << device;
    EXPECT_EQ(QFileInfo(portLink).symLinkTarget(), device);

    ASSERT_EQ(link.OpenComPort(portLink), TLinkResult::Ok) << link.lastErrorReason();
    const TTrameList block = SampleTransmitBlocks().at(0);
    ASSERT_EQ(link.WriteBlock(block), TLinkResult::Ok);
    ASSERT_EQ(link.WriteEepromByte(0x60, 0x10, 'V'), TLinkResult::Ok);
    ASSERT_EQ(link.SendFinalize(), TLinkResult::Ok);
    ASSERT_EQ(link.CloseComPort(), TLinkResult::Ok);

    TPlayerMemory saved;
    std::string error;
    ASSERT_TRUE(varno::emulator::LoadMemoryFile(memoryFile.toStdString(), saved, error)) << error;
    EXPECT_EQ(hex(bytesOf(saved.block(block.at(1).Value))), hex(varno::eeprom::ToBytes(block)));
    EXPECT_EQ(saved.name()[0], 'V');

    // A byte written after the finalize reaches the file on termination.
    ASSERT_EQ(link.OpenComPort(portLink), TLinkResult::Ok);
    ASSERT_EQ(link.WriteEepromByte(0x60, 0x11, 'X'), TLinkResult::Ok);
    ASSERT_EQ(link.CloseComPort(), TLinkResult::Ok);
    ASSERT_TRUE(terminate());
    ASSERT_TRUE(varno::emulator::LoadMemoryFile(memoryFile.toStdString(), saved, error)) << error;
    EXPECT_EQ(saved.name()[1], 'X');
    EXPECT_FALSE(QFileInfo::exists(portLink)) << "the link outlived the emulator";
}

TEST_F(EmulatorProcess, StartsFromAMemoryFile)
{
    const QString memoryFile = dir.filePath(QStringLiteral("memory.txt"));
    {
        QFile file(memoryFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("# a player programmed by hand\n"
                   "slot 010: 00 0A 21 00 11 11 11 05 00 00 00 00 00 1C 07 1A 0C 22 "
                   "FF FF FF FF FF FF\n"
                   "name +00: 48 69 00\n");
    }
    const QString device = start({QStringLiteral("--load"), memoryFile});
    ASSERT_FALSE(device.isEmpty());
    ASSERT_EQ(link.OpenComPort(device), TLinkResult::Ok) << link.lastErrorReason();

    TTrameList read;
    ASSERT_EQ(link.ReadBlock(10, read), TLinkResult::Ok);
    EXPECT_EQ(hex(varno::eeprom::ToBytes(read)),
              "00 0A 21 00 11 11 11 05 00 00 00 00 00 1C 07 1A 0C 22 FF FF FF FF FF FF");
    ASSERT_EQ(link.ReadBlock(11, read), TLinkResult::Ok);
    EXPECT_TRUE(IsEmptySlot(read));
    EXPECT_EQ(read.at(1).Value, 11);
    quint8 value = 0;
    ASSERT_EQ(link.ReadEepromByte(0x60, 0x11, value), TLinkResult::Ok);
    EXPECT_EQ(value, 'i');
}

TEST_F(EmulatorProcess, PlayerKilledMidTransferEndsWithACodeNotAHang)
{
    const QString device = start({QStringLiteral("--slow")});
    ASSERT_FALSE(device.isEmpty());
    ASSERT_EQ(link.OpenComPort(device), TLinkResult::Ok) << link.lastErrorReason();
    const qint64 pid = process.processId();
    // Fires while the link waits for an acknowledgement, a few blocks in.
    QTimer::singleShot(100ms, [pid] { ::kill(pid_t(pid), SIGKILL); });

    const std::vector<TTrameList> blocks = SampleTransmitBlocks();
    TLinkResult result = TLinkResult::Ok;
    std::size_t sent = 0;
    while (sent < blocks.size() && result == TLinkResult::Ok)
        result = link.WriteBlock(blocks[sent++]);

    EXPECT_LT(sent, blocks.size());
    EXPECT_TRUE(result == TLinkResult::ReadError || result == TLinkResult::WriteError ||
                result == TLinkResult::PurgeError)
        << "code " << int(result);
    EXPECT_NE(link.SendFinalize(), TLinkResult::Ok);
    const TLinkResult closed = link.CloseComPort();
    EXPECT_TRUE(closed == TLinkResult::Ok || closed == TLinkResult::CloseError);
}

TEST_F(EmulatorProcess, RejectsABadOptionWithAReason)
{
    process.setProgram(QStringLiteral(VARNO_PLAYER_EMULATOR));
    process.setArguments({QStringLiteral("--hang-up-after"), QStringLiteral("many")});
    process.start();
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().contains("--hang-up-after"));
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}

} // namespace
} // namespace varno::test
