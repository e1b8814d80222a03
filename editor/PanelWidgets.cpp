#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>
#include <editor/PanelWidgets.h>
#include <utility>

TStaticText::TStaticText(QWidget *parent, const QString &name, const QColor &background)
    : QLabel(parent)
{
    setObjectName(name);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

bool TClickTracker::isClick(const QMouseEvent *release, const QRect &area)
{
    if (std::exchange(inDoubleClick_, false))
        return false;
    return release->button() == Qt::LeftButton && area.contains(release->position().toPoint());
}

bool TClickTracker::isDoubleClick(const QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    inDoubleClick_ = true;
    return true;
}

void TStaticText::mouseReleaseEvent(QMouseEvent *event)
{
    if (clicks_.isClick(event, rect()))
        emit clicked();
}

void TStaticText::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (clicks_.isDoubleClick(event))
        emit doubleClicked();
}

TImage::TImage(QWidget *parent, const QString &name) : QLabel(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TImage::setPicture(const QPixmap &picture)
{
    setPixmap(picture);
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

TShape::TShape(QWidget *parent, const QString &name, Outline outline)
    : QWidget(parent), outline_(outline)
{
    setObjectName(name);
}

void TShape::setBrush(const QColor &color)
{
    brush_ = color;
    update();
}

void TShape::setFrameColor(const QColor &color)
{
    frame_ = color;
    update();
}

void TShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, outline_ == Rounded);
    if (frame_.isValid()) {
        painter.setPen(frame_);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush_);
    if (outline_ == Rounded)
        painter.drawRoundedRect(rect(), 6, 6);
    else
        painter.drawRect(rect());
}

void TShape::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseDown();
}

TSpeedButton::TSpeedButton(QWidget *parent, const QString &name, int tag)
    : QToolButton(parent), tag_(tag)
{
    setObjectName(name);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TSpeedButton::setGlyph(int index, const QIcon &icon)
{
    glyph_ = index;
    setIcon(icon);
}

namespace {

// The caption's place beside the glyph: a small margin, the glyph, a gap.
constexpr int kMargin = 2;
constexpr int kGap = 2;

} // namespace

QFont panelFont()
{
    // Looked up once: every compact row of a long list asks for it.
    static const QString family = [] {
        for (const char *name : {"Liberation Sans", "Arial"}) {
            if (QFontDatabase::hasFamily(QString::fromLatin1(name)))
                return QString::fromLatin1(name);
        }
        return QString();
    }();
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(11);
    return font;
}

QString fittedCaption(const QString &caption, const QFontMetrics &metrics, int room)
{
    if (metrics.horizontalAdvance(caption) <= room)
        return caption;
    qsizetype cut = caption.lastIndexOf(QLatin1Char(':'));
    if (cut >= 0) {
        while (cut > 0 && caption.at(cut - 1).isSpace())
            --cut;
    } else {
        const qsizetype space = caption.lastIndexOf(QLatin1Char(' '));
        const QString last = caption.mid(space + 1);
        const bool numbered =
            space > 0 && std::any_of(last.begin(), last.end(), [](QChar c) { return c.isDigit(); });
        cut = numbered ? space : -1;
    }
    const QString tail = caption.mid(qMax(cut, qsizetype(0)));
    const int left = room - metrics.horizontalAdvance(tail);
    if (cut <= 0 || left < metrics.horizontalAdvance(QChar(0x2026)))
        return metrics.elidedText(caption, Qt::ElideRight, room);
    return metrics.elidedText(caption.left(cut), Qt::ElideRight, left) + tail;
}

void TSpeedButton::setText(const QString &text)
{
    QToolButton::setText(text);
    updateToolTip();
}

QRect TSpeedButton::captionRect() const
{
    const int left = kMargin + iconSize().width() + kGap;
    return QRect(left, 0, width() - left - kMargin, height());
}

QString TSpeedButton::shownCaption() const
{
    return fittedCaption(text(), fontMetrics(), captionRect().width());
}

void TSpeedButton::setRoleName(const QString &name)
{
    role_ = name;
    setAccessibleName(name);
    updateToolTip();
}

void TSpeedButton::updateToolTip()
{
    if (toolButtonStyle() != Qt::ToolButtonTextBesideIcon) {
        if (!role_.isEmpty())
            setToolTip(role_);
        return;
    }
    setToolTip(shownCaption() == text() ? role_ : text());
    setAccessibleDescription(text());
}

void TSpeedButton::resizeEvent(QResizeEvent *event)
{
    QToolButton::resizeEvent(event);
    updateToolTip();
}

void TSpeedButton::changeEvent(QEvent *event)
{
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateToolTip();
}

// The style draws the button itself; glyph and caption are placed here so that
// the caption is the fitted one, never one cut off by the style.
void TSpeedButton::paintEvent(QPaintEvent *event)
{
    if (toolButtonStyle() != Qt::ToolButtonTextBesideIcon) {
        QToolButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    const QSize glyphSize = iconSize();
    const QRect glyphRect(QPoint(kMargin, (height() - glyphSize.height()) / 2), glyphSize);
    icon().paint(&painter, glyphRect, Qt::AlignCenter,
                 isEnabled() ? QIcon::Normal : QIcon::Disabled);
    painter.drawItemText(captionRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         palette(), isEnabled(), shownCaption(), QPalette::ButtonText);
}

QColor colorFromRecord(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 colorToRecord(const QColor &color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}
