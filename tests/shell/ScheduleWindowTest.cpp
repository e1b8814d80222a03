#include <FakeDialogs.h>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QtPrinters.h>
#include <editor/LittleOneProg.h>
#include <gtest/gtest.h>
#include <memory>
#include <model/Clock.h>
#include <model/ProgramsCsv.h>
#include <model/ProjectFile.h>
#include <shell/Main.h>
#include <shell/ScheduleWindow.h>
#include <shell/SettingsFile.h>
#include <text/text.h>

namespace {

// Monday 7 December 2026.
const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 34, 56));

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TVARNOProg &timed(TProgList &programs, int mode, int weekDay, int hour)
{
    TVARNOProg &p = *programs.Add();
    p.TimerOn = 1;
    p.DateMode = quint8(mode);
    p.WeekDay = quint8(weekDay);
    p.SetHour(hour);
    p.SetMinute(0);
    p.Title = QStringLiteral("Prog %1").arg(p.NumOfProg);
    return p;
}

QStringList labels(const TScheduleWindow &w)
{
    QStringList out;
    for (const auto &b : w.grid()->blocks())
        out << b.label;
    return out;
}

TEST(ScheduleWindow, weekClashesProblemsAndLiveEdits)
{
    varno::ScopedFixedClock clock{kNow};
    TProject project;
    timed(project.Programs, 1, 1, 8);                // every day 08:00
    timed(project.Programs, 2, 2, 8).Prioritary = 1; // Tuesdays 08:00: clashes with #1
    timed(project.Programs, 1, 1, 9).Active = 0;     // timer of an inactive program
    TScheduleWindow w(project);
    w.setLanguage(text::English);
    w.show();

    EXPECT_EQ(w.weekStart(), QDate(2026, 12, 7));
    EXPECT_EQ(w.grid()->blocks().size(), 8);
    EXPECT_EQ(w.findChild<QLabel *>("ClashStatus")->text(), "Clashes this week: 1");
    auto *problems = w.findChild<QListWidget *>("Problems");
    ASSERT_EQ(problems->count(), 2);
    EXPECT_EQ(problems->item(0)->text(), "Clash on 08/12/2026 at 08:00: 1, 2 (priority)");
    EXPECT_EQ(problems->item(1)->text(), "Program 3: timer on but the program is not active");

    // A click on Tuesday's second block names the weekly program.
    int opened = -1;
    w.OpenProgram = [&](int position) { opened = position; };
    const auto &blocks = w.grid()->blocks();
    const auto tuesday2 = std::find_if(blocks.begin(), blocks.end(),
                                       [](const auto &b) { return b.label == "002 Prog 2"; });
    ASSERT_NE(tuesday2, blocks.end());
    QTest::mouseClick(w.grid(), Qt::LeftButton, {}, tuesday2->rect.center());
    EXPECT_EQ(opened, 1);

    // The window follows the project.
    project.Programs.at(1).Title = QStringLiteral("Market");
    project.Programs.at(1).SetHour(10);
    w.refresh();
    EXPECT_TRUE(labels(w).contains("002 Market"));
    EXPECT_EQ(w.findChild<QLabel *>("ClashStatus")->text(), "Clashes this week: 0");

    // Weeks before and after, and the date picker.
    w.findChild<QPushButton *>("NextWeek")->click();
    EXPECT_EQ(w.weekStart(), QDate(2026, 12, 14));
    w.findChild<QPushButton *>("PreviousWeek")->click();
    w.findChild<QPushButton *>("PreviousWeek")->click();
    EXPECT_EQ(w.weekStart(), QDate(2026, 11, 30));
    w.findChild<QDateEdit *>("WeekDate")->setDate(QDate(2028, 3, 1));
    EXPECT_EQ(w.weekStart(), QDate(2028, 2, 28));
}

