#pragma once

#include <QFrame>
#include <editor/PanelWidgets.h>
#include <text/Language.h>

class TVARNOProg;

// The compact program panel: one row of the main window's program list with the
// program's number, colour, title and, when its timer is on, its schedule. It has
// no handlers of its own; the main window binds its clicks and keys. A row takes
// the focus with Tab or a click: Space selects it, Enter opens it, the arrows
// move to the row above or below.
//
// Controls (objectName = member name):
//   Panel1        background (selected: 179,179,179; others: 212,208,200)
//   Shape8        colour, rounded        StaticText6   number box
//   StaticText1   title                  Image32       timer picture, shown when the timer is on
//   Label1        schedule summary or "..."
//   SpeedButton2  expand button
class TFrame1 : public QFrame
{
    Q_OBJECT

public:
    static constexpr int PanelWidth = 855; // in pixels, as wide as the program panel
    static constexpr int PanelHeight = 32; // in pixels

    explicit TFrame1(QWidget *parent = nullptr);

    TVARNOProg *Prog = nullptr; // owned by the program list
    text::Language Language =
        text::English; // of the schedule summary: 1 French, 2 English, 3 Spanish

    // Redraws the row from its program: number, title, colour, timer picture, schedule.
    void ShowLittleProg();
    // The main window marks the selected row by its background.
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

    QWidget *Panel1;            // the background, darker on the selected row
    TShape *Shape8;             // the program's colour
    TStaticText *StaticText6;   // the number box
    TStaticText *StaticText1;   // the title
    TImage *Image32;            // the timer picture, shown when the timer is on
    QLabel *Label1;             // the schedule summary, or "..." with the timer off
    TSpeedButton *SpeedButton2; // the expand button: opens the program in the program panel

signals:
    // A click on the background, the number or the title.
    void clicked();
    // A double-click on one of them.
    void doubleClicked();
    // Enter or Return on the row.
    void openRequested();
    // Up (-1) or Down (+1) on the row.
    void stepRequested(int step);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;     // a click on the background
    void mouseDoubleClickEvent(QMouseEvent *event) override; // a double-click on the background
    // Enter opens, Space selects, Up and Down step; other keys and modified ones pass on.
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool selected_ = false; // the row is the selected one
    TClickTracker clicks_;  // keeps the release ending a double-click from being a click
};
