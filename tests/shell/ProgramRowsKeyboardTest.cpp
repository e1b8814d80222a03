// The main window's program rows worked from the keyboard.

#include <FakeDialogs.h>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
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

    TFrame1 *row(int i) const { return window->PanelList.at(i); }
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
    EXPECT_EQ(window->SelectedPanel, row(1));

    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), row(3));
    EXPECT_EQ(window->SelectedPanel, row(3));
    EXPECT_TRUE(row(3)->isSelected());
    press(Qt::Key_Down); // the last row stays
    press(Qt::Key_Up);
    EXPECT_EQ(focused(), row(2));
    EXPECT_EQ(window->SelectedPanel, row(2));
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

} // namespace
