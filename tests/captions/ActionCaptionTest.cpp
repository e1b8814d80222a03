#include <QtPrinters.h>
#include <captions/ActionCaption.h>
#include <gtest/gtest.h>
#include <resources/ListGlyphs.h>
#include <text/text.h>

namespace {

using namespace varno::actions;

TEST(ActionCaption, everyKindInEnglish)
{
    const auto en = [](quint8 kind, quint8 number, quint8 value = 255) {
        return CaptionOf(kind, number, value, text::English);
    };
    EXPECT_EQ(en(0, 5).text, "Timer File : T005");
    EXPECT_EQ(en(0, 5).glyph, pictures::list::TimerFile);
    EXPECT_EQ(en(1, 0).text, "Directory : SONG");
    EXPECT_EQ(en(1, 12).text, "Directory : F012");
    EXPECT_EQ(en(2, 0).text, "Sleep mode");
    EXPECT_EQ(en(3, 3).text, "Command : Stop");
    EXPECT_EQ(en(3, 3).glyph, pictures::list::Stop);
    EXPECT_EQ(en(3, 10).text, "Command : USB Mode");
    EXPECT_EQ(en(3, 6).glyph, pictures::list::DirectoryNext);
    EXPECT_EQ(en(3, 0).text, "Command : Play");
    EXPECT_EQ(en(3, 11).glyph, pictures::list::Play);
    EXPECT_EQ(en(4, 6).text, "Volume : -06 dB");
    EXPECT_EQ(en(5, 3).text, "Internal Output : 03");
    const ActionCaption external = en(6, 17, 128);
    EXPECT_EQ(external.text, "Extrenal Output : 017");
    EXPECT_TRUE(external.hasValue);
    EXPECT_EQ(external.valueText, "Value : 128");
    EXPECT_EQ(external.valueGlyph, pictures::list::Value);
    EXPECT_EQ(en(8, 42).text, "Go To Program :  042");
    EXPECT_EQ(en(11, 3).text, "FTP Client 3");
    EXPECT_EQ(en(11, 3).glyph, NoGlyph);
    EXPECT_EQ(en(12, 4).text, "Send EMail 004");
    for (quint8 unknown : {7, 9, 10, 13, 14, 15, 200}) {
        EXPECT_EQ(en(unknown, 1).text, "Unknown Command") << int(unknown);
        EXPECT_EQ(en(unknown, 1).glyph, pictures::list::Blank);
        EXPECT_FALSE(en(unknown, 1).hasValue);
    }
    EXPECT_FALSE(en(5, 1).hasValue);
}

TEST(ActionCaption, otherLanguages)
{
    EXPECT_EQ(CaptionOf(0, 1, 255, text::French).text, "Fichier Timer : T001");
    EXPECT_EQ(CaptionOf(6, 2, 3, text::French).valueText, "Valeur : 003");
    EXPECT_EQ(CaptionOf(1, 0, 255, text::Spanish).text, QStringLiteral("Directorio\u00A0: SONG"));
    EXPECT_EQ(CaptionOf(3, 2, 255, text::Spanish).text, "Comando : Pause");
}

} // namespace
