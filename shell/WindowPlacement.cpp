#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStyle>
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

QRect fitted(const QRect &saved, const QRect &area, const QMargins &frame)
{
    if (!saved.isValid() || !area.isValid())
        return saved;
    QRect outer = saved.marginsAdded(frame);
    outer.setSize(outer.size().boundedTo(area.size()));
    outer.moveRight(qMin(outer.right(), area.right()));
    outer.moveBottom(qMin(outer.bottom(), area.bottom()));
    outer.moveLeft(qMax(outer.left(), area.left()));
    outer.moveTop(qMax(outer.top(), area.top()));
    return outer.marginsRemoved(frame);
}

QRect onScreens(const QRect &saved, const QList<QRect> &screens, const QMargins &frame)
{
    if (screens.isEmpty() || !saved.isValid())
        return saved;
    for (const QRect &screen : screens)
        if (screen.contains(saved.topLeft()))
            return fitted(saved, screen, frame);
    QRect centred = saved;
    centred.moveCenter(screens.first().center());
    return fitted(centred, screens.first(), frame);
}

QRect nextTo(const QRect &beside, const QSize &size, const QRect &area, const QMargins &frame)
{
    const QSize outer = QRect(QPoint(), size).marginsAdded(frame).size();
    QRect placed(QPoint(), outer);
    if (beside.right() + outer.width() <= area.right())
        placed.moveTopLeft(QPoint(beside.right() + 1, beside.top()));
    else if (beside.left() - outer.width() >= area.left())
        placed.moveTopLeft(QPoint(beside.left() - outer.width(), beside.top()));
    else
        placed.moveCenter(beside.center());
    return fitted(placed.marginsRemoved(frame), area, frame);
}

QMargins frameOf(const QWidget &window, const QWidget *reference)
{
    const auto margins = [](const QWidget &w) {
        const QRect outer = w.frameGeometry(), inner = w.geometry();
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                        outer.right() - inner.right(), outer.bottom() - inner.bottom());
    };
    // A window system that has not framed the window yet reports no frame.
    if (window.isVisible() && !margins(window).isNull())
        return margins(window);
    if (reference && reference->isVisible() && !margins(*reference).isNull())
        return margins(*reference);
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QMargins(0, title, 0, 0);
}

QRect areaFor(const QRect &rect)
{
    const QList<QRect> areas = screens();
    QRect best;
    qint64 shown = -1;
    for (const QRect &area : areas) {
        const QRect common = area.intersected(rect);
        const qint64 size = common.isValid() ? qint64(common.width()) * common.height() : 0;
        if (size > shown) {
            shown = size;
            best = area;
        }
    }
    if (shown <= 0 && !areas.isEmpty())
        best = areas.first();
    return best;
}

void keepOnScreen(QWidget &window)
{
    if (!window.isVisible() || window.isMaximized() || window.isFullScreen())
        return;
    const QRect area = areaFor(window.frameGeometry());
    if (!area.isValid() || area.contains(window.frameGeometry()))
        return;
    window.setGeometry(fitted(window.geometry(), area, frameOf(window)));
}

void keep(QSettings &settings, const QString &key, const QVariant &value)
{
    QVariant stored = settings.value(key);
    if (stored.isValid() && stored.convert(value.metaType()) && stored == value)
        return;
    settings.setValue(key, value);
}

void save(QSettings &settings, const QString &group, const QWidget &window)
{
    // The size it gets back when no longer maximised.
    keep(settings, key(group, "geometry"), window.normalGeometry());
    keep(settings, key(group, "maximized"), window.isMaximized());
}

bool restore(const QSettings &settings, const QString &group, QWidget &window)
{
    const QRect saved = settings.value(key(group, "geometry")).toRect();
    if (!saved.isValid())
        return false;
    window.setGeometry(onScreens(saved, screens(), frameOf(window, window.parentWidget())));
    if (settings.value(key(group, "maximized")).toBool())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return true;
}

} // namespace placement
