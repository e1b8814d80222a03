// Windows that fit the screen they open on: remembered places brought back
// within reach, the schedule window beside the main window and its week
// without scrolling sideways on a small screen.

#include <FakeDialogs.h>
#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>
#include <memory>
#include <model/Clock.h>
#include <shell/Main.h>
#include <shell/ScheduleWindow.h>
#include <shell/SettingsFile.h>
#include <shell/WindowPlacement.h>

namespace {

// A title bar 30 high and a border of 4, as a window system draws at 200 %.
const QMargins kFrame(4, 30, 4, 4);

TEST(WindowFit, aRememberedPlaceIsShrunkAndMovedUntilItsTitleBarIsOnTheScreen)
{
    const QRect screen(0, 0, 1280, 720); // 2560 × 1440 at 200 %
    struct Case
    {
        const char *name;
        QRect saved, expected;
    };
    const Case cases[] = {
        {"fits", QRect(100, 100, 600, 400), QRect(100, 100, 600, 400)},
        {"title bar above the screen", QRect(100, 10, 600, 400), QRect(100, 30, 600, 400)},
        {"larger than the screen", QRect(0, 0, 2400, 1500), QRect(4, 30, 1272, 686)},
        {"off to the right and below", QRect(1000, 600, 600, 400), QRect(676, 316, 600, 400)},
        {"left of the screen", QRect(-300, 200, 600, 400), QRect(4, 200, 600, 400)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QRect placed = placement::fitted(c.saved, screen, kFrame);
        EXPECT_EQ(placed, c.expected);
        EXPECT_TRUE(screen.contains(placed.marginsAdded(kFrame)));
    }
    // Chosen among several screens the same way.
    EXPECT_EQ(placement::onScreens(QRect(1400, 5, 600, 400), {screen, QRect(1280, 0, 1920, 1080)},
                                   kFrame),
              QRect(1400, 30, 600, 400));
}

TEST(WindowFit, theScheduleWindowOpensBesideTheMainWindowWhenThereIsRoom)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(700, 500);
    struct Case
    {
        const char *name;
        QRect main; // its frame
        QRect expected;
    };
    const Case cases[] = {
        {"room on the right", QRect(100, 100, 892, 576), QRect(996, 130, 700, 500)},
        {"room on the left only", QRect(1000, 100, 892, 576), QRect(296, 130, 700, 500)},
        {"no room: over it", QRect(500, 100, 892, 576), QRect(596, 151, 700, 500)},
        {"beside, but brought up", QRect(100, 700, 892, 376), QRect(996, 576, 700, 500)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QRect placed = placement::nextTo(c.main, size, screen, kFrame);
        EXPECT_EQ(placed, c.expected);
        EXPECT_TRUE(screen.contains(placed.marginsAdded(kFrame)));
    }
    // A small screen: shrunk to it.
    EXPECT_EQ(
        placement::nextTo(QRect(0, 0, 892, 576), QSize(1138, 640), QRect(0, 0, 1024, 768), kFrame),
        QRect(4, 30, 1016, 640));
}

class ScheduleWindowFit : public ::testing::Test
{
protected:
    void TearDown() override { placement::setScreenList({}); }

    std::unique_ptr<TForm1> start()
    {
        auto w = std::make_unique<TForm1>(dialogs, settings);
        w->setOptionsFile(dir.filePath("options.ini"));
        return w;
    }

    varno::ScopedFixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(12, 0))};
    QTemporaryDir dir;
    FakeDialogs dialogs;
    TSettingsFile settings{dir.path(), dir.filePath("config")};
};

// At 1024 × 768 the week fits without scrolling sideways; a title cut short
// shows whole in its tooltip; Escape closes the window.
TEST_F(ScheduleWindowFit, aSmallScreenShowsTheWholeWeekAndEscapeClosesIt)
{
    const QRect screen(0, 0, 1024, 768);
    placement::setScreenList([&] { return QList<QRect>{screen}; });
    auto window = start();
    window->setGeometry(60, 60, 884, 542);
    window->show();
    window->SpeedButton1Click();
    TVARNOProg &program = window->ProgList().at(0);
    program.TimerOn = 1;
    program.DateMode = 1; // every day
    program.Title = QStringLiteral("Annonce de fermeture du magasin dans quinze minutes");
    window->Schedule1Click();
    TScheduleWindow *schedule = window->ScheduleWindow1;
    ASSERT_NE(schedule, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(schedule));
    EXPECT_TRUE(screen.contains(schedule->frameGeometry())) << schedule->geometry().width();
    QApplication::processEvents();
    EXPECT_EQ(schedule->view()->horizontalScrollBar()->maximum(), 0);
    const auto &blocks = schedule->grid()->blocks();
    ASSERT_EQ(blocks.size(), 7);
    for (const auto &block : blocks)
        EXPECT_LE(block.rect.right(), schedule->view()->viewport()->width());

    // The whole title in the tooltip of its cut block.
    const QRect first = blocks.first().rect;
    const QString full = QStringLiteral("001 ") + program.Title;
    EXPECT_EQ(blocks.first().label, full);
    EXPECT_GT(schedule->grid()->fontMetrics().horizontalAdvance(full), first.width());
    QHelpEvent tip(QEvent::ToolTip, first.center(), schedule->grid()->mapToGlobal(first.center()));
    QApplication::sendEvent(schedule->grid(), &tip);
    EXPECT_TRUE(tip.isAccepted());
    EXPECT_EQ(QToolTip::text(), full);
    QToolTip::hideText();

    schedule->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(schedule));
    QTest::keyClick(schedule, Qt::Key_Escape);
    EXPECT_FALSE(schedule->isVisible());
}

// Remembered at 100 % and reopened at 200 %: on the screen, title bar first.
TEST_F(ScheduleWindowFit, rememberedPlacesLargerThanTheScreenComeBackOnIt)
{
    {
        QSettings options(dir.filePath("options.ini"), QSettings::IniFormat);
        options.setValue("mainWindow/geometry", QRect(-20, -10, 1900, 1000));
        options.setValue("scheduleWindow/geometry", QRect(300, -25, 2200, 1400));
        options.setValue("scheduleWindow/open", true);
    }
    const QRect screen(0, 0, 1280, 720);
    placement::setScreenList([&] { return QList<QRect>{screen}; });
    auto window = start();
    window->restoreWindowPlacement();
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    ASSERT_GT(title, 0);
    EXPECT_EQ(window->geometry(), QRect(0, title, 1280, 720 - title));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->ScheduleWindow1 && window->ScheduleWindow1->isVisible(); }));
    TScheduleWindow *schedule = window->ScheduleWindow1;
    EXPECT_GE(schedule->geometry().top(), title);
    // Framed once shown: the frame too.
    ASSERT_TRUE(QTest::qWaitFor([&] { return screen.contains(schedule->frameGeometry()); }));
    EXPECT_GT(schedule->width(), 1000);
}

} // namespace