TEST(ScheduleWindow, programsAtTheSameMinuteStackWithoutOverlapping)
{
    varno::ScopedFixedClock clock{kNow};
    TProject project;
    for (int i = 0; i < TProgList::MaxPrograms; ++i)
        timed(project.Programs, i % 2 ? 1 : 2, 1 + i % 7, 8);
    TScheduleWindow w(project);
    const auto &blocks = w.grid()->blocks();
    ASSERT_GT(blocks.size(), 255);
    for (int i = 0; i < blocks.size(); ++i)
        for (int j = i + 1; j < blocks.size(); ++j)
            ASSERT_FALSE(blocks[i].rect.intersects(blocks[j].rect)) << i << " " << j;
    EXPECT_GE(w.grid()->height(), 128 * TWeekGrid::BlockHeight);
    EXPECT_EQ(w.findChild<QLabel *>("ClashStatus")->text(),
              text::Text(text::AddedTexts::ClashCount, text::English).arg(7));
}

TEST(ScheduleWindow, theDaysStayInSightWhenTheGridScrolls)
{
    varno::ScopedFixedClock clock{kNow};
    TProject project;
    for (int i = 0; i < 40; ++i)
        timed(project.Programs, 1, 1, i % 24).SetMinute(i);
    TScheduleWindow w(project);
    w.resize(600, 400);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    TWeekView *view = w.view();
    QScrollBar *down = view->verticalScrollBar();
    QScrollBar *across = view->horizontalScrollBar();
    ASSERT_GT(down->maximum(), 0);
    ASSERT_GT(across->maximum(), 0);
    down->setValue(down->maximum());
    across->setValue(across->maximum());

    // The first rows are out of sight; the days are still right above the grid,
    // as wide as it, and moved sideways with it.
    EXPECT_LT(w.grid()->y(), -TWeekGrid::BlockHeight);
    const TWeekHeader *header = view->header();
    EXPECT_TRUE(header->isVisible());
    EXPECT_TRUE(view->rect().contains(header->geometry()));
    EXPECT_EQ(header->geometry().bottom() + 1, view->viewport()->geometry().top());
    EXPECT_EQ(header->width(), view->viewport()->width());
    EXPECT_EQ(header->offset(), -w.grid()->x());
    EXPECT_EQ(header->offset(), across->maximum());
}

// The main window's commands, against a temporary settings folder.
class ScheduleCommands : public ::testing::Test
{
protected:
    varno::ScopedFixedClock clock{kNow};
    QTemporaryDir dir;
    FakeDialogs dialogs;
    std::unique_ptr<TSettingsFile> settings;
    std::unique_ptr<TForm1> window;

