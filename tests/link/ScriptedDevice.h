#pragma once

#include <QByteArray>
#include <QStringList>
#include <chrono>
#include <deque>
#include <link/SerialDevice.h>
#include <map>

namespace varno::test {

enum class TStep
{
    Open,
    ReadSettings,
    ApplySettings,
    ApplyTimeouts,
    Purge,
    Read,
    Write,
    Close
};

// A serial device that plays a script: reads return the fed bytes, gaps and
// failures in order (no byte once the script has run out), and any single call
// of any step can be made to fail. It keeps a trace of every call:
//   open get set timeouts purge close   the steps
//   w0A   a byte written     w!0A  a write that failed
//   r01   a byte read        r-    a read without a byte     r!  a failed read
class TScriptedDevice final : public varno::link::TSerialDevice
{
public:
    using ms = std::chrono::milliseconds;

    void feed(std::initializer_list<quint8> bytes);
    void feed(const QByteArray &bytes);
    void feedNoByte(int count = 1);
    void feedFailure();
    // Reads return no byte until `delay` has passed since the previous entry
    // was consumed, then the byte.
    void feedAfter(ms delay, quint8 byte);
    // The read itself blocks for `duration`, then returns the byte.
    void feedSlowRead(ms duration, quint8 byte);
    // The nth call of `step` from now on fails (1 = the next one).
    void failAt(TStep step, int nth = 1);
    // How long a read without a byte takes (a real one waits up to 60 ms).
    void setIdleRead(ms duration) { idleRead_ = duration; }

    QString trace() const { return trace_.join(QLatin1Char(' ')); }
    void clearTrace() { trace_.clear(); }
    QByteArray written() const { return written_; }
    int calls(TStep step) const;
    std::size_t unreadEntries() const { return script_.size(); }

    QString openedDevice;
    varno::link::TLineSettings initialSettings;
    varno::link::TLineSettings currentSettings; // what readLineSettings reports
    varno::link::TLineSettings appliedSettings;
    varno::link::TTimeouts appliedTimeouts;

    bool open(const QString &device, const varno::link::TLineSettings &initial) override;
    bool isOpen() const override { return open_; }
    bool readLineSettings(varno::link::TLineSettings &settings) override;
    bool applyLineSettings(const varno::link::TLineSettings &settings) override;
    bool applyTimeouts(const varno::link::TTimeouts &timeouts) override;
    bool purge() override;
    varno::link::TReadResult readByte() override;
    bool write(const quint8 *data, qsizetype count) override;
    bool close() override;
    QString errorReason() const override { return reason_; }

private:
    struct Entry
    {
        enum class Kind
        {
            Byte,
            NoByte,
            Failure
        } Kind;
        quint8 Value = 0;
        ms Delay{0};
        bool SlowRead = false;
    };
    bool fails(TStep step, const char *name);

    std::deque<Entry> script_;
    std::chrono::steady_clock::time_point headSince_ = std::chrono::steady_clock::now();
    std::map<TStep, int> calls_;
    std::map<TStep, int> failAt_;
    QStringList trace_;
    QByteArray written_;
    QString reason_;
    ms idleRead_{1};
    bool open_ = false;
};

} // namespace varno::test
