#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <array>
#include <resources/Pictures.h>
#include <resources/SvgIconEngine.h>

namespace pictures {

namespace {

// The resource prefix and folder given in resources/CMakeLists.txt.
const QString Root = QStringLiteral(":/varno/pictures");

QString file(const char *relative)
{
    return Root + QLatin1Char('/') + QLatin1String(relative);
}

constexpr QSize StateSize{32, 32};
constexpr QSize PanelSize{32, 32};
constexpr QSize ListSize{16, 16};
constexpr QSize ButtonSize{40, 40};
constexpr QSize WebAddressSize{208, 40};
constexpr QSize FoldSize{27, 17};
constexpr QSize ApplicationIconSize{256, 256};
constexpr QSize MakerLogoSize{128, 54};

constexpr std::array<const char *, StatePictureCount> StateFiles{
    "state/selected.svg",    "state/not-selected.svg", "state/input-bit-0.svg",
    "state/input-bit-1.svg", "state/on.svg",
};

constexpr std::array<const char *, PanelIconCount> PanelFiles{
    "panel/timer.svg",     "panel/actions.svg",    "panel/comment.svg",
    "panel/inputs.svg",    "panel/clock.svg",      "panel/date.svg",
    "panel/every-day.svg", "panel/every-week.svg", "panel/action.svg",
    "panel/timer.svg", // the compact row shows the timer header's drawing
};

constexpr std::array<const char *, ToolbarPictureCount> ToolbarFiles{
    "toolbar/transmit.svg",       "toolbar/receive.svg", "toolbar/new-program.svg",
    "toolbar/delete-program.svg", "toolbar/cut.svg",     "toolbar/copy.svg",
    "toolbar/paste.svg",          "toolbar/spacer.svg",  "toolbar/web-address.svg",
};

constexpr std::array<const char *, FoldGlyphCount> FoldFiles{
    "fold/reduce.svg",
    "fold/expand.svg",
};

constexpr std::array<const char *, BrandPictureCount> BrandFiles{
    "brand/application.svg",
    "brand/maker-logo.svg",
};

constexpr std::array<const char *, list::Count> ListFiles{
    "list/00-timer-file.svg",
    "list/01-directory.svg",
    "list/02-sleep.svg",
    "list/03-command.svg",
    "list/04-play.svg",
    "list/05-pause.svg",
    "list/06-stop.svg",
    "list/07-forward.svg",
    "list/08-rewind.svg",
    "list/09-blank.svg",
    "list/10-directory-next.svg",
    "list/11-directory-previous.svg",
    "list/12-volume-up.svg",
    "list/13-volume-down.svg",
    "list/14-usb.svg",
    "list/15-internal-output.svg",
    "list/16-external-output.svg",
    "list/17-volume.svg",
    "list/18-value.svg",
    "list/19-program-number.svg",
    "list/20-go-to-program.svg",
};

template <typename Enum, std::size_t N>
QString lookup(const std::array<const char *, N> &files, Enum value)
{
    const auto i = static_cast<std::size_t>(value);
    return i < N ? file(files[i]) : QString();
}

bool validIndex(int index)
{
    return index >= 0 && index < list::Count;
}

QIcon iconAt1xAnd2x(const QString &path, QSize size)
{
    // The files are checked by the tests; parsing them here would cost the
    // start-up what the lazy icon saves.
    if (path.isEmpty())
        return {};
    return QIcon(new SvgIconEngine(path, {size, size * 2}));
}

} // namespace

QSize logicalSize(StatePicture)
{
    return StateSize;
}

QSize logicalSize(PanelIcon)
{
    return PanelSize;
}

QSize logicalSize(ToolbarPicture picture)
{
    return picture == ToolbarPicture::WebAddress ? WebAddressSize : ButtonSize;
}

QSize logicalSize(FoldGlyph)
{
    return FoldSize;
}

QSize logicalSize(BrandPicture picture)
{
    return picture == BrandPicture::MakerLogo ? MakerLogoSize : ApplicationIconSize;
}

QSize listPictureSize()
{
    return ListSize;
}

QString resourceRoot()
{
    return Root;
}

QString resourcePath(StatePicture picture)
{
    return lookup(StateFiles, picture);
}

QString resourcePath(PanelIcon icon)
{
    return lookup(PanelFiles, icon);
}

QString resourcePath(ToolbarPicture picture)
{
    return lookup(ToolbarFiles, picture);
}

QString resourcePath(FoldGlyph glyph)
{
    return lookup(FoldFiles, glyph);
}

QString resourcePath(BrandPicture picture)
{
    return lookup(BrandFiles, picture);
}

QString listResourcePath(int index)
{
    return validIndex(index) ? file(ListFiles[static_cast<std::size_t>(index)]) : QString();
}

QPixmap renderSvg(const QString &path, QSize logicalSize, qreal devicePixelRatio)
{
    if (path.isEmpty() || logicalSize.isEmpty() || !(devicePixelRatio >= 0.1))
        return {};
    const QSize deviceSize(qRound(logicalSize.width() * devicePixelRatio),
                           qRound(logicalSize.height() * devicePixelRatio));
    const QString key = QStringLiteral("varno-picture:%1@%2x%3*%4")
                            .arg(path)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(devicePixelRatio);
    QPixmap result;
    if (QPixmapCache::find(key, &result))
        return result;
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    result = QPixmap(deviceSize);
    result.fill(Qt::transparent);
    {
        QPainter painter(&result);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(deviceSize)));
    }
    result.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, result);
    return result;
}

QPixmap pixmap(StatePicture picture, qreal devicePixelRatio)
{
    return renderSvg(resourcePath(picture), logicalSize(picture), devicePixelRatio);
}

QPixmap pixmap(PanelIcon icon, qreal devicePixelRatio)
{
    return renderSvg(resourcePath(icon), logicalSize(icon), devicePixelRatio);
}

QPixmap pixmap(ToolbarPicture picture, qreal devicePixelRatio)
{
    return renderSvg(resourcePath(picture), logicalSize(picture), devicePixelRatio);
}

QPixmap pixmap(FoldGlyph glyph, qreal devicePixelRatio)
{
    return renderSvg(resourcePath(glyph), logicalSize(glyph), devicePixelRatio);
}

QPixmap pixmap(BrandPicture picture, qreal devicePixelRatio)
{
    return renderSvg(resourcePath(picture), logicalSize(picture), devicePixelRatio);
}

QPixmap listPixmap(int index, qreal devicePixelRatio)
{
    return renderSvg(listResourcePath(index), ListSize, devicePixelRatio);
}

QIcon listIcon(int index)
{
    if (!validIndex(index))
        return {};
    return iconAt1xAnd2x(listResourcePath(index), ListSize);
}

QIcon toolbarIcon(ToolbarPicture picture)
{
    return iconAt1xAnd2x(resourcePath(picture), logicalSize(picture));
}

QIcon foldIcon(FoldGlyph glyph)
{
    return iconAt1xAnd2x(resourcePath(glyph), logicalSize(glyph));
}

QIcon applicationIcon()
{
    const QString path = resourcePath(BrandPicture::ApplicationIcon);
    QList<QSize> sizes;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        sizes << QSize(side, side);
    return QIcon(new SvgIconEngine(path, sizes));
}

} // namespace pictures
