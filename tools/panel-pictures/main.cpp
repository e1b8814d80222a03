// panel-pictures: renders the program panel and a few compact rows to PNG files,
// so that they can be looked at without running the programmer.
//
//   panel-pictures OUTPUT_DIR [LANGUAGE 1|2|3]

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVBoxLayout>
#include <editor/ColumnMenu.h>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <model/ProjectClasses.h>
#include <shell/Main.h>
#include <shell/ScheduleWindow.h>
#include <shell/SettingsFile.h>

namespace {

TVARNOProg busyProgram()
{
    TVARNOProg p;
    p.NumOfProg = 37;
    p.Title = QStringLiteral("Opening announcement, main hall");
    p.Comment = QStringList{QStringLiteral("Plays at opening time"),
                            QStringLiteral("then the jingle and the lights")};
    p.Prioritary = 1;
    p.TimerOn = 1;
    p.DateMode = 2;
    p.WeekDay = 6;
    p.SetHour(8);
    p.SetMinute(30);
    p.SetDate(varno::datetime::EncodeDate(2026, 12, 7));
    p.ActionCount = 6;
    p.ActionKind = {akVolume,         akTimerFile,      akTransport,
                    akInternalOutput, akExternalOutput, akGoToProgram};
    p.ActionNumber = {6, 12, 3, 4, 17, 42};
    p.ActionValue = {255, 255, 255, 255, 128, 255};
    p.Color = 0x0040C0; // orange
    return p;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "Usage: panel-pictures OUTPUT_DIR [LANGUAGE 1|2|3]\n";
        return 2;
    }
    const QDir out(args.at(1));
    const auto language = text::Language(args.size() > 2 ? args.at(2).toInt() : text::English);
    QDir().mkpath(out.path());

    TVARNOProg busy = busyProgram();
    TFrame2 panel;
    panel.Language = language;
    panel.BuildMenus();
    panel.Prog = &busy;
    panel.ClearActions();
    panel.ShowProg();
    panel.grab().save(out.filePath(QStringLiteral("program-panel.png")));

    TVARNOProg plain;
    TVARNOProg daily = busyProgram();
    daily.NumOfProg = 2;
    daily.DateMode = 1;
    daily.Title = QStringLiteral("Closing time");
    daily.Color = 0x008000;
    TVARNOProg dated = busyProgram();
    dated.NumOfProg = 3;
    dated.DateMode = 0;
    dated.Title = QStringLiteral("New year");
    QWidget rows;
    auto *layout = new QVBoxLayout(&rows);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    bool first = true;
    for (TVARNOProg *p : {&plain, &daily, &dated, &busy}) {
        auto *row = new TFrame1(&rows);
        row->Language = language;
        row->Prog = p;
        row->ShowLittleProg();
        row->setSelected(first);
        first = false;
        layout->addWidget(row);
    }
    rows.adjustSize();
    rows.grab().save(out.filePath(QStringLiteral("compact-rows.png")));

    // A long menu in its columns of 32.
    panel.TimerFileMenu->popup(QPoint(0, 0));
    panel.TimerFileMenu->grab().save(out.filePath(QStringLiteral("timer-file-menu.png")));
    panel.TimerFileMenu->close();

    // The main window with a few programs, the busy one open.
    QTemporaryDir settingsDir;
    TSettingsFile settings(settingsDir.path(), settingsDir.path());
    TQtUserDialogs dialogs;
    TForm1 window(dialogs, settings);
    window.CurrentLanguage = language;
    window.TranslateMainWindow();
    for (const TVARNOProg *source : {&daily, &dated, &busy, &plain}) {
        window.SpeedButton1Click();
        TVARNOProg &added = window.ProgList().at(window.ProgList().count() - 1);
        const quint8 number = added.NumOfProg;
        added = *source;
        added.NumOfProg = number;
    }
    window.ActualizeOneProg(window.PanelList()[2]);
    window.Project().Name = QStringLiteral("Central station");
    window.updateTitle();
    window.show();
    window.grab().save(out.filePath(QStringLiteral("main-window.png")));

    // The week of those programs: the three of 08:30 clash on the Saturday.
    window.Schedule1Click();
    auto *schedule = window.findChild<TScheduleWindow *>();
    // Through the date box, so that the picture shows the same date whenever
    // it is made.
    schedule->findChild<QDateEdit *>(QStringLiteral("WeekDate"))->setDate(QDate(2026, 12, 7));
    schedule->resize(TWeekGrid::TimeWidth + 7 * TWeekGrid::DayWidth + 40, 420);
    schedule->grab().save(out.filePath(QStringLiteral("schedule-window.png")));

    QTextStream(stdout) << out.filePath(QStringLiteral("program-panel.png")) << '\n'
                        << out.filePath(QStringLiteral("compact-rows.png")) << '\n'
                        << out.filePath(QStringLiteral("main-window.png")) << '\n'
                        << out.filePath(QStringLiteral("schedule-window.png")) << '\n';
    return 0;
}
