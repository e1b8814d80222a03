// The program panel worked from the keyboard alone.

#include <FakeDialogs.h>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>
#include <QtPrinters.h>
#include <editor/ColumnMenu.h>
#include <editor/OneProg.h>
#include <functional>
#include <gtest/gtest.h>
#include <model/ProjectClasses.h>
#include <set>
#include <text/text.h>

namespace {

class PanelKeyboard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Six actions with a value each: every action and value button shows.
        prog.ActionCount = 6;
        for (std::size_t i = 0; i < 6; ++i) {
            prog.ActionKind[i] = akExternalOutput;
            prog.ActionNumber[i] = quint8(i + 1);
        }
        panel.setDialogs(&dialogs);
        panel.BuildMenus();
        panel.Prog = &prog;
        panel.ShowProg();
        panel.move(40, 30);
        panel.show();
        panel.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    }

    void TearDown() override
    {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    static QWidget *focused() { return QApplication::focusWidget(); }

    // Every control a click changes, and the editors that stand in for two of them.
    QList<QWidget *> controls() const
    {
        QList<QWidget *> all = {
            panel.Shape8,          panel.StaticText6, panel.StaticText1,     panel.Edit1,
            panel.SpeedButton2,    panel.Image35,     panel.Image19,         panel.Memo1,
            panel.Memo2,           panel.Image5,      panel.DateTimePicker2, panel.Image16,
            panel.DateTimePicker1, panel.Image17,     panel.Image18,         panel.ComboBox2};
        for (std::size_t i = 0; i < 6; ++i)
            all << panel.ActionButtons[i] << panel.ValueButtons[i];
        return all;
    }

    FakeDialogs dialogs;
    TVARNOProg prog;
    TFrame2 panel;
};

// Tab goes through the controls as the panel reads, each showing a mark while
// it has the focus.
TEST_F(PanelKeyboard, tabReachesEveryControlInVisualOrderWithAFocusMark)
{
    const QStringList expected = {
        "Shape8",          "StaticText6",   "StaticText1",   "SpeedButton2",    "Image35",
        "Image19",         "Memo1",         "Image5",        "DateTimePicker2", "Image16",
        "DateTimePicker1", "Image17",       "Image18",       "ComboBox2",       "SpeedButton3",
        "SpeedButton9",    "SpeedButton4",  "SpeedButton10", "SpeedButton5",    "SpeedButton11",
        "SpeedButton6",    "SpeedButton12", "SpeedButton7",  "SpeedButton13",   "SpeedButton8",
        "SpeedButton14"};
    QTest::keyClick(&panel, Qt::Key_Tab); // into the panel, wherever the focus was
    panel.Shape8->setFocus(Qt::TabFocusReason);
    // Tab steps through the hours and minutes of a time or date before leaving it.
    QStringList reached;
    for (int presses = 0; presses < 40 && reached.size() < expected.size(); ++presses) {
        QWidget *control = focused();
        ASSERT_NE(control, nullptr);
        while (control->parentWidget() && control->parentWidget() != panel.Panel1)
            control = control->parentWidget(); // the line edit of a date stands for it
        if (reached.isEmpty() || reached.constLast() != control->objectName())
            reached << control->objectName();
        const QImage marked = control->grab().toImage();
        QTest::keyClick(focused(), Qt::Key_Tab);
        if (!control->isAncestorOf(focused()) && focused() != control) {
            EXPECT_NE(control->grab().toImage(), marked) << control->objectName().toStdString();
        }
    }
    EXPECT_EQ(reached, expected);
}

// Space and Enter do what a click does, on every kind of control.
TEST_F(PanelKeyboard, spaceOrEnterWorksEachControlAsAClick)
{
    struct Case
    {
        const char *name;
        QWidget *control;
        Qt::Key key;
        std::function<bool()> done;
    };
    dialogs.colors.push_back(QColor(1, 2, 3));
    QSignalSpy reduce(panel.SpeedButton2, &QToolButton::clicked);
    prog.DateMode = 1;
    panel.ShowProg();
    const Case cases[] = {
        {"activate", panel.Image35, Qt::Key_Space, [this] { return prog.Active == 0; }},
        {"priority", panel.Image19, Qt::Key_Return, [this] { return prog.Prioritary == 1; }},
        {"timer", panel.Image5, Qt::Key_Enter, [this] { return prog.TimerOn == 1; }},
        {"on the date", panel.Image16, Qt::Key_Space, [this] { return prog.DateMode == 0; }},
        {"every week", panel.Image18, Qt::Key_Space, [this] { return prog.DateMode == 2; }},
        {"every day", panel.Image17, Qt::Key_Return, [this] { return prog.DateMode == 1; }},
        {"colour", panel.Shape8, Qt::Key_Space,
         [this] { return prog.Color == colorToRecord(QColor(1, 2, 3)); }},
        {"reduce", panel.SpeedButton2, Qt::Key_Return, [&reduce] { return reduce.size() == 1; }},
        {"title", panel.StaticText1, Qt::Key_Space,
         [this] { return panel.titleEditorOpen() && focused() == panel.Edit1; }},
        {"comment", panel.Memo1, Qt::Key_Return,
         [this] { return panel.commentEditorOpen() && focused() == panel.Memo2; }},
    };
    for (const Case &c : cases) {
        c.control->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(focused(), c.control) << c.name;
        QTest::keyClick(c.control, c.key);
        EXPECT_TRUE(c.done()) << c.name;
    }

    // Enter in an editor keeps it and gives the keyboard back to its viewer.
    panel.Memo2->selectAll();
    QTest::keyClicks(panel.Memo2, "Doors");
    QTest::keyClick(panel.Memo2, Qt::Key_Return);
    EXPECT_EQ(prog.Comment, QStringList{"Doors"});
    EXPECT_EQ(focused(), panel.Memo1);
    QTest::keyClick(panel.Memo1, Qt::Key_Tab); // Tab leaves the comment
    EXPECT_EQ(focused(), panel.Image5);
    panel.StaticText1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(panel.StaticText1, Qt::Key_Return);
    panel.Edit1->selectAll();
    QTest::keyClicks(panel.Edit1, "Bells");
    QTest::keyClick(panel.Edit1, Qt::Key_Return);
    EXPECT_EQ(prog.Title, "Bells");
    EXPECT_EQ(focused(), panel.StaticText1);
}

