#include <QRegularExpression>
#include <link/Win32Line.h>

namespace varno::link {

namespace {

constexpr quint32 Binary = 1u << 0;
constexpr quint32 ParityCheck = 1u << 1;
constexpr quint32 OutxCtsFlow = 1u << 2;
constexpr quint32 DtrControlShift = 4;
constexpr quint32 OutX = 1u << 8;
constexpr quint32 InX = 1u << 9;
constexpr quint32 RtsControlShift = 12;
// DTR_CONTROL_ENABLE and RTS_CONTROL_ENABLE; RTS_CONTROL_HANDSHAKE.
constexpr quint32 ControlEnable = 1;
constexpr quint32 RtsHandshake = 2;

} // namespace

TWin32Line ToWin32Line(const TLineSettings &settings)
{
    TWin32Line line;
    line.BaudRate = quint32(settings.BaudRate);
    line.ByteSize = settings.DataBits;
    switch (settings.Parity) {
    case TParity::None:
        line.Parity = 0;
        break;
    case TParity::Odd:
        line.Parity = 1;
        break;
    case TParity::Even:
        line.Parity = 2;
        break;
    case TParity::Mark:
        line.Parity = 3;
        break;
    case TParity::Space:
        line.Parity = 4;
        break;
    }
    line.StopBits = settings.StopBits == TStopBits::One          ? 0
                    : settings.StopBits == TStopBits::OneAndHalf ? 1
                                                                 : 2;
    // Binary mode is the only mode Windows supports; every other bit is a
    // choice the settings make.
    line.Flags = Binary;
    if (settings.Parity != TParity::None)
        line.Flags |= ParityCheck;
    if (settings.DtrAsserted)
        line.Flags |= ControlEnable << DtrControlShift;
    switch (settings.FlowControl) {
    case TFlowControl::None:
        if (settings.RtsAsserted)
            line.Flags |= ControlEnable << RtsControlShift;
        break;
    case TFlowControl::Hardware:
        line.Flags |= OutxCtsFlow | (RtsHandshake << RtsControlShift);
        break;
    case TFlowControl::Software:
        line.Flags |= OutX | InX;
        if (settings.RtsAsserted)
            line.Flags |= ControlEnable << RtsControlShift;
        break;
    }
    return line;
}

TLineSettings FromWin32Line(const TWin32Line &line)
{
    TLineSettings settings;
    settings.BaudRate = qint32(line.BaudRate);
    settings.DataBits = line.ByteSize;
    static constexpr TParity parities[] = {TParity::None, TParity::Odd, TParity::Even,
                                           TParity::Mark, TParity::Space};
    settings.Parity = line.Parity < 5 ? parities[line.Parity] : TParity::None;
    settings.StopBits = line.StopBits == 1   ? TStopBits::OneAndHalf
                        : line.StopBits == 2 ? TStopBits::Two
                                             : TStopBits::One;
    const quint32 rts = (line.Flags >> RtsControlShift) & 3;
    if (line.Flags & OutxCtsFlow || rts == RtsHandshake)
        settings.FlowControl = TFlowControl::Hardware;
    else if (line.Flags & (OutX | InX))
        settings.FlowControl = TFlowControl::Software;
    else
        settings.FlowControl = TFlowControl::None;
    settings.DtrAsserted = ((line.Flags >> DtrControlShift) & 3) == ControlEnable;
    settings.RtsAsserted = rts == ControlEnable;
    return settings;
}

QString Win32CreateFileName(const QString &portName)
{
    static const QRegularExpression com(QStringLiteral("^COM([0-9]+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = com.match(portName);
    if (match.hasMatch() && match.captured(1).toInt() > 9)
        return QStringLiteral("\\\\.\\") + portName;
    return portName;
}

} // namespace varno::link
