#include <QKeyEvent>
#include <QWidgetAction>
#include <editor/ColumnGrid.h>
#include <editor/ColumnMenu.h>

TColumnMenu::TColumnMenu(const QString &title, QWidget *parent) : QMenu(title, parent)
{
    grid_ = new varno::ColumnGrid(items_, ItemsPerColumn, this);
    gridAction_ = new QWidgetAction(this);
    gridAction_->setDefaultWidget(grid_);
    addAction(gridAction_);
    connect(this, &QMenu::aboutToShow, this, [this] { populate(); });
}

void TColumnMenu::setPopulator(Populator populator)
{
    populator_ = std::move(populator);
}

void TColumnMenu::populate() const
{
    if (!populator_)
        return;
    const Populator run = std::move(populator_);
    populator_ = nullptr;
    run(const_cast<TColumnMenu &>(*this));
}

const QList<QAction *> &TColumnMenu::items() const
{
    populate();
    return items_;
}

TColumnMenu::~TColumnMenu() = default;

QAction *TColumnMenu::addItem(const QString &text, const QIcon &icon, int tag)
{
    auto *action = new QAction(icon, text, this);
    action->setData(tag);
    connect(action, &QAction::changed, grid_, &varno::ColumnGrid::itemsChanged);
    connect(action, &QAction::triggered, this, [this, tag] { emit itemTriggered(tag); });
    items_.append(action);
    grid_->itemsChanged();
    return action;
}

int TColumnMenu::currentIndex() const
{
    populate();
    return grid_->current();
}

QRect TColumnMenu::itemRect(int index) const
{
    populate();
    return grid_->itemRect(index);
}

QWidget *TColumnMenu::grid() const
{
    return grid_;
}

// Keys reach the popup itself; the grid takes those it knows and leaves the rest
// (Escape, Left in the first column) to QMenu, which closes or goes back.
void TColumnMenu::keyPressEvent(QKeyEvent *event)
{
    if (!grid_->handleKey(event))
        QMenu::keyPressEvent(event);
}

void TColumnMenu::showEvent(QShowEvent *event)
{
    QMenu::showEvent(event);
    setActiveAction(gridAction_);
    grid_->setFocus(Qt::PopupFocusReason);
    if (grid_->current() < 0 && !items_.isEmpty())
        grid_->setCurrent(0);
}
