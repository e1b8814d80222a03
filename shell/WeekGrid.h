#pragma once

#include <QDate>
#include <QList>
#include <QRect>
#include <QScrollArea>
#include <QWidget>
#include <model/Schedule.h>
#include <text/Language.h>

class TProject;

// The week's firings drawn as a timetable: one column a day, Monday first, one
// row a minute at which something fires, the programs of that minute stacked
// in their colours. Firings that clash are outlined in red and hatched.
class TWeekGrid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TimeWidth = 48;
    static constexpr int BlockHeight = 20;
    static constexpr int DayWidth = 150; // when there is room
    // The days share the width they are given down to this; below it the
    // week scrolls sideways. Seven fit a 1024-pixel screen.
    static constexpr int MinDayWidth = 96;

    explicit TWeekGrid(QWidget *parent = nullptr);

    void setSchedule(const varno::schedule::Schedule &schedule, const TProject &project,
                     text::Language language);

    struct Block
    {
        QRect rect;
        int firing;    // index into the schedule's firings
        QString label; // "012 Title"
    };
    const QList<Block> &blocks() const { return blocks_; }
    int dayWidth() const;
    // The width the grid takes in a view this wide: all of it, down to the
    // narrowest days.
    static int widthFor(int viewWidth);

signals:
    void programClicked(int position);

protected:
    bool event(QEvent *event) override; // a block's whole label as its tooltip
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutBlocks();

    varno::schedule::Schedule schedule_;
    QList<quint32> colours_; // of each firing
    QList<Block> blocks_;
    QList<QPair<int, int>> rows_; // minute of day, top
    text::Language language_ = text::English;
};

// The days above the grid, in the margin of its scroll area: they stay in
// place when the grid scrolls down and follow it sideways.
class TWeekHeader : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Height = 34;

    explicit TWeekHeader(QWidget *parent = nullptr);

    void setWeek(const QDate &from, text::Language language);
    void setDayWidth(int width);
    // How far the grid below is scrolled to the right, in pixels.
    void setOffset(int x);
    int offset() const { return offset_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QDate from_;
    text::Language language_ = text::English;
    int offset_ = 0;
    int dayWidth_ = TWeekGrid::DayWidth;
};

// The grid in a scroll area, under a header that does not scroll away.
class TWeekView : public QScrollArea
{
    Q_OBJECT

public:
    explicit TWeekView(TWeekGrid *grid, QWidget *parent = nullptr);

    TWeekHeader *header() const { return header_; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void placeHeader();
    void fitGrid();

    TWeekHeader *header_;
};
