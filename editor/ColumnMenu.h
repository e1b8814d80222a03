#pragma once

#include <QMenu>
#include <functional>

class QWidgetAction;

namespace varno {
class ColumnGrid;
}

// A menu that shows its items in columns of 32, a new column starting at item
// 32, 64, 96, ... whatever the screen height, which QMenu cannot do. The items
// are QActions carrying their tag as data(); choosing one triggers it and closes
// the whole menu chain. Mouse and keyboard reach every item: the arrows move
// through the grid, Enter or Space chooses, Escape and Left (in the first
// column) go back.
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

signals:
    // An item was chosen; tag is its data().
    void itemTriggered(int tag);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void populate() const;

    mutable Populator populator_;
    QList<QAction *> items_;
    QWidgetAction *gridAction_ = nullptr;
    varno::ColumnGrid *grid_ = nullptr;
};
