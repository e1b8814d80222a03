#include <QCoreApplication>
#include <link/ComLink.h>
#include <link/PlatformSerialDevice.h>
#include <link/PortName.h>

using varno::link::TReadResult;
using varno::link::TReadStatus;

namespace varno::link {

TLineSettings PlayerLineSettings()
{
    TLineSettings settings;
    settings.BaudRate = 57600;
    settings.DataBits = 8;
    settings.Parity = TParity::None;
    settings.StopBits = TStopBits::One;
    settings.FlowControl = TFlowControl::None;
    settings.DtrAsserted = false;
    settings.RtsAsserted = false;
    return settings;
}

TTimeouts PlayerTimeouts()
{
    TTimeouts timeouts;
    timeouts.ReadInterval = 2;
    timeouts.ReadTotalMultiplier = 10;
    timeouts.ReadTotalConstant = 50;
    timeouts.WriteTotalMultiplier = 20;
    timeouts.WriteTotalConstant = 50;
    return timeouts;
}

} // namespace varno::link

TComLink::TComLink() : TComLink(varno::link::MakePlatformSerialDevice()) {}

TComLink::TComLink(std::unique_ptr<varno::link::TSerialDevice> device,
                   std::chrono::milliseconds watchdogInterval)
    : device_(std::move(device))
{
    watchdog_.setSingleShot(true);
    watchdog_.setTimerType(Qt::PreciseTimer);
    watchdog_.setInterval(watchdogInterval);
}

TComLink::~TComLink()
{
    if (device_->isOpen())
        device_->close();
}

bool TComLink::isOpen() const
{
    return device_->isOpen();
}

std::chrono::milliseconds TComLink::watchdogInterval() const
{
    return watchdog_.intervalAsDuration();
}

void TComLink::setWatchdogInterval(std::chrono::milliseconds interval)
{
    watchdog_.setInterval(interval);
}

TLinkResult TComLink::failed(TLinkResult result)
{
    reason_ = device_->errorReason();
    return result;
}

TLinkResult TComLink::OpenComPort(const QString &portName)
{
    using namespace varno::link;
    reason_.clear();
    if (device_->isOpen()) {
        reason_ = QStringLiteral("this link already holds a port open");
        return TLinkResult::OpenError;
    }
    if (!device_->open(PortDeviceName(portName), PlayerLineSettings()))
        return failed(TLinkResult::OpenError);

    // A port left open after a failed step would stay locked against every
    // later attempt, and callers do not close after a failed open: close it here.
    const auto abandon = [this](TLinkResult result) {
        failed(result);
        device_->close();
        return result;
    };
    TLineSettings settings;
    if (!device_->readLineSettings(settings))
        return abandon(TLinkResult::ParametersError);
    // Every setting the device models is one the player fixes.
    settings = PlayerLineSettings();
    if (!device_->applyLineSettings(settings))
        return abandon(TLinkResult::SettingError);
    if (!device_->applyTimeouts(PlayerTimeouts()))
        return abandon(TLinkResult::TimeoutsError);
    if (PurgeComPort() != TLinkResult::Ok)
        return abandon(TLinkResult::PurgeError);
    return TLinkResult::Ok;
}

TLinkResult TComLink::CloseComPort()
{
    watchdog_.stop();
    if (!device_->isOpen())
        return TLinkResult::Ok;
    return device_->close() ? TLinkResult::Ok : failed(TLinkResult::CloseError);
}

TLinkResult TComLink::PurgeComPort()
{
    return device_->purge() ? TLinkResult::Ok : failed(TLinkResult::PurgeError);
}

void TComLink::StartWatchdog()
{
    watchdog_.start();
}

// Waits for 0x01, skipping any other byte. The watchdog is tested before the
// byte, so an acknowledgement read in the same pass as the expiry still counts
// as too late.
TLinkResult TComLink::WaitAcknowledge()
{
    quint8 buffer = 0;
    StartWatchdog();
    for (;;) {
        const TReadResult read = device_->readByte();
        if (read.Status == TReadStatus::Failed) {
            watchdog_.stop();
            return failed(TLinkResult::ReadError);
        }
        if (read.Status == TReadStatus::Byte)
            buffer = read.Value;
        QCoreApplication::processEvents();
        if (!watchdog_.isActive()) {
            reason_ = QStringLiteral("no acknowledgement from the player");
            return TLinkResult::PlayerNotReady;
        }
        if (buffer == varno::link::Acknowledge) {
            watchdog_.stop();
            return TLinkResult::Ok;
        }
    }
}

TLinkResult TComLink::SendCommand(quint8 command)
{
    if (!device_->write(&command, 1))
        return failed(TLinkResult::WriteError);
    return WaitAcknowledge();
}

