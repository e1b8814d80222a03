#include <QStringDecoder>
#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <model/Cp1252.h>

namespace {

TEST(Cp1252, everyByteDecodesToOneCharacterAndEncodesBack)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = varno::cp1252::Decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(varno::cp1252::Encode(text), all);
    EXPECT_TRUE(varno::cp1252::CanEncode(text));
}

TEST(Cp1252, westernCharactersHaveTheirCodePageBytes)
{
    EXPECT_EQ(varno::cp1252::Decode("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(varno::cp1252::Decode("\x9F"), QString(QChar(0x0178)));
    EXPECT_EQ(varno::cp1252::Decode("\x81"), QString(QChar(0x0081)));
    EXPECT_EQ(varno::cp1252::Decode("\xA0"), QString(QChar(0x00A0)));
    EXPECT_EQ(varno::cp1252::Encode(QStringLiteral("Créer€ ¿ñ œ")),
              QByteArray("Cr\xE9\x65r\x80 \xBF\xF1 \x9C"));
}

// The round trip above cannot see a wrong but unique entry (0x99 as another
// character than the trade mark sign): the 27 defined bytes of 0x80..0x9F are
// compared with the platform's published code page, all at once.
TEST(Cp1252, definedHighBytesMatchThePublishedCodePage)
{
    QStringDecoder published("windows-1252");
    if (!published.isValid())
        GTEST_SKIP() << "this Qt has no Windows-1252 codec to compare with";
    QByteArray defined;
    for (int b = 0x80; b < 0xA0; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D)
            defined.append(char(b));
    ASSERT_EQ(defined.size(), 27);
    const QString expected = published.decode(defined);
    ASSERT_FALSE(published.hasError());
    EXPECT_EQ(varno::cp1252::Decode(defined), expected);
    EXPECT_EQ(varno::cp1252::Encode(expected), defined);
}

TEST(Cp1252, charactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    const QString text = QStringLiteral("a\u0416b") + QString::fromUcs4(U"\U0001F600") + "c";
    EXPECT_EQ(varno::cp1252::Encode(text), QByteArray("a?b?c"));
    EXPECT_FALSE(varno::cp1252::CanEncode(text));
    // Half a surrogate pair is one character too, and takes nothing after it along.
    const QChar high(char16_t(0xD83D)), low(char16_t(0xDE00));
    const struct
    {
        QString text;
        QByteArray bytes;
    } halves[] = {{QString("a") + high + "b", "a?b"},
                  {QString(low) + "c", "?c"},
                  {QString("x") + high, "x?"},
                  {QString(high) + high + low, "??"}};
    for (const auto &c : halves) {
        EXPECT_EQ(varno::cp1252::Encode(c.text), c.bytes) << c.bytes.constData();
        EXPECT_FALSE(varno::cp1252::CanEncode(c.text)) << c.bytes.constData();
    }
}

} // namespace
