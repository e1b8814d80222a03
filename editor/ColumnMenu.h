#pragma once

#include <QMenu>
#include <functional>

class QScrollArea;
class QWidgetAction;

namespace varno {
class ColumnGrid;
}

// A menu that shows its items in columns of 32, a new column starting at item
// 32, 64, 96, ... whatever the screen height, which QMenu cannot do. The items
// are QActions carrying their tag as data(); choosing one triggers it and closes
// the whole menu chain. Mouse and keyboard reach every item: the arrows move
// through the grid, Enter or Space chooses, Escape and Left (in the first
// column) go back. Every opening starts with nothing highlighted. A grid larger
// than the screen area it opens on scrolls inside the menu.
class TColumnMenu : public QMenu
{
    Q_OBJECT

public:
    static constexpr int ItemsPerColumn = 32;

    explicit TColumnMenu(const QString &title = QString(), QWidget *parent = nullptr);
    ~TColumnMenu() override;

    QAction *addItem(const QString &text, const QIcon &icon, int tag);

    // Items may be added on first need instead: the populator runs once, before
    // the menu first shows or its items are first asked for. Menus of hundreds
    // of items then cost nothing until they are used.
    using Populator = std::function<void(TColumnMenu &)>;
    void setPopulator(Populator populator);
    bool isPopulated() const { return !populator_; }

    // The items in order (not QMenu::actions(), which holds the grid itself).
    const QList<QAction *> &items() const;
    int itemCount() const { return int(items().size()); }
    QAction *itemAt(int index) const { return items().at(index); }

    static int columnOf(int index) { return index / ItemsPerColumn; }
    int columnCount() const { return (itemCount() + ItemsPerColumn - 1) / ItemsPerColumn; }

    // The item that the keyboard would choose, -1 when none.
    int currentIndex() const;
    // Geometry of an item inside the grid widget, for tests and hit testing.
    QRect itemRect(int index) const;
    QWidget *grid() const;

    // The screen area the menu may fill; by default the available geometry of
    // the screen it opens on.
    using AreaFunction = std::function<QRect(const QMenu &)>;
    void setAvailableArea(AreaFunction area);
    // The scrolling frame around the grid.
    QScrollArea *scrollArea() const { return scroll_; }

signals:
    // An item was chosen; tag is its data().
    void itemTriggered(int tag);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void populate() const;
    void prepareOpening();
    void fitToScreen();
    QMenu *parentMenu() const;
    void scrollTo(int index);

    mutable Populator populator_;
    QList<QAction *> items_;
    QWidgetAction *gridAction_ = nullptr;
    varno::ColumnGrid *grid_ = nullptr;
    QScrollArea *scroll_ = nullptr;
    AreaFunction area_;
    // False while a sub-menu opened by hovering has not been entered: the keys
    // then still move in the parent menu.
    bool entered_ = true;
};