TLinkResult TComLink::WriteBytes(std::initializer_list<quint8> bytes)
{
    for (const quint8 byte : bytes) {
        if (!device_->write(&byte, 1))
            return failed(TLinkResult::WriteError);
    }
    return TLinkResult::Ok;
}

// The acknowledgement after the data of a read, without the watchdog. A
// missing acknowledgement is not an error. Stray bytes before it are skipped
// until it comes or the line falls quiet: one left on the line would arrive
// after the next exchange's purge, and that exchange would take it, or the
// acknowledgement behind it, for its own, reading every later block shifted.
// The first read's failure is ignored; a later one counts.
TLinkResult TComLink::ReadTrailingAcknowledge()
{
    constexpr int mostStrayBytes = 64;
    for (int i = 0; i <= mostStrayBytes; ++i) {
        const TReadResult read = device_->readByte();
        if (read.Status == TReadStatus::Failed) {
            if (i == 0)
                continue;
            return failed(TLinkResult::ReadError);
        }
        if (read.Status == TReadStatus::NoByte || read.Value == varno::link::Acknowledge)
            return TLinkResult::Ok;
    }
    reason_ = QStringLiteral("the player kept sending after the data");
    return TLinkResult::ReadError;
}

TLinkResult TComLink::WriteBlock(const TTrameList &block)
{
    if (PurgeComPort() != TLinkResult::Ok)
        return TLinkResult::PurgeError;
    if (const TLinkResult result = SendCommand(varno::link::CommandWriteBlock);
        result != TLinkResult::Ok)
        return result;
    // A frame holds one byte: a Length of 0 sends nothing, any other sends it once.
    for (const TTrame &frame : block) {
        if (frame.Length != 0 && !device_->write(&frame.Value, 1))
            return failed(TLinkResult::WriteError);
    }
    return WaitAcknowledge();
}

TLinkResult TComLink::ReadBlock(quint8 slot, TTrameList &block)
{
    constexpr std::size_t blockSize = 24;
    block.resize(blockSize);
    if (PurgeComPort() != TLinkResult::Ok)
        return TLinkResult::PurgeError;
    if (const TLinkResult result = SendCommand(varno::link::CommandReadBlock);
        result != TLinkResult::Ok)
        return result;
    if (const TLinkResult result = SendCommand(slot); result != TLinkResult::Ok)
        return result;
    for (std::size_t i = 0; i < blockSize; ++i) {
        const TReadResult read = device_->readByte();
        if (read.Status == TReadStatus::Failed)
            return failed(TLinkResult::ReadError);
        if (read.Status == TReadStatus::NoByte) {
            reason_ = QStringLiteral("byte %1 of the block did not arrive").arg(i);
            return TLinkResult::ReadError;
        }
        block[i].Value = read.Value;
        block[i].Length = 1;
    }
    return ReadTrailingAcknowledge();
}

TLinkResult TComLink::WriteEepromByte(quint8 address1, quint8 address2, quint8 value)
{
    if (PurgeComPort() != TLinkResult::Ok)
        return TLinkResult::PurgeError;
    if (const TLinkResult result = SendCommand(varno::link::CommandWriteEepromByte);
        result != TLinkResult::Ok)
        return result;
    if (const TLinkResult result = WriteBytes({address1, address2, value});
        result != TLinkResult::Ok)
        return result;
    return WaitAcknowledge();
}

TLinkResult TComLink::ReadEepromByte(quint8 address1, quint8 address2, quint8 &value)
{
    value = 0;
    if (PurgeComPort() != TLinkResult::Ok)
        return TLinkResult::PurgeError;
    if (const TLinkResult result = SendCommand(varno::link::CommandReadEepromByte);
        result != TLinkResult::Ok)
        return result;
    if (const TLinkResult result = WriteBytes({address1, address2}); result != TLinkResult::Ok)
        return result;
    const TReadResult read = device_->readByte();
    if (read.Status == TReadStatus::Failed)
        return failed(TLinkResult::ReadError);
    if (read.Status == TReadStatus::NoByte) {
        reason_ = QStringLiteral("the EEPROM byte did not arrive");
        return TLinkResult::ReadError;
    }
    value = read.Value;
    return ReadTrailingAcknowledge();
}

TLinkResult TComLink::SendFinalize()
{
    const quint8 command = varno::link::CommandFinalize;
    if (!device_->write(&command, 1))
        return failed(TLinkResult::WriteError);
    if (const TLinkResult result = WaitAcknowledge(); result != TLinkResult::Ok)
        return result;
    return WaitAcknowledge();
}
