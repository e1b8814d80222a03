#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <resources/Pictures.h>
#include <shell/Help.h>
#include <text/text.h>

namespace {

class AboutBox : public ::testing::Test
{
protected:
    void TearDown() override { box.hide(); }
    TForm2 box;
};

TEST_F(AboutBox, layout)
{
    EXPECT_EQ(box.size(), QSize(394, 124));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    const std::pair<QWidget *, QRect> places[] = {
        {box.Bevel1, {8, 8, 377, 73}},         {box.Image1, {16, 16, 128, 54}},
        {box.StaticText1, {152, 19, 225, 20}}, {box.StaticText2, {152, 40, 225, 17}},
        {box.StaticText3, {152, 57, 225, 18}}, {box.OKBtn, {311, 92, 75, 25}},
    };
    for (const auto &[widget, rect] : places)
        EXPECT_EQ(widget->geometry(), rect) << widget->objectName().toStdString();
    for (const char *name : {"StaticText1", "StaticText2", "StaticText3", "OKBtn"})
        EXPECT_NE(box.findChild<QWidget *>(name), nullptr) << name;

    for (QLabel *label : {box.StaticText1, box.StaticText2, box.StaticText3})
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << label->objectName().toStdString();
    EXPECT_EQ(box.StaticText1->font().family(), "Arial");
    EXPECT_EQ(box.StaticText1->font().pixelSize(), 13);
    EXPECT_EQ(box.StaticText3->font().family(), "Arial");
    EXPECT_EQ(box.StaticText3->font().pixelSize(), 13);
    EXPECT_EQ(box.StaticText2->font(), box.font());

    EXPECT_NE(box.Bevel1->frameShape(), QFrame::NoFrame);
    const QPixmap logo = box.Image1->pixmap();
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.deviceIndependentSize().toSize(), QSize(128, 54));
}

TEST_F(AboutBox, textsInEachLanguageAtEachOpening)
{
    struct Case
    {
        text::Language language;
        QString title, version;
    };
    const Case cases[] = {
        {text::English, "About VARNO \"Quillon\" Programmer", "Version 2.1"},
        {text::Spanish, "Sobre el Porgramador \"Quillon\" de VARNO", "Versi\u00f3n 2.1"},
        {text::French, "A propos de VARNO Programmer", "Version 2.1"},
        {text::English, "About VARNO \"Quillon\" Programmer", "Version 2.1"},
    };
    for (const Case &c : cases) {
        box.Language = c.language;
        box.show();
        EXPECT_EQ(box.windowTitle(), c.title);
        EXPECT_EQ(box.StaticText1->text(), text::Text(text::AboutTexts::AboutTitle, c.language));
        EXPECT_EQ(box.StaticText2->text(), c.version);
        EXPECT_EQ(box.StaticText3->text(), "www.varno-audio.example");
        EXPECT_EQ(box.OKBtn->text(), "OK");
        box.hide();
    }
}

TEST_F(AboutBox, okIsTheDefaultAndCloses)
{
    EXPECT_TRUE(box.OKBtn->isDefault());
    box.show();
    box.OKBtn->click();
    EXPECT_FALSE(box.isVisible());

    box.show();
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());

    box.show();
    EXPECT_TRUE(box.close());
    EXPECT_FALSE(box.isVisible());
}

TEST(AboutBoxPlace, centredOnTheScreen)
{
    QWidget owner;
    owner.setGeometry(10, 10, 200, 150);
    owner.show();
    TForm2 box(&owner);
    box.show();
    const QRect screen = box.screen()->availableGeometry();
    EXPECT_LE(std::abs(box.frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(box.frameGeometry().center().y() - screen.center().y()), 1);
}

} // namespace
