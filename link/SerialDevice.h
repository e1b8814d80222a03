#pragma once

#include <QString>
#include <QtGlobal>

// What the serial link needs of the platform's serial port, one call per step,
// so that every step can fail on its own.
namespace varno::link {

enum class TParity : quint8
{
    None,
    Even,
    Odd,
    Mark,
    Space
};
enum class TStopBits : quint8
{
    One,
    OneAndHalf,
    Two
};
enum class TFlowControl : quint8
{
    None,
    Hardware,
    Software
};

struct TLineSettings
{
    qint32 BaudRate = 9600;
    quint8 DataBits = 8;
    TParity Parity = TParity::None;
    TStopBits StopBits = TStopBits::One;
    TFlowControl FlowControl = TFlowControl::None;
    bool DtrAsserted = false;
    bool RtsAsserted = false;

    bool operator==(const TLineSettings &) const = default;
};

// Milliseconds. A read of n bytes returns after at most
// ReadTotalConstant + n * ReadTotalMultiplier, with or without a byte.
struct TTimeouts
{
    quint32 ReadInterval = 0;
    quint32 ReadTotalMultiplier = 0;
    quint32 ReadTotalConstant = 0;
    quint32 WriteTotalMultiplier = 0;
    quint32 WriteTotalConstant = 0;

    int readBound(int bytes) const { return int(ReadTotalConstant + ReadTotalMultiplier * bytes); }
    int writeBound(int bytes) const
    {
        return int(WriteTotalConstant + WriteTotalMultiplier * bytes);
    }
    bool operator==(const TTimeouts &) const = default;
};

enum class TReadStatus : quint8
{
    Byte,
    NoByte,
    Failed
};

struct TReadResult
{
    TReadStatus Status = TReadStatus::NoByte;
    quint8 Value = 0;

    static TReadResult byte(quint8 value) { return {TReadStatus::Byte, value}; }
    static TReadResult noByte() { return {TReadStatus::NoByte, 0}; }
    static TReadResult failed() { return {TReadStatus::Failed, 0}; }
};

class TSerialDevice
{
public:
    virtual ~TSerialDevice() = default;

    // Opens the device for reading and writing, exclusively. Where the platform
    // allows, the line starts with `initial` so that it never carries other
    // settings. On failure errorReason() tells why.
    virtual bool open(const QString &device, const TLineSettings &initial) = 0;
    virtual bool isOpen() const = 0;
    virtual bool readLineSettings(TLineSettings &settings) = 0;
    virtual bool applyLineSettings(const TLineSettings &settings) = 0;
    virtual bool applyTimeouts(const TTimeouts &timeouts) = 0;
    // Abandons pending reads and writes and empties both buffers.
    virtual bool purge() = 0;
    // One byte, waiting at most as long as the time-outs allow. No byte within
    // that time is not a failure.
    virtual TReadResult readByte() = 0;
    virtual bool write(const quint8 *data, qsizetype count) = 0;
    virtual bool close() = 0;
    // Why the last step failed, in the platform's words (empty when unknown).
    virtual QString errorReason() const = 0;
};

} // namespace varno::link
