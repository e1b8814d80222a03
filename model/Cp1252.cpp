#include <QList>
#include <QStringView>
#include <array>
#include <model/Cp1252.h>

namespace varno::cp1252 {
namespace {

// Bytes 0x80..0x9F are the only ones that differ from Latin-1. The table is ours
// rather than a platform codec: Qt offers Windows-1252 only through ICU (absent
// from some builds), and codecs disagree on the undefined bytes.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

int byteFor(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return int(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint)
            return 0x80 + int(i);
    }
    return -1;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0)
            text.append(QChar(kHighControls[b - 0x80]));
        else
            text.append(QChar(char16_t(b)));
    }
    return text;
}

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t codePoint : QStringView(text).toUcs4()) {
        const int b = byteFor(codePoint);
        bytes.append(b < 0 ? '?' : char(b));
    }
    return bytes;
}

bool canEncode(const QString &text)
{
    for (char32_t codePoint : QStringView(text).toUcs4()) {
        if (byteFor(codePoint) < 0)
            return false;
    }
    return true;
}

} // namespace varno::cp1252
