#include <link/Win32Line.h>
#include <link/Win32SerialDevice.h>
#include <windows.h>

namespace varno::link {

namespace {

HANDLE asHandle(void *handle)
{
    return static_cast<HANDLE>(handle);
}

// The system's words for the last error of this thread.
QString lastErrorText()
{
    const DWORD code = GetLastError();
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    QString text = length ? QString::fromWCharArray(buffer, int(length)).trimmed()
                          : QStringLiteral("error %1").arg(code);
    if (buffer)
        LocalFree(buffer);
    return text;
}

TWin32Line fromDcb(const DCB &dcb)
{
    TWin32Line line;
    line.BaudRate = dcb.BaudRate;
    line.ByteSize = dcb.ByteSize;
    line.Parity = dcb.Parity;
    line.StopBits = dcb.StopBits;
    line.Flags = quint32(dcb.fBinary) | quint32(dcb.fParity) << 1 | quint32(dcb.fOutxCtsFlow) << 2 |
                 quint32(dcb.fOutxDsrFlow) << 3 | quint32(dcb.fDtrControl) << 4 |
                 quint32(dcb.fDsrSensitivity) << 6 | quint32(dcb.fTXContinueOnXoff) << 7 |
                 quint32(dcb.fOutX) << 8 | quint32(dcb.fInX) << 9 | quint32(dcb.fErrorChar) << 10 |
                 quint32(dcb.fNull) << 11 | quint32(dcb.fRtsControl) << 12 |
                 quint32(dcb.fAbortOnError) << 14;
    return line;
}

// Fields the link does not set keep what GetCommState returned.
void toDcb(const TWin32Line &line, DCB &dcb)
{
    dcb.BaudRate = line.BaudRate;
    dcb.ByteSize = line.ByteSize;
    dcb.Parity = line.Parity;
    dcb.StopBits = line.StopBits;
    const quint32 f = line.Flags;
    dcb.fBinary = f & 1;
    dcb.fParity = (f >> 1) & 1;
    dcb.fOutxCtsFlow = (f >> 2) & 1;
    dcb.fOutxDsrFlow = (f >> 3) & 1;
    dcb.fDtrControl = (f >> 4) & 3;
    dcb.fDsrSensitivity = (f >> 6) & 1;
    dcb.fTXContinueOnXoff = (f >> 7) & 1;
    dcb.fOutX = (f >> 8) & 1;
    dcb.fInX = (f >> 9) & 1;
    dcb.fErrorChar = (f >> 10) & 1;
    dcb.fNull = (f >> 11) & 1;
    dcb.fRtsControl = (f >> 12) & 3;
    dcb.fAbortOnError = (f >> 14) & 1;
}

} // namespace

TWin32SerialDevice::~TWin32SerialDevice()
{
    if (handle_)
        CloseHandle(asHandle(handle_));
}

bool TWin32SerialDevice::open(const QString &device, const TLineSettings &)
{
    reason_.clear();
    if (handle_) {
        reason_ = QStringLiteral("%1 is already open").arg(name_);
        return false;
    }
    // The line settings follow in their own steps: CreateFileA has no say in them.
    const QByteArray file = Win32CreateFileName(device).toLocal8Bit();
    const HANDLE handle = CreateFileA(file.constData(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        reason_ = code == ERROR_ACCESS_DENIED
                      ? QStringLiteral("%1 is in use by another program").arg(device)
                  : code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                      ? QStringLiteral("%1 does not exist").arg(device)
                      : QStringLiteral("%1: %2").arg(device, lastErrorText());
        return false;
    }
    handle_ = handle;
    name_ = device;
    return true;
}

bool TWin32SerialDevice::isOpen() const
{
    return handle_ != nullptr;
}

bool TWin32SerialDevice::readLineSettings(TLineSettings &settings)
{
    if (!ready())
        return false;
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!GetCommState(asHandle(handle_), &dcb))
        return fail();
    settings = FromWin32Line(fromDcb(dcb));
    return true;
}

bool TWin32SerialDevice::applyLineSettings(const TLineSettings &settings)
{
    if (!ready())
        return false;
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!GetCommState(asHandle(handle_), &dcb))
        return fail();
    toDcb(ToWin32Line(settings), dcb);
    return SetCommState(asHandle(handle_), &dcb) || fail();
}

bool TWin32SerialDevice::applyTimeouts(const TTimeouts &timeouts)
{
    if (!ready())
        return false;
    COMMTIMEOUTS values{};
    values.ReadIntervalTimeout = timeouts.ReadInterval;
    values.ReadTotalTimeoutMultiplier = timeouts.ReadTotalMultiplier;
    values.ReadTotalTimeoutConstant = timeouts.ReadTotalConstant;
    values.WriteTotalTimeoutMultiplier = timeouts.WriteTotalMultiplier;
    values.WriteTotalTimeoutConstant = timeouts.WriteTotalConstant;
    return SetCommTimeouts(asHandle(handle_), &values) || fail();
}

bool TWin32SerialDevice::purge()
{
    if (!ready())
        return false;
    return PurgeComm(asHandle(handle_), PurgeEverything) || fail();
}

TReadResult TWin32SerialDevice::readByte()
{
    if (!ready())
        return TReadResult::failed();
    quint8 byte = 0;
    DWORD read = 0;
    if (!ReadFile(asHandle(handle_), &byte, 1, &read, nullptr)) {
        fail();
        return TReadResult::failed();
    }
    // The time-outs ended the read: no byte came, which is no failure.
    return read == 1 ? TReadResult::byte(byte) : TReadResult::noByte();
}

bool TWin32SerialDevice::write(const quint8 *data, qsizetype count)
{
    if (!ready())
        return false;
    // One call per byte; the count written is not examined (a write that runs
    // out of time is no failure, the missing answer tells).
    for (qsizetype i = 0; i < count; ++i) {
        DWORD written = 0;
        if (!WriteFile(asHandle(handle_), data + i, 1, &written, nullptr))
            return fail();
    }
    return true;
}

bool TWin32SerialDevice::close()
{
    if (!handle_)
        return true;
    const HANDLE handle = asHandle(handle_);
    handle_ = nullptr;
    if (!CloseHandle(handle))
        return fail();
    return true;
}

bool TWin32SerialDevice::ready()
{
    if (!handle_) {
        if (reason_.isEmpty())
            reason_ = QStringLiteral("the port is not open");
        return false;
    }
    reason_.clear();
    return true;
}

bool TWin32SerialDevice::fail()
{
    reason_ = QStringLiteral("%1: %2").arg(name_, lastErrorText());
    return false;
}

} // namespace varno::link
