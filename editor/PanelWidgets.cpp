#include <QMouseEvent>
#include <QPainter>
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

QColor colorFromRecord(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 colorToRecord(const QColor &color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}
