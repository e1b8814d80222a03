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

// Calls f with each code point of text; a surrogate without its other half is
// one code point that Windows-1252 cannot hold, as QStringView::toUcs4() sees
// it. Walks the string in place: projects are encoded whole at each save and
// each check for changes.
template <class F> bool allCodePoints(QStringView text, F f)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = text[i].unicode();
        char32_t codePoint = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < size && text[i + 1].isLowSurrogate())
            codePoint = QChar::surrogateToUcs4(unit, text[++i].unicode());
        else if (QChar::isSurrogate(unit))
            codePoint = QChar::ReplacementCharacter;
        if (!f(codePoint))
            return false;
    }
    return true;
}

} // namespace

QString Decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray Encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    allCodePoints(text, [&out](char32_t codePoint) {
        const int b = byteFor(codePoint);
        *out++ = b < 0 ? '?' : char(b);
        return true;
    });
    bytes.truncate(out - bytes.constData());
    return bytes;
}

bool CanEncode(const QString &text)
{
    return allCodePoints(text, [](char32_t codePoint) { return byteFor(codePoint) >= 0; });
}

} // namespace varno::cp1252
