// The main window's program rows worked from the keyboard.

#include <FakeDialogs.h>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <shell/Main.h>
#include <shell/SettingsFile.h>

namespace {

class ProgramRowsKeyboard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 4; ++i)
            window->SpeedButton1Click();
        window->ActualizeBVProg(); // every program folded into its row
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    TFrame1 *row(int i) const { return window->PanelList().at(i); }
    static QWidget *focused() { return QApplication::focusWidget(); }
    void press(Qt::Key key) { QTest::keyClick(focused(), key); }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    TSettingsFile settings{dir.path(), dir.filePath("config")};
    std::unique_ptr<TForm1> window = std::make_unique<TForm1>(dialogs, settings);
};

TEST_F(ProgramRowsKeyboard, tabAndArrowsMoveThroughTheRowsAndEnterOpensOne)
{
    row(0)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), row(1));
    press(Qt::Key_Space);
    EXPECT_EQ(window->SelectedPanel(), row(1));

    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), row(3));
    EXPECT_EQ(window->SelectedPanel(), row(3));
    EXPECT_TRUE(row(3)->isSelected());
    press(Qt::Key_Down); // the last row stays
    press(Qt::Key_Up);
    EXPECT_EQ(focused(), row(2));
    EXPECT_EQ(window->SelectedPanel(), row(2));
    EXPECT_FALSE(row(3)->isSelected());

    press(Qt::Key_Return);
    ASSERT_FALSE(window->ProgPanel->isHidden());
    EXPECT_EQ(window->ProgPanel->Prog, row(2)->Prog);
    EXPECT_TRUE(window->ProgPanel->isAncestorOf(focused())); // the keys go on in the program

    // Tab goes through the open program's controls in the place of its row.
    row(1)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), window->ProgPanel->Shape8);
    window->ProgPanel->ActionButtons[0]->setFocus(Qt::TabFocusReason); // its last control here
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), row(3));
}

struct FocusCase
{
    const char *why;
    std::function<void(TForm1 &, FakeDialogs &)> steps;
};

// Delete deletes the selected program and Enter answers Yes: the keys must be
// where the selection is, and the question says which program goes.
TEST_F(ProgramRowsKeyboard, theFocusIsAlwaysOnTheSelectedProgram)
{
    const auto click = [](TFrame1 *row) { QTest::mouseClick(row->StaticText1, Qt::LeftButton); };
    const FocusCase cases[] = {
        {"duplicated, then deleted",
         [&](TForm1 &w, FakeDialogs &d) {
             click(w.PanelList()[2]);
             w.DuplicateProgram1Click();
             d.answers = {true};
             w.SpeedButton2Click();
         }},
        {"deleted from the keyboard",
         [&](TForm1 &w, FakeDialogs &d) {
             click(w.PanelList()[2]);
             d.answers = {true};
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
         }},
        {"opened with a double click",
         [&](TForm1 &w, FakeDialogs &) {
             click(w.PanelList()[1]);
             QTest::mouseDClick(w.PanelList()[1]->StaticText1, Qt::LeftButton);
         }},
        {"opened, then folded",
         [&](TForm1 &w, FakeDialogs &) {
             click(w.PanelList()[3]);
             QTest::mouseDClick(w.PanelList()[3]->StaticText1, Qt::LeftButton);
             QTest::mouseClick(w.ProgPanel->SpeedButton2, Qt::LeftButton);
         }},
        {"a new program added",
         [&](TForm1 &w, FakeDialogs &) {
             click(w.PanelList()[0]);
             w.SpeedButton1Click();
         }},
    };
    for (const FocusCase &c : cases) {
        SCOPED_TRACE(c.why);
        while (window->PanelList().size() < 4) // the deleting cases leave fewer
            window->SpeedButton1Click();
        window->ActualizeBVProg();
        c.steps(*window, dialogs);
        TFrame1 *selected = window->SelectedPanel();
        ASSERT_TRUE(selected);
        QWidget *focus = focused();
        if (selected->isHidden())
            EXPECT_TRUE(window->ProgPanel->isAncestorOf(focus) &&
                        window->ProgPanel->Prog == selected->Prog);
        else
            EXPECT_EQ(focus, selected);
        for (TFrame1 *row : window->PanelList())
            EXPECT_EQ(row->isSelected(), row == selected);
    }

    // The delete question names the program the Enter key would delete.
    window->ProgList().at(1).Title = QStringLiteral("Sunday opening hours");
    window->ProgList().at(1).NumOfProg = 8;
    window->ActualizeBVProg();
    window->ActiveSelected(window->PanelList()[1]);
    dialogs.questions.clear();
    dialogs.answers = {false};
    window->SpeedButton2Click();
    EXPECT_EQ(
        dialogs.questions,
        QStringList{"Do you want to delete the selected program?\n008  Sunday opening hours"});
}

} // namespace
