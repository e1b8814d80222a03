#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>
#include <functional>

class QSettings;
class QVariant;
class QWidget;

// Size, position and maximised state of a top-level window, kept in the
// programmer's options file from one run to the next.
namespace placement {

// The available areas of the screens, the primary first. Tests replace the
// system's list to take a screen away.
using ScreenList = std::function<QList<QRect>()>;
void setScreenList(ScreenList screens); // an empty function restores the system's
QList<QRect> screens();

// Rectangles are those of the window's inside (its geometry); frame is what
// the window system draws around it, the title bar above all.

// The window at `saved` made to fit `area` with its frame: shrunk to the area,
// then moved in, so that its title bar can be reached.
QRect fitted(const QRect &saved, const QRect &area, const QMargins &frame);

// Where a window last seen at `saved` goes: on the screen that shows its top
// left corner, fitted to it; centred on the primary screen when no screen shows
// it any more (a screen unplugged since).
QRect onScreens(const QRect &saved, const QList<QRect> &screens, const QMargins &frame = {});

// Where a window of `size` first opens next to the window whose frame is at
// `beside`: to its right, else to its left, when the whole window fits there
// beside it; over it otherwise. Always fitted to area.
QRect nextTo(const QRect &beside, const QSize &size, const QRect &area, const QMargins &frame);

// The frame of window: its own once framed, else that of reference when it is
// (the same window system draws both), else a title bar of the style.
QMargins frameOf(const QWidget &window, const QWidget *reference = nullptr);

// The available area of the screen that shows most of rect (the primary one
// when none does).
QRect areaFor(const QRect &rect);

// Brings a shown window back onto its screen, its frame now known, when it
// does not fit there.
void keepOnScreen(QWidget &window);

// Sets key to value unless settings already hold it: a file whose values did
// not change is not written again (each write waits for the disk).
void keep(QSettings &settings, const QString &key, const QVariant &value);

void save(QSettings &settings, const QString &group, const QWidget &window);
// False, leaving the window as it is, when nothing was saved for group.
bool restore(const QSettings &settings, const QString &group, QWidget &window);

} // namespace placement
