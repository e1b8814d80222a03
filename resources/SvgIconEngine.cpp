#include <QPainter>
#include <QPixmapCache>
#include <resources/Pictures.h>
#include <resources/SvgIconEngine.h>

namespace pictures {
namespace {

QPixmap greyed(const QPixmap &source)
{
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

SvgIconEngine::SvgIconEngine(const QString &path, const QList<QSize> &sizes)
    : path_(path), sizes_(sizes)
{
}

QPixmap SvgIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State)
{
    const QSize target = actualSize(size, mode, QIcon::Off);
    const QPixmap normal = renderSvg(path_, target, 1.0);
    if (mode != QIcon::Disabled || normal.isNull())
        return normal;
    const QString key = QStringLiteral("varno-disabled:%1@%2x%3")
                            .arg(path_)
                            .arg(target.width())
                            .arg(target.height());
    QPixmap result;
    if (!QPixmapCache::find(key, &result)) {
        result = greyed(normal);
        QPixmapCache::insert(key, result);
    }
    return result;
}

void SvgIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                          QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap p = pixmap(rect.size() * ratio, mode, state);
    p.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), p);
}

// Keeps the picture's proportions inside the size asked for.
QSize SvgIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State)
{
    if (sizes_.isEmpty())
        return size;
    return sizes_.first().scaled(size, Qt::KeepAspectRatio);
}

QList<QSize> SvgIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    return sizes_;
}

QIconEngine *SvgIconEngine::clone() const
{
    return new SvgIconEngine(path_, sizes_);
}

QString SvgIconEngine::key() const
{
    return QStringLiteral("varno-svg");
}

} // namespace pictures
