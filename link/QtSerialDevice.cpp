#include <QThread>
#include <link/DeviceAccess.h>
#include <link/QtSerialDevice.h>

namespace varno::link {

namespace {

QSerialPort::Parity toQt(TParity parity)
{
    switch (parity) {
    case TParity::None:
        return QSerialPort::NoParity;
    case TParity::Even:
        return QSerialPort::EvenParity;
    case TParity::Odd:
        return QSerialPort::OddParity;
    case TParity::Mark:
        return QSerialPort::MarkParity;
    case TParity::Space:
        return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

TParity fromQt(QSerialPort::Parity parity)
{
    switch (parity) {
    case QSerialPort::EvenParity:
        return TParity::Even;
    case QSerialPort::OddParity:
        return TParity::Odd;
    case QSerialPort::MarkParity:
        return TParity::Mark;
    case QSerialPort::SpaceParity:
        return TParity::Space;
    default:
        return TParity::None;
    }
}

QSerialPort::StopBits toQt(TStopBits stopBits)
{
    switch (stopBits) {
    case TStopBits::One:
        return QSerialPort::OneStop;
    case TStopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case TStopBits::Two:
        return QSerialPort::TwoStop;
    }
    return QSerialPort::OneStop;
}

TStopBits fromQt(QSerialPort::StopBits stopBits)
{
    switch (stopBits) {
    case QSerialPort::OneAndHalfStop:
        return TStopBits::OneAndHalf;
    case QSerialPort::TwoStop:
        return TStopBits::Two;
    default:
        return TStopBits::One;
    }
}

QSerialPort::FlowControl toQt(TFlowControl flow)
{
    switch (flow) {
    case TFlowControl::None:
        return QSerialPort::NoFlowControl;
    case TFlowControl::Hardware:
        return QSerialPort::HardwareControl;
    case TFlowControl::Software:
        return QSerialPort::SoftwareControl;
    }
    return QSerialPort::NoFlowControl;
}

TFlowControl fromQt(QSerialPort::FlowControl flow)
{
    switch (flow) {
    case QSerialPort::HardwareControl:
        return TFlowControl::Hardware;
    case QSerialPort::SoftwareControl:
        return TFlowControl::Software;
    default:
        return TFlowControl::None;
    }
}

bool lostLine(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ReadError || error == QSerialPort::ResourceError;
}

} // namespace

TQtSerialDevice::TQtSerialDevice() : TQtSerialDevice(PlatformSerialDriverFlags()) {}

TQtSerialDevice::TQtSerialDevice(std::unique_ptr<TSerialDriverFlags> driverFlags)
    : lowLatency_(std::move(driverFlags))
{
    QObject::connect(&port_, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError error) {
                         if (lostLine(error))
                             lineLost_ = true;
                     });
}

TQtSerialDevice::~TQtSerialDevice() = default;

bool TQtSerialDevice::open(const QString &device, const TLineSettings &initial)
{
    reason_.clear();
    lineLost_ = false;
    port_.setPortName(device);
    // Set before open(), which applies them: otherwise the line starts at 9600.
    port_.setBaudRate(initial.BaudRate);
    port_.setDataBits(QSerialPort::DataBits(initial.DataBits));
    port_.setParity(toQt(initial.Parity));
    port_.setStopBits(toQt(initial.StopBits));
    port_.setFlowControl(toQt(initial.FlowControl));
    // A program that closes the device releases its lock file just after the
    // device itself: a device refused as locked is tried again a few times, so
    // that a port that has just been let go is not reported in use.
    constexpr int attempts = 4;
    for (int attempt = 1;; ++attempt) {
        if (port_.open(QIODevice::ReadWrite)) {
#if defined(Q_OS_UNIX)
            // A descriptor here; the driver flags exist on Linux only.
            lowLatency_.request(int(port_.handle()));
#endif
            return true;
        }
        const bool permission = port_.error() == QSerialPort::PermissionError;
        const TDeviceAccess access = ProbeDeviceAccess(device);
        if (!permission || !access.Accessible || attempt == attempts) {
            reason_ = DescribeOpenFailure(device, access, permission, port_.errorString());
            port_.clearError();
            return false;
        }
        port_.clearError();
        QThread::msleep(10);
    }
}

bool TQtSerialDevice::isOpen() const
{
    return port_.isOpen();
}

bool TQtSerialDevice::readLineSettings(TLineSettings &settings)
{
    if (!ready())
        return false;
    settings.BaudRate = port_.baudRate();
    settings.DataBits = quint8(port_.dataBits());
    settings.Parity = fromQt(port_.parity());
    settings.StopBits = fromQt(port_.stopBits());
    settings.FlowControl = fromQt(port_.flowControl());
    // The control lines cannot be read back on every device (not on a
    // pseudo-terminal): report them as not asserted, which is what the link sets.
    settings.DtrAsserted = false;
    settings.RtsAsserted = false;
    return port_.error() == QSerialPort::NoError || fail(false);
}

bool TQtSerialDevice::setLine(const TLineSettings &settings)
{
    return port_.setBaudRate(settings.BaudRate) &&
           port_.setDataBits(QSerialPort::DataBits(settings.DataBits)) &&
           port_.setParity(toQt(settings.Parity)) && port_.setStopBits(toQt(settings.StopBits)) &&
           port_.setFlowControl(toQt(settings.FlowControl));
}

bool TQtSerialDevice::applyLineSettings(const TLineSettings &settings)
{
    if (!ready())
        return false;
    if (!setLine(settings))
        return fail(false);
    // A pseudo-terminal has no control lines: "unsupported operation" there
    // leaves nothing asserted, which is what is asked for.
    const auto setControl = [this](bool ok) {
        if (ok)
            return true;
        if (port_.error() == QSerialPort::UnsupportedOperationError) {
            port_.clearError();
            return true;
        }
        return false;
    };
    if (!setControl(port_.setDataTerminalReady(settings.DtrAsserted)) ||
        !setControl(port_.setRequestToSend(settings.RtsAsserted)))
        return fail(false);
    return true;
}

bool TQtSerialDevice::applyTimeouts(const TTimeouts &timeouts)
{
    if (!ready())
        return false;
    timeouts_ = timeouts;
    return true;
}

bool TQtSerialDevice::purge()
{
    if (!ready())
        return false;
    return port_.clear(QSerialPort::AllDirections) || fail(false);
}

TReadResult TQtSerialDevice::readByte()
{
    // Bytes already received are delivered even when the line has been lost since.
    if (!port_.isOpen() || port_.bytesAvailable() == 0) {
        if (!ready())
            return TReadResult::failed();
        if (!port_.waitForReadyRead(timeouts_.readBound(1))) {
            const QSerialPort::SerialPortError error = port_.error();
            if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) {
                port_.clearError();
                return TReadResult::noByte();
            }
            fail(lostLine(error));
            return TReadResult::failed();
        }
    }
    char byte = 0;
    if (!port_.getChar(&byte)) {
        fail(lostLine(port_.error()));
        return TReadResult::failed();
    }
    return TReadResult::byte(quint8(byte));
}

bool TQtSerialDevice::write(const quint8 *data, qsizetype count)
{
    if (!ready())
        return false;
    if (port_.write(reinterpret_cast<const char *>(data), count) != count)
        return fail(lostLine(port_.error()));
    if (!port_.waitForBytesWritten(timeouts_.writeBound(int(count)))) {
        // Running out of time is not a failure of the write; an error is.
        const QSerialPort::SerialPortError error = port_.error();
        if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
            return fail(error == QSerialPort::WriteError || lostLine(error));
        port_.clearError();
    }
    return true;
}

bool TQtSerialDevice::close()
{
    lineLost_ = false;
    if (!port_.isOpen())
        return true;
    port_.clearError();
    lowLatency_.restore();
    port_.close();
    const QSerialPort::SerialPortError error = port_.error();
    const QString text = port_.errorString();
    port_.clearError();
    // Restoring the settings of a device that has gone away fails; the device
    // is closed all the same.
    if (port_.isOpen() || (error != QSerialPort::NoError && !lostLine(error))) {
        reason_ = text;
        return false;
    }
    return true;
}

// Open and still connected; clears the error left by an earlier step.
bool TQtSerialDevice::ready()
{
    if (!port_.isOpen()) {
        if (reason_.isEmpty())
            reason_ = QStringLiteral("the port is not open");
        return false;
    }
    if (lineLost_) {
        reason_ = QStringLiteral("the line was lost (%1)").arg(port_.errorString());
        shut();
        lineLost_ = false;
        return false;
    }
    port_.clearError();
    reason_.clear();
    return true;
}

bool TQtSerialDevice::fail(bool closePort)
{
    reason_ = port_.errorString();
    if (closePort) {
        shut();
        lineLost_ = false;
    }
    return false;
}

void TQtSerialDevice::shut()
{
    lowLatency_.restore();
    port_.close();
    port_.clearError();
}

} // namespace varno::link
