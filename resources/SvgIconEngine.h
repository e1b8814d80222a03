#pragma once

#include <QIconEngine>
#include <QList>
#include <QSize>
#include <QString>

namespace pictures {

// An icon that renders its SVG file only when a size is first asked for, so that
// building menus of hundreds of items and the toolbar costs no drawing at start-
// up; renderSvg() caches what it draws. Disabled icons are drawn greyed.
class SvgIconEngine : public QIconEngine
{
public:
    // sizes: the device sizes the icon announces (e.g. 1x and 2x).
    SvgIconEngine(const QString &path, const QList<QSize> &sizes);

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    QString path_;
    QList<QSize> sizes_;
};

} // namespace pictures
