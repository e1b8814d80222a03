#include "ScriptedDevice.h"

#include <thread>

namespace varno::test {

using varno::link::TReadResult;

namespace {

QString hexByte(quint8 byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

void TScriptedDevice::feed(std::initializer_list<quint8> bytes)
{
    for (quint8 byte : bytes)
        script_.push_back({Entry::Kind::Byte, byte, ms(0), false});
}

void TScriptedDevice::feed(const QByteArray &bytes)
{
    for (char byte : bytes)
        script_.push_back({Entry::Kind::Byte, quint8(byte), ms(0), false});
}

void TScriptedDevice::feedNoByte(int count)
{
    for (int i = 0; i < count; ++i)
        script_.push_back({Entry::Kind::NoByte, 0, ms(0), false});
}

void TScriptedDevice::feedFailure()
{
    script_.push_back({Entry::Kind::Failure, 0, ms(0), false});
}

void TScriptedDevice::feedAfter(ms delay, quint8 byte)
{
    script_.push_back({Entry::Kind::Byte, byte, delay, false});
}

void TScriptedDevice::feedSlowRead(ms duration, quint8 byte)
{
    script_.push_back({Entry::Kind::Byte, byte, duration, true});
}

void TScriptedDevice::failAt(TStep step, int nth)
{
    failAt_[step] = calls_[step] + nth;
}

int TScriptedDevice::calls(TStep step) const
{
    const auto found = calls_.find(step);
    return found == calls_.end() ? 0 : found->second;
}

bool TScriptedDevice::fails(TStep step, const char *name)
{
    const int call = ++calls_[step];
    const auto found = failAt_.find(step);
    if (found == failAt_.end() || found->second != call)
        return false;
    reason_ = QStringLiteral("scripted failure of %1").arg(QLatin1String(name));
    return true;
}

bool TScriptedDevice::open(const QString &device, const varno::link::TLineSettings &initial)
{
    trace_ << QStringLiteral("open");
    if (fails(TStep::Open, "open") || open_)
        return false;
    openedDevice = device;
    initialSettings = initial;
    open_ = true;
    return true;
}

bool TScriptedDevice::readLineSettings(varno::link::TLineSettings &settings)
{
    trace_ << QStringLiteral("get");
    if (fails(TStep::ReadSettings, "get") || !open_)
        return false;
    settings = currentSettings;
    return true;
}

bool TScriptedDevice::applyLineSettings(const varno::link::TLineSettings &settings)
{
    trace_ << QStringLiteral("set");
    if (fails(TStep::ApplySettings, "set") || !open_)
        return false;
    appliedSettings = settings;
    return true;
}

bool TScriptedDevice::applyTimeouts(const varno::link::TTimeouts &timeouts)
{
    trace_ << QStringLiteral("timeouts");
    if (fails(TStep::ApplyTimeouts, "timeouts") || !open_)
        return false;
    appliedTimeouts = timeouts;
    return true;
}

bool TScriptedDevice::purge()
{
    trace_ << QStringLiteral("purge");
    return !fails(TStep::Purge, "purge") && open_;
}

TReadResult TScriptedDevice::readByte()
{
    if (fails(TStep::Read, "read") || !open_) {
        trace_ << QStringLiteral("r!");
        return TReadResult::failed();
    }
    const auto now = std::chrono::steady_clock::now();
    if (script_.empty() ||
        (!script_.front().SlowRead && now - headSince_ < script_.front().Delay)) {
        std::this_thread::sleep_for(idleRead_);
        trace_ << QStringLiteral("r-");
        return TReadResult::noByte();
    }
    const Entry entry = script_.front();
    script_.pop_front();
    if (entry.SlowRead)
        std::this_thread::sleep_for(entry.Delay);
    headSince_ = std::chrono::steady_clock::now();
    switch (entry.Kind) {
    case Entry::Kind::Byte:
        trace_ << QStringLiteral("r") + hexByte(entry.Value);
        return TReadResult::byte(entry.Value);
    case Entry::Kind::NoByte:
        std::this_thread::sleep_for(idleRead_);
        trace_ << QStringLiteral("r-");
        return TReadResult::noByte();
    case Entry::Kind::Failure:
        trace_ << QStringLiteral("r!");
        reason_ = QStringLiteral("scripted read failure");
        return TReadResult::failed();
    }
    return TReadResult::failed();
}

bool TScriptedDevice::write(const quint8 *data, qsizetype count)
{
    QString token = QStringLiteral("w");
    const bool failed = fails(TStep::Write, "write") || !open_;
    if (failed)
        token += QLatin1Char('!');
    for (qsizetype i = 0; i < count; ++i)
        token += hexByte(data[i]);
    trace_ << token;
    if (failed)
        return false;
    written_.append(reinterpret_cast<const char *>(data), count);
    return true;
}

bool TScriptedDevice::close()
{
    trace_ << QStringLiteral("close");
    if (fails(TStep::Close, "close"))
        return false;
    open_ = false;
    return true;
}

} // namespace varno::test
