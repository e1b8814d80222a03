#pragma once

#include <link/SerialDevice.h>

namespace varno::link {

// The serial port through the Win32 communications API, one call per step:
// CreateFileA (exclusive, synchronous), GetCommState / SetCommState,
// SetCommTimeouts, PurgeComm, one-byte ReadFile and WriteFile, CloseHandle.
// Reads and writes wait as long as the applied time-outs allow; a read that
// returns no byte is no failure. Windows only.
class TWin32SerialDevice final : public TSerialDevice
{
public:
    TWin32SerialDevice() = default;
    ~TWin32SerialDevice() override;
    TWin32SerialDevice(const TWin32SerialDevice &) = delete;
    TWin32SerialDevice &operator=(const TWin32SerialDevice &) = delete;

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
    bool ready();
    bool fail();

    void *handle_ = nullptr; // a HANDLE; null when closed
    QString name_;
    QString reason_;
};

} // namespace varno::link
