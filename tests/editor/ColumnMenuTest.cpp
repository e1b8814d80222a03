#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QtPrinters.h>
#include <editor/ColumnMenu.h>
#include <gtest/gtest.h>

namespace {

// A menu like the number menu: 255 items "001".."255" with tags 1..255.
class ColumnMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 255; ++n)
            menu.addItem(QString::asprintf("%.3d", n), QIcon(), n);
    }

    // Pops the menu up and gives its grid the keyboard.
    QWidget *popUp()
    {
        menu.popup(QPoint(10, 10));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&menu));
        menu.grid()->setFocus();
        return menu.grid();
    }

    // The tag of the item the next choice triggers, -1 when nothing fires.
    int chosenTag(const std::function<void()> &choose)
    {
        int tag = -1;
        QObject context; // drops the connections on return
        for (QAction *item : menu.items())
            QObject::connect(item, &QAction::triggered, &context,
                             [&tag, item] { tag = item->data().toInt(); });
        choose();
        return tag;
    }

    TColumnMenu menu;
};

TEST_F(ColumnMenu, columnsOf32StartAtTheRightItems)
{
    EXPECT_EQ(menu.itemCount(), 255);
    EXPECT_EQ(menu.columnCount(), 8);
    const QRect first = menu.itemRect(0);
    for (int start : {32, 64, 96, 128, 160, 192, 224}) {
        const QRect r = menu.itemRect(start);
        EXPECT_EQ(r.top(), first.top()) << start;
        EXPECT_GT(r.left(), menu.itemRect(start - 1).left()) << start;
        EXPECT_EQ(menu.itemRect(start - 1).bottom(), menu.itemRect(31).bottom()) << start;
    }
    EXPECT_EQ(menu.itemAt(32)->text(), "033");
    EXPECT_EQ(menu.itemAt(32)->data().toInt(), 33);
    // The whole grid is 8 columns wide and 32 rows high.
    const QSize hint = menu.grid()->sizeHint();
    EXPECT_EQ(hint.height(), 32 * first.height());
    EXPECT_EQ(hint.width(), 8 * first.width());
}

TEST_F(ColumnMenu, shortMenuIsOneColumn)
{
    TColumnMenu small;
    for (int n = 1; n <= 10; ++n)
        small.addItem(QString::number(n), QIcon(), n);
    EXPECT_EQ(small.columnCount(), 1);
    EXPECT_EQ(small.grid()->sizeHint().height(), 10 * small.itemRect(0).height());
}

TEST_F(ColumnMenu, clickOnAnItemChoosesItAndClosesTheMenu)
{
    QWidget *grid = popUp();
    const int tag = chosenTag(
        [&] { QTest::mouseClick(grid, Qt::LeftButton, {}, menu.itemRect(100).center()); });
    EXPECT_EQ(tag, 101);
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(ColumnMenu, disabledItemCannotBeChosen)
{
    menu.itemAt(4)->setEnabled(false);
    QWidget *grid = popUp();
    EXPECT_EQ(
        chosenTag([&] { QTest::mouseClick(grid, Qt::LeftButton, {}, menu.itemRect(4).center()); }),
        -1);
    EXPECT_TRUE(menu.isVisible());
    menu.close();
}

TEST_F(ColumnMenu, keyboardReachesEveryColumn)
{
    QWidget *grid = popUp();
    EXPECT_EQ(menu.currentIndex(), 0);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(menu.currentIndex(), 2);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(menu.currentIndex(), 34);
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(menu.currentIndex(), 2);
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(menu.currentIndex(), 31); // wraps within the column
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(menu.currentIndex(), 254);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(menu.currentIndex(), 253);
    const int tag = chosenTag([&] { QTest::keyClick(grid, Qt::Key_Return); });
    EXPECT_EQ(tag, 254);
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(ColumnMenu, rightIntoTheShortLastColumnStopsAtItsEnd)
{
    QWidget *grid = popUp();
    for (int i = 0; i < 31; ++i)
        QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(menu.currentIndex(), 31);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(menu.currentIndex(), 254); // column 8 holds 224..254 only
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(menu.currentIndex(), 254);
    menu.close();
}

TEST_F(ColumnMenu, renamingAnItemRepaintsWithTheNewText)
{
    TColumnMenu outputs;
    outputs.addItem("Output 01", QIcon(), 1);
    const int before = outputs.grid()->sizeHint().width();
    outputs.itemAt(0)->setText("Sortie Externe très longue 01");
    EXPECT_GT(outputs.grid()->sizeHint().width(), before);
}

TEST_F(ColumnMenu, asASubmenuItIsReachedWithTheKeyboard)
{
    QMenu top;
    top.addAction("No Action...");
    menu.setTitle("Go To Program : ");
    top.addMenu(&menu);
    top.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
    QTest::keyClick(&top, Qt::Key_Down);
    QTest::keyClick(&top, Qt::Key_Down);
    QTest::keyClick(&top, Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
    // Keys go to the topmost popup, as the application routes them.
    QWidget *grid = QApplication::activePopupWidget();
    ASSERT_EQ(grid, &menu);
    EXPECT_EQ(menu.currentIndex(), 0);
    QTest::keyClick(grid, Qt::Key_Right);
    const int tag = chosenTag([&] { QTest::keyClick(grid, Qt::Key_Return); });
    EXPECT_EQ(tag, 33);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(top.isVisible());
}

TEST_F(ColumnMenu, leftInTheFirstColumnGoesBackToTheParentMenu)
{
    QMenu top;
    top.addMenu(&menu);
    top.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
    QTest::keyClick(&top, Qt::Key_Down);
    QTest::keyClick(&top, Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
    QTest::keyClick(&menu, Qt::Key_Right); // column 2: Left stays inside
    QTest::keyClick(&menu, Qt::Key_Left);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.currentIndex(), 0);
    QTest::keyClick(&menu, Qt::Key_Left);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !menu.isVisible(); }));
    EXPECT_TRUE(top.isVisible());
    top.close();
}

} // namespace
