#pragma once

#include <cstddef>
#include <cstdint>
#include <link/SerialDevice.h>

namespace varno::fuzz {

// A serial port whose every answer comes from the fuzzer's input: each step
// takes the next input byte and fails when its low bits say so; a read gives a
// byte, no byte or a failure. When the input runs out every step fails, so no
// wait outlives the input.
class TFuzzDevice : public varno::link::TSerialDevice
{
public:
    TFuzzDevice(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    bool open(const QString &, const varno::link::TLineSettings &) override
    {
        return open_ = step();
    }
    bool isOpen() const override { return open_; }
    bool readLineSettings(varno::link::TLineSettings &) override { return step(); }
    bool applyLineSettings(const varno::link::TLineSettings &) override { return step(); }
    bool applyTimeouts(const varno::link::TTimeouts &) override { return step(); }
    bool purge() override { return step(); }
    varno::link::TReadResult readByte() override
    {
        if (at_ + 1 >= size_)
            return varno::link::TReadResult::failed();
        const std::uint8_t kind = data_[at_++];
        const std::uint8_t value = data_[at_++];
        switch (kind % 8) {
        case 0:
            return varno::link::TReadResult::failed();
        case 1:
            return varno::link::TReadResult::noByte();
        case 2:
        case 3:
            return varno::link::TReadResult::byte(0x01); // mostly acknowledgements
        default:
            return varno::link::TReadResult::byte(value);
        }
    }
    bool write(const quint8 *, qsizetype) override { return step(); }
    bool close() override
    {
        open_ = false;
        return step();
    }
    QString errorReason() const override { return QString(); }

private:
    // One step in sixteen fails.
    bool step()
    {
        if (at_ >= size_)
            return false;
        return (data_[at_++] & 0x0F) != 0;
    }

    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t at_ = 0;
    bool open_ = false;
};

} // namespace varno::fuzz
