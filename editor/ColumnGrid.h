#pragma once

#include <QAction>
#include <QElapsedTimer>
#include <QWidget>

namespace varno {

// The body of a TColumnMenu: paints its items as menu items laid out in columns
// and handles the mouse and the keyboard. Painting the items itself keeps a menu
// of hundreds of items as cheap as one widget.
class ColumnGrid : public QWidget
{
    Q_OBJECT

public:
    // `menu` styles the items and is closed by a choice; it need not be the parent.
    ColumnGrid(const QList<QAction *> &items, int perColumn, QWidget *menu);

    QSize sizeHint() const override;
    QRect itemRect(int index) const;
    int indexAt(const QPoint &pos) const;
    int current() const { return current_; }
    void setCurrent(int index);
    void itemsChanged();
    // Moves or chooses for the navigation keys; false for any other key.
    bool handleKey(const QKeyEvent *event);

    // A new opening with the pointer at `pointer` (global): nothing highlighted,
    // no press seen, the pointer not yet moved.
    void opened(const QPoint &pointer);
    // True once the pointer has travelled the platform's drag distance since
    // the opening: only then does hovering highlight and any release choose.
    bool pointerMoved() const { return moved_; }

signals:
    // The keyboard moved the highlight to `index` (the menu scrolls to it).
    void currentMovedByKey(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choose(int index);
    // Type-ahead, as in a list: digits typed in quick succession jump to the item
    // of that number (2 then 0: "020", "-20 dB", "T020"), letters to the first
    // item that begins with them. False for a key that types nothing.
    bool typeAhead(const QString &typed);
    int find(const QString &typed) const;
    void layoutItems() const;
    void notePointer(const QPoint &global);

    const QList<QAction *> &items_;
    int perColumn_;
    QWidget *menu_;
    int current_ = -1;
    mutable bool laidOut_ = false;
    mutable QSize cell_;
    QPoint origin_;
    bool moved_ = false;
    bool pressedOnItem_ = false; // the press of the coming release was a real one
    int pressesSinceOpened_ = 0;
    QString typed_;
    QElapsedTimer typedAt_;
};

} // namespace varno
