// The program panel in a user's hands: what its captions show in each language
// and what its menus do with a double click.

#include <QComboBox>
#include <QDateEdit>
#include <QFontDatabase>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimeEdit>
#include <QtPrinters.h>
#include <captions/ActionCaption.h>
#include <editor/ColumnMenu.h>
#include <editor/OneProg.h>
#include <gtest/gtest.h>
#include <model/ProjectClasses.h>
#include <set>
#include <text/text.h>

namespace {

class PanelFit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        panel.BuildMenus();
        prog.ActionCount = 1;
        prog.ActionKind[0] = akExternalOutput;
        prog.ActionNumber[0] = 17;
        prog.ActionValue[0] = 128;
        panel.Prog = &prog;
        panel.ClearActions();
        panel.ShowProg();
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }

    TFrame2 panel;
    TVARNOProg prog;
};

// What a caption must keep when it is shortened: its number or value, the text
// after its last colon, or else its last word.
QString numberOf(const QString &caption)
{
    const qsizetype colon = caption.lastIndexOf(QLatin1Char(':'));
    return (colon >= 0 ? caption.mid(colon + 1) : caption.section(QLatin1Char(' '), -1)).trimmed();
}

// Shows `caption` on the button and measures it in the button's own font.
void expectFitsOrKeepsItsNumber(TSpeedButton *button, const QString &caption, bool wholeRequired)
{
    button->setText(caption);
    const QFontMetrics metrics(button->font());
    const int room = button->captionRect().width();
    const QString shown = button->shownCaption();
    EXPECT_LE(metrics.horizontalAdvance(shown), room) << shown;
    if (metrics.horizontalAdvance(caption) <= room) {
        EXPECT_EQ(shown, caption);
        EXPECT_EQ(button->toolTip(), button->accessibleName()) << caption; // its role
        return;
    }
    EXPECT_FALSE(wholeRequired) << caption << " needs " << metrics.horizontalAdvance(caption)
                                << " of " << room;
    EXPECT_TRUE(shown.endsWith(numberOf(caption))) << shown;
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown;
    EXPECT_EQ(button->toolTip(), caption);
}

TEST_F(PanelFit, everyCaptionFitsOrKeepsItsNumberWithTheFullTextAsTooltip)
{
    if (QFontDatabase::families().isEmpty())
        GTEST_SKIP() << "this platform plugin has no fonts (Windows' offscreen one): the Windows "
                        "run measures the captions again in the windows platform";
    using text::ActionTexts;
    for (const text::Language language : {text::French, text::English, text::Spanish}) {
        SCOPED_TRACE(int(language));
        panel.Language = language;
        panel.TranslatePanel();

        // Every action caption, with the widest numbers each kind takes.
        std::set<QString> captions{text::Text(ActionTexts::NoAction, language),
                                   text::Text(ActionTexts::DirectorySong, language)};
        for (int kind = 0; kind <= 13; ++kind) {
            for (int number : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 71, 128, 255})
                captions.insert(
                    varno::actions::CaptionOf(quint8(kind), quint8(number), 128, language).text);
        }
        for (const QString &caption : captions)
            expectFitsOrKeepsItsNumber(panel.ActionButtons[0], caption, false);

        // Every value, whole.
        for (int value : {0, 128, 255}) {
            const QString caption =
                varno::actions::CaptionOf(akExternalOutput, 1, quint8(value), language).valueText;
            expectFitsOrKeepsItsNumber(panel.ValueButtons[0], caption, true);
        }

        // Every label, whole and clear of the pickers and the weekday list.
        for (QLabel *label :
             {panel.Label1, panel.Label2, panel.Label3, panel.Label4, panel.Label5, panel.Label17,
              panel.Label18, panel.Label19, panel.Label20, panel.Label21, panel.Label23}) {
            const int width = QFontMetrics(label->font()).horizontalAdvance(label->text());
            EXPECT_LE(width, label->contentsRect().width()) << label->text();
            const QRect drawn(label->geometry().topLeft(), QSize(width, label->height()));
            for (QWidget *control : {static_cast<QWidget *>(panel.DateTimePicker1),
                                     static_cast<QWidget *>(panel.DateTimePicker2),
                                     static_cast<QWidget *>(panel.ComboBox2)})
                EXPECT_FALSE(drawn.intersects(control->geometry()))
                    << label->text() << " under " << control->objectName();
        }

        // Every weekday name, whole in the list's field.
        for (int day = 0; day < panel.ComboBox2->count(); ++day) {
            QStyleOptionComboBox option;
            option.initFrom(panel.ComboBox2);
            option.currentText = panel.ComboBox2->itemText(day);
            const QRect field = panel.ComboBox2->style()->subControlRect(
                QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, panel.ComboBox2);
            EXPECT_LE(QFontMetrics(panel.ComboBox2->font()).horizontalAdvance(option.currentText),
                      field.width())
                << option.currentText;
        }
    }

    // The pickers' digits, whole beside their arrows (a line edit keeps 2 pixels
    // free on each side of its text).
    for (QWidget *picker : {static_cast<QWidget *>(panel.DateTimePicker1),
                            static_cast<QWidget *>(panel.DateTimePicker2)}) {
        const QLineEdit *edit = picker->findChild<QLineEdit *>();
        ASSERT_NE(edit, nullptr);
        EXPECT_LE(QFontMetrics(edit->font()).horizontalAdvance(edit->text()) + 4,
                  edit->contentsRect().width())
            << edit->text();
    }
}

// The long menus open under the pointer, over their items: the release that
// ends a double click on the control that opened one chooses nothing.
TEST_F(PanelFit, aDoubleClickOnAMenuOpenerChoosesNothing)
{
    struct Case
    {
        const char *name;
        QWidget *opener;
        TColumnMenu *menu;
    };
    const Case cases[] = {
        {"value button", panel.ValueButtons[0], panel.PopupMenu2},
        {"number box", panel.StaticText6, panel.PopupMenu3},
    };
    // QTest remembers buttons that earlier tests pressed without releasing.
    for (Qt::MouseButton held : {Qt::LeftButton, Qt::RightButton})
        QTest::mouseRelease(panel.windowHandle(), held, {}, QPoint(1, 1));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // The opener near the screen's left, where the menu opens right of it.
        panel.move(QPoint(150, 300) - c.opener->mapTo(&panel, c.opener->rect().center()));
        QCoreApplication::processEvents();
        const QPoint pointer = c.opener->mapToGlobal(c.opener->rect().center());
        QCursor::setPos(pointer);
        QSignalSpy chosen(c.menu, &TColumnMenu::itemTriggered);
        QTest::mouseDClick(panel.windowHandle(), Qt::LeftButton, {}, panel.mapFromGlobal(pointer));
        ASSERT_TRUE(c.menu->isVisible());
        // The double click ended over an item of the open menu.
        const QWidget *view = c.menu->scrollArea()->viewport();
        ASSERT_TRUE(view->rect().contains(view->mapFromGlobal(pointer)));
        EXPECT_EQ(chosen.count(), 0);
        EXPECT_EQ(prog.ActionValue[0], 128);
        c.menu->close();
    }
}

} // namespace
