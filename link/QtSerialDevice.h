#pragma once

#include <QSerialPort>
#include <link/LowLatency.h>
#include <link/SerialDevice.h>

namespace varno::link {

// The serial port of the platform, through QSerialPort. Reads and writes wait
// as long as the applied time-outs allow. When the port reports a read or
// resource error (an adapter pulled out, the other end of a pseudo-terminal
// gone) it is closed, so that every later step fails at once. An open port is
// asked for low latency (see TLowLatencyRequest), the former flags restored on
// close.
class TQtSerialDevice final : public TSerialDevice
{
public:
    TQtSerialDevice();
    explicit TQtSerialDevice(std::unique_ptr<TSerialDriverFlags> driverFlags);
    ~TQtSerialDevice() override;
    TQtSerialDevice(const TQtSerialDevice &) = delete;
    TQtSerialDevice &operator=(const TQtSerialDevice &) = delete;

    bool open(const QString &device, const TLineSettings &initial) override;
    bool isOpen() const override;
    bool readLineSettings(TLineSettings &settings) override;
    bool applyLineSettings(const TLineSettings &settings) override;
    bool applyTimeouts(const TTimeouts &timeouts) override;
    bool purge() override;
    TReadResult readByte() override;
    bool write(const quint8 *data, qsizetype count) override;
    bool close() override;
    QString errorReason() const override { return reason_; }

private:
    bool setLine(const TLineSettings &settings);
    bool ready();
    bool fail(bool closePort);
    void shut();

    QSerialPort port_;
    TLowLatencyRequest lowLatency_;
    TTimeouts timeouts_;
    QString reason_;
    bool lineLost_ = false;
};

} // namespace varno::link
