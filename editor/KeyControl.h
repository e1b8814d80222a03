#pragma once

#include <QPoint>
#include <functional>

class QWidget;

// Keyboard use of the panels' own controls (pictures, captions, the colour bar,
// flat buttons), which Qt does not make keyboard controls by themselves.
namespace varno::keys {

// Makes `control` reachable with Tab (a mouse click does not focus it), draws a
// mark over it while it has the focus, and runs `activate` on Space, Enter or
// Return. Without `activate` the control only takes the focus and the mark.
void makeKeyControl(QWidget *control, std::function<void()> activate = {});

// Makes a picture that shows a state read as a check box (a flag) or a radio
// button (one of several choices), with its state and its press action. Call
// before the control is first asked about.
enum class StateRole
{
    Flag,
    Choice
};
void makeStateControl(QWidget *control, StateRole role);
// The state the picture shows, for assistive technology.
void setChecked(QWidget *control, bool checked);

// True while a control runs its activation from the keyboard.
bool activatedByKey();

// Where a menu opened by `control` shows: at the control's lower left corner
// when the keyboard opened it, else at the pointer.
QPoint menuPoint(const QWidget *control);

// The accessible name of `control` and its tooltip, in the language shown.
void describe(QWidget *control, const QString &name);

// A caption of the panels as a name: without the blanks that leave room for an
// icon and without its final colon.
QString nameOf(const QString &caption);

} // namespace varno::keys
