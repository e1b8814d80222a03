// Recent projects, dropped project files, Duplicate program and the windows'
// places between runs, through the real main window.

#include <FakeDialogs.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileOpenEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <gtest/gtest.h>
#include <memory>
#include <model/ProjectFile.h>
#include <optional>
#include <shell/FileOpenRequests.h>
#include <shell/Main.h>
#include <shell/ProjectClaim.h>
#include <shell/RecentProjects.h>
#include <shell/ScheduleWindow.h>
#include <shell/SettingsFile.h>
#include <shell/WindowPlacement.h>
#include <text/text.h>

namespace {

class FilesWindow : public ::testing::Test
{
protected:
    void SetUp() override { window = start(); }
    void TearDown() override { placement::setScreenList({}); }

    // A window of its own settings and options files, not shown.
    std::unique_ptr<TForm1> start()
    {
        auto w = std::make_unique<TForm1>(dialogs, settings);
        w->setOptionsFile(optionsFile());
        w->refreshRecentMenu();
        return w;
    }

    QString optionsFile() const { return dir.filePath("options.ini"); }
    QStringList recent() const { return TRecentProjects(optionsFile()).files(); }

    // Saves a project of `programs` programs as name through Save As.
    QString saveProject(const QString &name, int programs)
    {
        window->ClearProject();
        for (int i = 0; i < programs; ++i)
            window->SpeedButton1Click();
        const QString file = dir.filePath(name);
        dialogs.fileNames = {file};
        window->SaveAs1Click();
        return file;
    }

    QStringList recentMenuTexts() const
    {
        QStringList texts;
        for (QAction *item : window->RecentProjects1->menu()->actions())
            texts << item->text();
        return texts;
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    TSettingsFile settings{dir.path(), dir.filePath("config")};
    std::unique_ptr<TForm1> window;
};

TEST_F(FilesWindow, recentProjectsNewestFirstAndAMissingOneIsForgottenWithAMessage)
{
    const QString a = saveProject("a.prg", 1);
    const QString b = saveProject("b.prg", 2);
    dialogs.fileNames = {a};
    window->Open1Click(); // opened again: first once more
    EXPECT_EQ(recent(), (QStringList{a, b}));
    // Shown with the platform's separators.
    const QString shownA = QDir::toNativeSeparators(a);
    const QString shownB = QDir::toNativeSeparators(b);
    EXPECT_EQ(recentMenuTexts(), (QStringList{"&1 " + shownA, "&2 " + shownB}));
    EXPECT_TRUE(window->RecentProjects1->isEnabled());

    window->RecentProjects1->menu()->actions().at(1)->trigger();
    EXPECT_EQ(window->ProjectFileName(), b);
    EXPECT_EQ(window->ProgList().count(), 2);
    EXPECT_EQ(recent(), (QStringList{b, a}));

    ASSERT_TRUE(QFile::remove(a));
    window->RecentProjects1->menu()->actions().at(1)->trigger();
    EXPECT_EQ(dialogs.warnings,
              QStringList{"The file " + shownA +
                          " no longer exists; it has been removed from the recent projects."});
    EXPECT_EQ(window->ProjectFileName(), b); // the open project stays
    EXPECT_EQ(recent(), QStringList{b});
    EXPECT_EQ(recentMenuTexts(), QStringList{"&1 " + shownB});

    // A later window reads the list from the options file.
    window = start();
    EXPECT_EQ(recentMenuTexts(), QStringList{"&1 " + shownB});
}

TEST_F(FilesWindow, recentProjectsKeepTheEightNewest)
{
    TRecentProjects list(optionsFile());
    QStringList expected;
    for (int i = 0; i < 10; ++i) {
        list.add(dir.filePath(QStringLiteral("p%1.prg").arg(i)));
        expected.prepend(dir.filePath(QStringLiteral("p%1.prg").arg(i)));
    }
    list.add(dir.filePath("p5.prg"));
    expected.move(expected.indexOf(dir.filePath("p5.prg")), 0);
    EXPECT_EQ(list.files(), expected.mid(0, 8));
}

QMimeData *urls(const QStringList &files)
{
    auto *data = new QMimeData;
    QList<QUrl> list;
    for (const QString &file : files)
        list << QUrl::fromLocalFile(file);
    data->setUrls(list);
    return data;
}

// Both events as the toolkit delivers them; true when the drop was taken.
bool drop(QWidget *target, const QMimeData *data)
{
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

TEST_F(FilesWindow, aDroppedOrSystemOpenedProjectFileOpensAfterTheSaveQuestion)
{
    const QString file = saveProject("dropped.PRG", 3);
    window->ClearProject();
    window->SpeedButton1Click(); // unsaved work
    std::unique_ptr<QMimeData> notProject(urls({dir.filePath("notes.txt")}));
    EXPECT_FALSE(drop(window.get(), notProject.get()));

    std::unique_ptr<QMimeData> data(urls({dir.filePath("notes.txt"), file}));
    dialogs.answers = {false}; // changes not saved
    ASSERT_TRUE(drop(window.get(), data.get()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->ProjectFileName() == file; }))
        << window->ProjectFileName().toStdString();
    EXPECT_EQ(dialogs.questions,
              QStringList{text::Text(text::MainMessages::SaveChangesConfirm, text::English)});
    EXPECT_EQ(window->ProgList().count(), 3);
    EXPECT_FALSE(window->isChanged());

    // A file the system asks to open (the Finder's file-open event): one sent
    // before the window listens waits for it, a later one reaches it at once.
    TFileOpenRequests requests(qApp);
    for (const char *name : {"early.prg", "later.prg"}) {
        SCOPED_TRACE(name);
        const QString opened = dir.filePath(name);
        TProject project;
        for (int i = 0; i < (name[0] == 'e' ? 2 : 4); ++i)
            project.Programs.Add()->NumOfProg = quint8(i + 1);
        SaveProject(opened, project);
        window->SpeedButton1Click(); // unsaved work again
        dialogs.questions.clear();
        dialogs.answers = {false};
        QFileOpenEvent event(opened);
        EXPECT_TRUE(QCoreApplication::sendEvent(qApp, &event));
        if (name[0] == 'e') {
            EXPECT_EQ(window->ProjectFileName(), file);
            QObject::connect(&requests, &TFileOpenRequests::projectRequested, window.get(),
                             &TForm1::openRequestedProject);
            window->openRequestedProject(requests.takeWaiting());
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->ProjectFileName() == opened; }))
            << window->ProjectFileName().toStdString();
        EXPECT_EQ(dialogs.questions.size(), 1);
        EXPECT_EQ(window->ProgList().count(), name[0] == 'e' ? 2 : 4);
    }
    EXPECT_TRUE(requests.takeWaiting().isEmpty());
}

