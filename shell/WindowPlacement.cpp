#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <shell/WindowPlacement.h>

namespace placement {

namespace {

ScreenList &screenList()
{
    static ScreenList list;
    return list;
}

QList<QRect> systemScreens()
{
    QList<QRect> areas;
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    return areas;
}

QString key(const QString &group, const char *name)
{
    return group + QLatin1Char('/') + QLatin1String(name);
}

} // namespace

void setScreenList(ScreenList screens)
{
    screenList() = std::move(screens);
}

QList<QRect> screens()
{
    return screenList() ? screenList()() : systemScreens();
}

QRect onScreens(const QRect &saved, const QList<QRect> &screens)
{
    if (screens.isEmpty() || !saved.isValid())
        return saved;
    QRect area;
    for (const QRect &screen : screens)
        if (screen.contains(saved.topLeft())) {
            area = screen;
            break;
        }
    const bool shown = area.isValid();
    if (!shown)
        area = screens.first();
    QRect placed(saved.topLeft(), saved.size().boundedTo(area.size()));
    if (!shown)
        placed.moveCenter(area.center());
    // Keep the whole window on its screen, its title bar above all.
    placed.moveRight(qMin(placed.right(), area.right()));
    placed.moveBottom(qMin(placed.bottom(), area.bottom()));
    placed.moveLeft(qMax(placed.left(), area.left()));
    placed.moveTop(qMax(placed.top(), area.top()));
    return placed;
}

void save(QSettings &settings, const QString &group, const QWidget &window)
{
    // The size it gets back when no longer maximised.
    settings.setValue(key(group, "geometry"), window.normalGeometry());
    settings.setValue(key(group, "maximized"), window.isMaximized());
}

bool restore(const QSettings &settings, const QString &group, QWidget &window)
{
    const QRect saved = settings.value(key(group, "geometry")).toRect();
    if (!saved.isValid())
        return false;
    window.setGeometry(onScreens(saved, screens()));
    if (settings.value(key(group, "maximized")).toBool())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return true;
}

} // namespace placement
