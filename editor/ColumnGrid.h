#pragma once

#include <QAction>
#include <QWidget>

namespace varno {

// The body of a TColumnMenu: paints its items as menu items laid out in columns
// and handles the mouse and the keyboard. Painting the items itself keeps a menu
// of hundreds of items as cheap as one widget.
class ColumnGrid : public QWidget
{
    Q_OBJECT

public:
    ColumnGrid(const QList<QAction *> &items, int perColumn, QWidget *parent);

    QSize sizeHint() const override;
    QRect itemRect(int index) const;
    int indexAt(const QPoint &pos) const;
    int current() const { return current_; }
    void setCurrent(int index);
    void itemsChanged();
    // Moves or chooses for the navigation keys; false for any other key.
    bool handleKey(const QKeyEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void choose(int index);
    void layoutItems() const;

    const QList<QAction *> &items_;
    int perColumn_;
    int current_ = -1;
    mutable bool laidOut_ = false;
    mutable QSize cell_;
};

} // namespace varno