TEST_F(FilesWindow, duplicateAt254And255Programs)
{
    for (int i = 0; i < 254; ++i)
        window->SpeedButton1Click();
    window->ProgList().at(0).NumOfProg = 255; // number 1 is the lowest free one
    TVARNOProg &source = window->ProgList().at(100);
    source.Comment = QStringList{"line one", "line two"};
    source.Color = 0x123456;
    source.ActionKind[2] = 3;
    source.ActionCount = 3;
    source.DateMode = 2;
    window->ActualizeOneProg(window->PanelList()[100]);
    window->ProgPanel->StaticText1Click();
    window->ProgPanel->Edit1->setText(QStringLiteral("Typed")); // not yet committed

    window->DuplicateProgram1->trigger();
    ASSERT_EQ(window->ProgList().count(), 255);
    const TVARNOProg &copy = window->ProgList().at(254);
    EXPECT_EQ(copy.NumOfProg, 1);
    EXPECT_EQ(copy.Title, "Typed");
    EXPECT_EQ(source.Title, "Typed");
    EXPECT_EQ(copy.Comment, source.Comment);
    EXPECT_EQ(copy.Color, 0x123456u);
    EXPECT_EQ(copy.ActionKind, source.ActionKind);
    EXPECT_EQ(copy.ActionCount, 3);
    EXPECT_EQ(copy.DateMode, 2);
    EXPECT_EQ(source.NumOfProg, 101);
    // Added last and opened, as New Program does.
    EXPECT_EQ(window->SelectedPanel(), window->PanelList().last());
    EXPECT_EQ(window->ProgPanel->Prog, &copy);
    EXPECT_FALSE(window->ProgPanel->isHidden());
    EXPECT_TRUE(dialogs.warnings.isEmpty());

    window->DuplicateProgram1->trigger();
    EXPECT_EQ(window->ProgList().count(), 255);
    EXPECT_EQ(window->PanelList().size(), 255);
    EXPECT_EQ(dialogs.warnings, QStringList{"You cannot create more than 255 programs!"});
}

