#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <model/Cp1252.h>

namespace {

TEST(Cp1252, everyByteDecodesToOneCharacterAndEncodesBack)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = varno::cp1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(varno::cp1252::encode(text), all);
    EXPECT_TRUE(varno::cp1252::canEncode(text));
}

TEST(Cp1252, westernCharactersHaveTheirCodePageBytes)
{
    EXPECT_EQ(varno::cp1252::decode("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(varno::cp1252::decode("\x9F"), QString(QChar(0x0178)));
    EXPECT_EQ(varno::cp1252::decode("\x81"), QString(QChar(0x0081)));
    EXPECT_EQ(varno::cp1252::decode("\xA0"), QString(QChar(0x00A0)));
    EXPECT_EQ(varno::cp1252::encode(QStringLiteral("Créer€ ¿ñ œ")),
              QByteArray("Cr\xE9\x65r\x80 \xBF\xF1 \x9C"));
}

TEST(Cp1252, charactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    const QString text = QStringLiteral("a\u0416b") + QString::fromUcs4(U"\U0001F600") + "c";
    EXPECT_EQ(varno::cp1252::encode(text), QByteArray("a?b?c"));
    EXPECT_FALSE(varno::cp1252::canEncode(text));
}

} // namespace
