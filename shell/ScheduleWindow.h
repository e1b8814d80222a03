#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QRect>
#include <QWidget>
#include <functional>
#include <model/Schedule.h>

class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTimer;
class TProject;

// The week's firings drawn as a timetable: one column a day, Monday first, one
// row a minute at which something fires, the programs of that minute stacked
// in their colours. Firings that clash are outlined in red and hatched.
class TWeekGrid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TimeWidth = 48;
    static constexpr int HeaderHeight = 34;
    static constexpr int BlockHeight = 20;
    static constexpr int DayWidth = 150;

    explicit TWeekGrid(QWidget *parent = nullptr);

    void setSchedule(const varno::schedule::Schedule &schedule, const TProject &project,
                     quint8 language);

    struct Block
    {
        QRect rect;
        int firing;    // index into the schedule's firings
        QString label; // "012 Title"
    };
    const QList<Block> &blocks() const { return blocks_; }

signals:
    void programClicked(int position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    varno::schedule::Schedule schedule_;
    QList<quint32> colours_; // of each firing
    QList<Block> blocks_;
    QList<QPair<int, int>> rows_; // minute of day, top
    quint8 language_ = 2;
};

// The schedule window: non-modal, it follows the project as it is edited. It
// shows one week with buttons for the weeks before and after and a date picker,
// the number of clashes of the week in its status line and, below the grid, the
// clashes and the problems of the project.
//
// Controls (objectName): PreviousWeek, NextWeek, WeekDate, WeekGrid, ClashStatus,
// Problems.
class TScheduleWindow : public QWidget
{
    Q_OBJECT

public:
    TScheduleWindow(const TProject &project, QWidget *parent = nullptr);

    // Called with the program's position in the project when its block is clicked.
    std::function<void(int)> OpenProgram;

    void setLanguage(quint8 language);
    void showWeek(const QDate &anyDayOfIt);
    QDate weekStart() const { return weekStart_; }
    // Reads the project again when it changed since the last look; the window
    // also does this on its own while it is shown.
    void refresh();

    const varno::schedule::Schedule &schedule() const { return schedule_; }
    TWeekGrid *grid() const { return grid_; }

private:
    void rebuild();
    void translate();

    const TProject &project_;
    quint8 language_ = 2;
    QDate weekStart_;
    QByteArray seen_; // the project as last drawn
    varno::schedule::Schedule schedule_;
    QPushButton *previous_;
    QPushButton *next_;
    QDateEdit *date_;
    QScrollArea *scroll_;
    TWeekGrid *grid_;
    QLabel *status_;
    QLabel *problemsHeading_;
    QListWidget *problems_;
    QTimer *poll_;
};