// The main window was on a second screen, now unplugged, the schedule window
// on the primary one.
TEST_F(FilesWindow, windowsComeBackWhereTheyWereOrOnThePrimaryScreen)
{
    const QRect primary(0, 0, 1280, 1000);
    const QRect second(1280, 0, 1920, 1050);
    placement::setScreenList([&] { return QList<QRect>{primary, second}; });
    window->setGeometry(1500, 100, 700, 400);
    window->Schedule1Click();
    window->ScheduleWindow1->setGeometry(50, 60, 500, 300);
    window->ScheduleWindow1->hide(); // closed before the end
    window->saveWindowPlacement();

    struct Case
    {
        const char *name;
        QList<QRect> screens;
        bool maximized;
        QRect expected;
    };
    const Case cases[] = {
        {"both screens", {primary, second}, false, QRect(1500, 100, 700, 400)},
        {"second screen gone", {primary}, false, QRect(290, 300, 700, 400)},
        {"maximized, second screen gone", {primary}, true, QRect(290, 300, 700, 400)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        placement::setScreenList([&] { return c.screens; });
        {
            QSettings options(optionsFile(), QSettings::IniFormat);
            options.setValue("mainWindow/maximized", c.maximized);
        }
        window = start();
        window->restoreWindowPlacement();
        EXPECT_EQ(window->normalGeometry(), c.expected);
        EXPECT_EQ(window->isMaximized(), c.maximized);
        EXPECT_EQ(window->ScheduleWindow1, nullptr); // it was closed at the end
    }

    // Open at the end: it opens again where it was.
    window->Schedule1Click();
    window->ScheduleWindow1->setGeometry(70, 80, 520, 310);
    window->saveWindowPlacement();
    window = start();
    window->restoreWindowPlacement();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->ScheduleWindow1 && window->ScheduleWindow1->isVisible(); }));
    EXPECT_EQ(window->ScheduleWindow1->geometry(), QRect(70, 80, 520, 310));
}

// At start-up: a file named on the command line opens in place of the last
// project, and a last project the user declined to open leaves no name.
TEST_F(FilesWindow, startUpOpensTheFileAskedForOrNone)
{
    const QString asked = saveProject("asked.prg", 2);
    const QString last = saveProject("last.prg", 1);
    window->close(); // the settings name last.prg
    window.reset();
    struct Case
    {
        const char *name;
        QString argument;
        bool lastHeldElsewhere;
        QString expected;
        int programs, questions;
    };
    const Case cases[] = {
        {"argument", asked, true, asked, 2, 0},
        {"argument that does not exist", dir.filePath("gone.prg"), true, QString(), 0, 0},
        {"last project declined", QString(), true, QString(), 0, 1},
        {"last project", QString(), false, last, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<TProjectLock> other; // another programmer
        if (c.lastHeldElsewhere) {
            other.emplace(last);
            ASSERT_EQ(other->tryLock(), TProjectLock::State::Locked);
        }
        dialogs = FakeDialogs();
        dialogs.answers = {false}; // do not open a project held elsewhere
        {
            TForm1 started(dialogs, settings, c.argument);
            EXPECT_EQ(started.ProjectFileName(), c.expected);
            EXPECT_EQ(started.ProgList().count(), c.programs);
            EXPECT_EQ(dialogs.questions.size(), c.questions);
            EXPECT_EQ(dialogs.errors.size(),
                      c.argument.isEmpty() || c.expected == c.argument ? 0 : 1);
        }
    }
}

TEST(WindowPlacement, aWindowStaysOnAScreenThatShowsIt)
{
    const QList<QRect> screens{QRect(0, 0, 800, 600), QRect(-1024, 0, 1024, 768)};
    struct Case
    {
        QRect saved, expected;
    };
    const Case cases[] = {
        {QRect(-900, 50, 400, 300), QRect(-900, 50, 400, 300)},   // left screen
        {QRect(-200, 50, 400, 300), QRect(-400, 50, 400, 300)},   // pulled back onto it
        {QRect(100, 100, 2000, 900), QRect(0, 0, 800, 600)},      // larger than its screen
        {QRect(5000, 5000, 400, 300), QRect(200, 150, 400, 300)}, // nowhere: primary
    };
    for (const Case &c : cases)
        EXPECT_EQ(placement::onScreens(c.saved, screens), c.expected) << c.saved.x();
}

} // namespace
