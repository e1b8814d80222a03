#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
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
        // The pointer rests away from every menu unless a test moves it.
        QCursor::setPos(QPoint(700, 590));
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
    QTest::keyClick(grid, Qt::Key_Down);
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

// As in a list, what is typed quickly jumps to the item; Enter chooses it.
TEST(ColumnMenuTypeAhead, digitsJumpToTheItemOfThatNumber)
{
    const auto numbered = [](const char *format, int from, int to) {
        QStringList texts;
        for (int n = from; n <= to; ++n)
            texts << QString::asprintf(format, n);
        return texts;
    };
    struct Case
    {
        const char *name;
        QStringList texts; // tags from 0, in order
        QString typed;
        QString highlighted; // empty: nothing
    };
    const QStringList directories = QStringList{"SONG"} + numbered("F%.3d", 1, 255);
    const Case cases[] = {
        {"values", numbered("%.3d", 0, 255), "20", "020"},
        {"values, one digit", numbered("%.3d", 0, 255), "7", "007"},
        {"values, three digits", numbered("%.3d", 0, 255), "255", "255"},
        {"values, too many digits start again", numbered("%.3d", 0, 255), "2551", "001"},
        {"volumes", numbered("-%.2d dB", 0, 71), "20", "-20 dB"},
        {"volumes, beyond the last start again", numbered("-%.2d dB", 0, 71), "99", "-09 dB"},
        {"timer files, none numbered 0", numbered("T%.3d", 1, 255), "0", ""},
        {"timer files", numbered("T%.3d", 1, 255), "20", "T020"},
        {"outputs", numbered("Output %.3d", 1, 255), "120", "Output 120"},
        {"directories", directories, "5", "F005"},
        {"directories, a letter", directories, "s", "SONG"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TColumnMenu menu;
        for (int i = 0; i < c.texts.size(); ++i)
            menu.addItem(c.texts.at(i), QIcon(), i);
        menu.popup(QPoint(10, 10));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        QWidget *grid = menu.grid();
        grid->setFocus();
        QTest::keyClicks(grid, c.typed);
        const int at = menu.currentIndex();
        EXPECT_EQ(at < 0 ? QString() : menu.itemAt(at)->text(), c.highlighted);
        if (at < 0) {
            menu.close();
            continue;
        }
        QSignalSpy chosen(&menu, &TColumnMenu::itemTriggered);
        QTest::keyClick(grid, Qt::Key_Return);
        ASSERT_EQ(chosen.count(), 1);
        EXPECT_EQ(chosen.at(0).at(0).toInt(), at);
        EXPECT_FALSE(menu.isVisible());
    }
}

TEST_F(ColumnMenu, rightIntoTheShortLastColumnStopsAtItsEnd)
{
    QWidget *grid = popUp();
    for (int i = 0; i < 32; ++i)
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
    EXPECT_EQ(menu.currentIndex(), -1);
    QTest::keyClick(grid, Qt::Key_Right);
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
    QTest::keyClick(&menu, Qt::Key_Right); // the first item
    QTest::keyClick(&menu, Qt::Key_Right); // column 2: Left stays inside
    QTest::keyClick(&menu, Qt::Key_Left);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.currentIndex(), 0);
    QTest::keyClick(&menu, Qt::Key_Left);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !menu.isVisible(); }));
    EXPECT_TRUE(top.isVisible());
    top.close();
}

// A sub-menu that the pointer opened by resting on its item leaves the keys to
// the menu the user moves in, until Right enters it.
TEST_F(ColumnMenu, aSubmenuOpenedByHoveringLeavesTheKeysToItsParent)
{
    QMenu top;
    top.addAction("No Action...");
    menu.setTitle("Go To Program : ");
    top.addMenu(&menu);
    QAction *after = top.addAction("Sleep mode");
    const auto hoverOpen = [&] {
        QCursor::setPos(QPoint(700, 590));
        top.popup(QPoint(10, 10));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
        const QPoint item = top.actionGeometry(menu.menuAction()).center();
        QCursor::setPos(top.mapToGlobal(item));
        QTest::mouseMove(top.windowHandle(), item + QPoint(QApplication::startDragDistance(), 0));
        QTest::mouseMove(top.windowHandle(), item);
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
    };
    hoverOpen();
    // The application routes keys to the topmost popup's focus.
    QWidget *keys = QApplication::focusWidget();
    ASSERT_TRUE(keys == menu.grid() || keys == &menu);
    QTest::keyClick(keys, Qt::Key_Down);
    EXPECT_EQ(menu.currentIndex(), -1);
    EXPECT_EQ(top.activeAction(), after);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !menu.isVisible(); }));
    top.close();

    hoverOpen();
    keys = QApplication::focusWidget();
    QTest::keyClick(keys, Qt::Key_Right);
    EXPECT_EQ(menu.currentIndex(), 0);
    QTest::keyClick(keys, Qt::Key_Down);
    EXPECT_EQ(menu.currentIndex(), 1);
    EXPECT_EQ(top.activeAction(), menu.menuAction());
    top.close();
}