// A menu opened from the keyboard opens at its control, wherever the pointer is.
TEST_F(PanelKeyboard, menuOpenedFromTheKeyboardOpensAtTheControl)
{
    const QRect screen = panel.screen()->geometry();
    QCursor::setPos(screen.bottomRight());
    struct Case
    {
        QWidget *control;
        QMenu *menu;
        Qt::Key key;
    };
    const Case cases[] = {
        {panel.ActionButtons[2], panel.PopupMenu1, Qt::Key_Space},
        {panel.ValueButtons[0], panel.PopupMenu2, Qt::Key_Return},
        {panel.StaticText6, panel.PopupMenu3, Qt::Key_Space},
    };
    for (const Case &c : cases) {
        c.control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(c.control, c.key);
        ASSERT_TRUE(c.menu->isVisible()) << c.menu->objectName().toStdString();
        const QPoint corner = c.control->mapToGlobal(QPoint(0, c.control->height()));
        // The menu touches the control's corner: it is not at the pointer,
        // though the screen's edge may push it aside.
        EXPECT_TRUE(c.menu->geometry().adjusted(-1, -1, 1, 1).contains(corner))
            << c.menu->objectName().toStdString() << " at " << c.menu->x() << "," << c.menu->y()
            << " corner " << corner.x() << "," << corner.y();
        c.menu->close();
    }
    EXPECT_EQ(panel.MenuSender, panel.ValueButtons[0]);
}

// Every control has a name and a tooltip in the language shown, and the names
// of the controls seen together tell them apart.
TEST_F(PanelKeyboard, everyControlIsNamedInEachLanguage)
{
    std::map<quint8, QStringList> names;
    for (text::Language language : {text::French, text::English, text::Spanish}) {
        panel.Language = language;
        panel.TranslatePanel();
        panel.TranslateActions();
        std::set<QString> seen;
        for (QWidget *control : controls()) {
            const std::string id = control->objectName().toStdString();
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
            ASSERT_NE(face, nullptr) << id;
            const QString name = face->text(QAccessible::Name);
            EXPECT_FALSE(name.isEmpty()) << id;
            EXPECT_EQ(name, name.trimmed()) << id;
            EXPECT_FALSE(name.endsWith(':')) << id;
            EXPECT_FALSE(control->toolTip().isEmpty()) << id;
            if (!control->isHidden()) {
                EXPECT_TRUE(seen.insert(name).second) << id << " " << name.toStdString();
            }
            names[language] << name;
        }
    }
    EXPECT_NE(names[text::French], names[text::English]);
    EXPECT_NE(names[text::Spanish], names[text::English]);
}

// The flags read as check boxes and the date modes as radio buttons, with the
// state the pictures show; pressing them works them.
TEST_F(PanelKeyboard, flagsAndDateModesReadWithTheirState)
{
    const auto face = [](QWidget *control) {
        return QAccessible::queryAccessibleInterface(control);
    };
    prog.Prioritary = 1;
    prog.DateMode = 2;
    panel.ShowProg();
    struct Case
    {
        QWidget *control;
        QAccessible::Role role;
        bool checked;
    };
    const Case cases[] = {
        {panel.Image35, QAccessible::CheckBox, true},
        {panel.Image19, QAccessible::CheckBox, true},
        {panel.Image5, QAccessible::CheckBox, false},
        {panel.Image16, QAccessible::RadioButton, false},
        {panel.Image17, QAccessible::RadioButton, false},
        {panel.Image18, QAccessible::RadioButton, true},
    };
    for (const Case &c : cases) {
        const std::string id = c.control->objectName().toStdString();
        ASSERT_NE(face(c.control), nullptr) << id;
        EXPECT_EQ(face(c.control)->role(), c.role) << id;
        EXPECT_EQ(bool(face(c.control)->state().checked), c.checked) << id;
    }
    face(panel.Image19)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    face(panel.Image16)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(prog.Prioritary, 0);
    EXPECT_EQ(prog.DateMode, 0);
    EXPECT_FALSE(face(panel.Image19)->state().checked);
    EXPECT_TRUE(face(panel.Image16)->state().checked);
    EXPECT_FALSE(face(panel.Image18)->state().checked);
}

} // namespace
