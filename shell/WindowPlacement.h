#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <functional>

class QSettings;
class QWidget;

// Size, position and maximised state of a top-level window, kept in the
// programmer's options file from one run to the next.
namespace placement {

// The available areas of the screens, the primary first. Tests replace the
// system's list to take a screen away.
using ScreenList = std::function<QList<QRect>()>;
void setScreenList(ScreenList screens); // an empty function restores the system's
QList<QRect> screens();

// Where a window last seen at `saved` goes: on the screen that shows its top
// left corner, no larger than that screen; centred on the primary screen when
// no screen shows it any more (a screen unplugged since).
QRect onScreens(const QRect &saved, const QList<QRect> &screens);

void save(QSettings &settings, const QString &group, const QWidget &window);
// False, leaving the window as it is, when nothing was saved for group.
bool restore(const QSettings &settings, const QString &group, QWidget &window);

} // namespace placement
