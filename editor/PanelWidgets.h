#pragma once

#include <QColor>
#include <QLabel>
#include <QToolButton>

// Small controls of the program panels. They are plain Qt widgets with the one
// signal each control of the panels reacts to.

class QMouseEvent;

// The font of the program panels. Their fixed sizes were drawn for a narrow
// 8-point face; Liberation Sans (the metrics of Arial) fits them, and any sans
// serif stands in when it is missing. 11 pixels is 8 points at 96 dpi.
QFont panelFont();

// A caption shortened to `room` pixels: whole when it fits; otherwise its
// number or value (what follows its last colon, or its last word when that
// holds a digit) stays whole after the words before it, cut with an ellipsis.
QString fittedCaption(const QString &caption, const QFontMetrics &metrics, int room);

// Tells clicks from double clicks for a control that reports both: the release
// that ends a double click is not a click of its own.
class TClickTracker
{
public:
    // True when this release is a click inside `area`.
    bool isClick(const QMouseEvent *release, const QRect &area);
    // True when this is a double click with the left button.
    bool isDoubleClick(const QMouseEvent *event);

private:
    bool inDoubleClick_ = false;
};

// A caption on a coloured background that reports clicks (number box, title).
class TStaticText : public QLabel
{
    Q_OBJECT

public:
    explicit TStaticText(QWidget *parent, const QString &name, const QColor &background);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    TClickTracker clicks_;
};

// A picture that reports clicks (state pictures, icons).
class TImage : public QLabel
{
    Q_OBJECT

public:
    TImage(QWidget *parent, const QString &name);
    void setPicture(const QPixmap &picture);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A filled rectangle (the colour bar) that reports any mouse button going down.
class TShape : public QWidget
{
    Q_OBJECT

public:
    enum Outline
    {
        Plain,
        Rounded
    };
    TShape(QWidget *parent, const QString &name, Outline outline = Plain);

    QColor brush() const { return brush_; }
    void setBrush(const QColor &color);
    // An outline only (the box frames), no fill.
    void setFrameColor(const QColor &color);

signals:
    void mouseDown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    Outline outline_;
    QColor brush_;
    QColor frame_;
};

// A flat button with a 16 x 16 glyph and a caption; its tag is the action slot.
// A caption too long for the button is shown fitted (see fittedCaption) and is
// the button's tooltip in full; text() stays the full caption. Its role name
// ("Action 2") is its accessible name, and its tooltip while the caption fits.
class TSpeedButton : public QToolButton
{
    Q_OBJECT

public:
    TSpeedButton(QWidget *parent, const QString &name, int tag = 0);
    int tag() const { return tag_; }
    // The glyph index shown, -1 for none (kept for the panel's own bookkeeping).
    int glyph() const { return glyph_; }
    void setGlyph(int index, const QIcon &icon);

    // Hides QAbstractButton::setText so that the tooltip follows the caption.
    void setText(const QString &text);
    void setRoleName(const QString &name);
    // Where the caption is drawn, beside the glyph, and the caption as drawn.
    QRect captionRect() const;
    QString shownCaption() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateToolTip();

    int tag_;
    int glyph_ = -1;
    QString role_;
};

// RGB helpers for the record's 0x00BBGGRR colours.
QColor colorFromRecord(quint32 value);
quint32 colorToRecord(const QColor &color);