    void SetUp() override
    {
        settings = std::make_unique<TSettingsFile>(dir.path(), dir.filePath("config"));
        window = std::make_unique<TForm1>(dialogs, *settings);
        window->show();
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    void addPrograms(std::initializer_list<int> numbers)
    {
        for (int n : numbers) {
            window->SpeedButton1Click();
            window->ProgList().at(window->ProgList().count() - 1).NumOfProg = quint8(n);
        }
    }

    // A CSV file of programs bearing these numbers, offered to the next file dialog.
    void offerCsv(std::initializer_list<int> numbers)
    {
        TProgList incoming;
        for (int n : numbers)
            incoming.Add()->NumOfProg = quint8(n);
        QFile csv(path("in.csv"));
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write(varno::programscsv::Export(incoming));
        csv.close();
        dialogs.fileNames.push_back(path("in.csv"));
    }

    QByteArray saved(const QString &name)
    {
        dialogs.fileNames.push_back(path(name));
        window->SaveAs1Click();
        return readFile(path(name));
    }
};

TEST_F(ScheduleCommands, exportThenImportGivesBackTheSameProjectFile)
{
    addPrograms({4, 9, 2});
    window->ProgList().at(1).Comment = {"line one", "line \"two\", with a comma"};
    window->ProgList().at(2).Title = QStringLiteral("Caf\u00e9 \u20ac");
    const QByteArray before = saved("before.prg");

    dialogs.fileNames.push_back(path("p.csv"));
    window->ExportCsv1Click();
    dialogs.fileNames.push_back(path("p.csv"));
    dialogs.choices.push_back(1); // replace
    window->ImportCsv1Click();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n');
    EXPECT_EQ(window->PanelList().size(), 3);
    EXPECT_EQ(saved("after.prg"), before);
}

TEST_F(ScheduleCommands, addedProgramsKeepFreeNumbersAndTheMessageSaysWhichChanged)
{
    addPrograms({1, 2});
    offerCsv({2, 7});
    dialogs.choices.push_back(0); // add
    window->ImportCsv1Click();
    QList<int> numbers;
    for (const auto &p : window->ProgList())
        numbers << p->NumOfProg;
    EXPECT_EQ(numbers, QList<int>({1, 2, 3, 7}));
    EXPECT_EQ(window->PanelList().size(), 4);
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_EQ(dialogs.warnings.first(),
              "2 programs imported.\nNumbers already taken, changed: 2 \u2192 3");
    EXPECT_TRUE(window->isChanged());
}

TEST_F(ScheduleCommands, aFaultyFileLeavesTheProjectUntouched)
{
    addPrograms({5});
    const QByteArray before = saved("before.prg");
    QFile csv(path("bad.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    QByteArray bytes = varno::programscsv::Export(window->ProgList());
    bytes.replace("\r\n5,", "\r\n5x,");
    csv.write(bytes);
    csv.close();

    dialogs.fileNames.push_back(path("bad.csv"));
    window->ImportCsv1Click();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.first().startsWith(path("bad.csv") + ":2:number: expected"))
        << dialogs.errors.first();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(saved("after.prg"), before);
}

// The add-or-replace question closed with Escape: neither was chosen, nothing
// is imported.
TEST_F(ScheduleCommands, anImportWhoseQuestionIsClosedUnansweredChangesNothing)
{
    addPrograms({5});
    const QByteArray before = saved("before.prg");
    offerCsv({7});
    dialogs.choices.push_back(-1); // Escape
    window->ImportCsv1Click();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.warnings.isEmpty()) << dialogs.warnings.join('\n');
    EXPECT_EQ(window->PanelList().size(), 1);
    EXPECT_FALSE(window->isChanged());
    EXPECT_EQ(saved("after.prg"), before);
}

TEST_F(ScheduleCommands, aBlockOpensItsProgramAndTheReportIsWritten)
{
    addPrograms({3, 8});
    window->ProgList().at(0).TimerOn = 1;
    window->ProgList().at(0).DateMode = 1;
    window->ActualizeOneProg(window->PanelList().last());
    window->Schedule1Click();
    TScheduleWindow *schedule = window->ScheduleWindow1;
    ASSERT_NE(schedule, nullptr);
    EXPECT_TRUE(schedule->isVisible());
    ASSERT_EQ(schedule->grid()->blocks().size(), 7);
    QTest::mouseClick(schedule->grid(), Qt::LeftButton, {},
                      schedule->grid()->blocks().first().rect.center());
    ASSERT_NE(window->SelectedPanel(), nullptr);
    EXPECT_EQ(window->SelectedPanel()->Prog, &window->ProgList().at(0));

    window->French1Click();
    EXPECT_EQ(schedule->windowTitle(), text::Text(text::AddedTexts::ScheduleTitle, text::French));
    dialogs.fileNames.push_back(path("r.html"));
    window->ExportReport1Click();
    const QString html = QString::fromUtf8(readFile(path("r.html")));
    EXPECT_TRUE(html.contains("Tous les jours"));

    // A PDF file when the name asks for one, and the printer the dialog chose.
    dialogs.fileNames.push_back(path("r.pdf"));
    window->ExportReport1Click();
    EXPECT_TRUE(readFile(path("r.pdf")).startsWith("%PDF"));
    dialogs.onExec = [this](QDialog *dialog) {
        QPrinter *printer = qobject_cast<QPrintDialog *>(dialog)->printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path("printed.pdf"));
        return int(QDialog::Accepted);
    };
    window->PrintReport1Click();
    EXPECT_TRUE(readFile(path("printed.pdf")).startsWith("%PDF"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n');
}

} // namespace