// Where the grid shows item `index` on the screen, or a null point when it is
// scrolled out of sight.
QPoint shownAt(TColumnMenu &menu, int index)
{
    QWidget *viewport = menu.scrollArea()->viewport();
    const QRect item(menu.grid()->mapTo(viewport, menu.itemRect(index).topLeft()),
                     menu.itemRect(index).size());
    if (!viewport->rect().contains(item))
        return {};
    return viewport->mapToGlobal(item.center());
}

TEST_F(ColumnMenu, everyOpeningStartsWithNothingHighlighted)
{
    QWidget *grid = popUp();
    EXPECT_EQ(menu.currentIndex(), -1);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(chosenTag([&] { QTest::keyClick(grid, Qt::Key_Return); }), 2);
    grid = popUp();
    EXPECT_EQ(menu.currentIndex(), -1);
    EXPECT_EQ(chosenTag([&] { QTest::keyClick(grid, Qt::Key_Return); }), -1);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(menu.currentIndex(), 0);
    menu.close();
}

// Only a press on the grid or a real move over it makes a release choose: the
// release of a click that began before the menu opened chooses nothing.
TEST_F(ColumnMenu, releaseChoosesOnlyAfterARealPressOrMove)
{
    struct Case
    {
        const char *name;
        bool press;
        int move; // how far the pointer moves before the release, in drag distances
        int tag;
    };
    const Case cases[] = {
        {"release under a still pointer", false, 0, -1},
        {"release after moving over the grid", false, 2, 41},
        {"click without moving", true, 0, 41},
    };
    // The menu opens where it opened before, with the pointer over item 40.
    popUp();
    const QPoint opening = menu.pos();
    const QPoint over = menu.grid()->mapToGlobal(menu.itemRect(40).center());
    menu.close();
    for (const Case &c : cases) {
        QCursor::setPos(over);
        menu.popup(QPoint(10, 10));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        ASSERT_EQ(menu.pos(), opening) << c.name;
        QWindow *window = menu.windowHandle();
        const QPoint at = menu.mapFromGlobal(over);
        const QPoint to = at + QPoint(c.move * QApplication::startDragDistance(), 0);
        const int tag = chosenTag([&] {
            if (c.press)
                QTest::mousePress(window, Qt::LeftButton, {}, at);
            if (c.move)
                QTest::mouseMove(window, to);
            QTest::mouseRelease(window, Qt::LeftButton, {}, to);
        });
        EXPECT_EQ(tag, c.tag) << c.name;
        menu.close();
    }
}

// At 200 % on a 1920 x 1080 screen, or on any screen down to 640 x 480, the
// whole grid is reached by mouse and keyboard.
TEST_F(ColumnMenu, aGridLargerThanTheScreenScrollsAndEveryItemStaysReachable)
{
    for (const QSize screen : {QSize(960, 540), QSize(640, 480), QSize(420, 300)}) {
        SCOPED_TRACE(QString("%1x%2").arg(screen.width()).arg(screen.height()).toStdString());
        const QRect area(QPoint(0, 0), screen);
        menu.setAvailableArea([area](const QMenu &) { return area; });
        QWidget *grid = popUp();
        EXPECT_LE(menu.width(), area.width());
        EXPECT_LE(menu.height(), area.height());
        // The keyboard walks every column from top to bottom, each item in view.
        QTest::keyClick(grid, Qt::Key_Home);
        for (int column = 0; column < menu.columnCount(); ++column) {
            for (int row = 0; row < TColumnMenu::ItemsPerColumn; ++row) {
                const int index = column * TColumnMenu::ItemsPerColumn + row;
                if (index >= menu.itemCount())
                    break;
                ASSERT_EQ(menu.currentIndex(), index);
                EXPECT_FALSE(shownAt(menu, index).isNull()) << index;
                QTest::keyClick(grid, Qt::Key_Down);
            }
            QTest::keyClick(grid, Qt::Key_Home);
            for (int step = 0; step <= column; ++step)
                QTest::keyClick(grid, Qt::Key_Right);
        }
        menu.close();
        // The wheel scrolls down.
        grid = popUp();
        QWheelEvent wheel(QPointF(5, 5), grid->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(grid, &wheel);
        EXPECT_GT(menu.scrollArea()->verticalScrollBar()->value(), 0);
        menu.close();
        // The mouse scrolls to an item with the scroll bars, then clicks it.
        for (int index : {0, 31, 100, 223, 254}) {
            popUp();
            const QRect item = menu.itemRect(index);
            QScrollArea *scroll = menu.scrollArea();
            scroll->horizontalScrollBar()->setValue(item.left());
            scroll->verticalScrollBar()->setValue(item.top());
            const QPoint at = shownAt(menu, index);
            ASSERT_FALSE(at.isNull()) << index;
            const int tag = chosenTag([&] {
                QTest::mouseClick(menu.windowHandle(), Qt::LeftButton, {}, menu.mapFromGlobal(at));
            });
            EXPECT_EQ(tag, index + 1);
        }
    }
}

} // namespace
