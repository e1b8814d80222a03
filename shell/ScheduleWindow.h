#pragma once

#include <QByteArray>
#include <QDate>
#include <QWidget>
#include <functional>
#include <model/Schedule.h>
#include <shell/WeekGrid.h>
#include <text/Language.h>

class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class TProject;

// The schedule window: non-modal, it follows the project as it is edited. It
// shows one week with buttons for the weeks before and after and a date picker,
// the number of clashes of the week in its status line and, below the grid, the
// clashes and the problems of the project.
//
// Controls (objectName): PreviousWeek, NextWeek, WeekDate, WeekHeader, WeekGrid,
// ClashStatus, Problems.
class TScheduleWindow : public QWidget
{
    Q_OBJECT

public:
    TScheduleWindow(const TProject &project, QWidget *parent = nullptr);

    // Called with the program's position in the project when its block is clicked.
    std::function<void(int)> OpenProgram;

    void setLanguage(text::Language language);
    void showWeek(const QDate &anyDayOfIt);
    QDate weekStart() const { return weekStart_; }
    // Reads the project again when it changed since the last look; the window
    // also does this on its own while it is shown.
    void refresh();

    const varno::schedule::Schedule &schedule() const { return schedule_; }
    TWeekGrid *grid() const { return grid_; }
    TWeekView *view() const { return view_; }

private:
    void rebuild();
    void translate();

    const TProject &project_;
    text::Language language_ = text::English;
    QDate weekStart_;
    QByteArray seen_; // the project as last drawn
    varno::schedule::Schedule schedule_;
    QPushButton *previous_;
    QPushButton *next_;
    QDateEdit *date_;
    TWeekView *view_;
    TWeekGrid *grid_;
    QLabel *status_;
    QLabel *problemsHeading_;
    QListWidget *problems_;
    QTimer *poll_;
};
