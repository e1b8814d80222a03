#include <QActionEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWidgetAction>
#include <editor/ColumnGrid.h>
#include <editor/ColumnMenu.h>

TColumnMenu::TColumnMenu(const QString &title, QWidget *parent) : QMenu(title, parent)
{
    grid_ = new varno::ColumnGrid(items_, ItemsPerColumn, this);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(grid_);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridAction_ = new QWidgetAction(this);
    gridAction_->setDefaultWidget(scroll_);
    addAction(gridAction_);
    connect(grid_, &varno::ColumnGrid::currentMovedByKey, this, &TColumnMenu::scrollTo);
    // The menu has been placed on its screen when it announces itself, and has
    // not been sized yet.
    connect(this, &QMenu::aboutToShow, this, &TColumnMenu::prepareOpening);
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

void TColumnMenu::setAvailableArea(AreaFunction area)
{
    area_ = std::move(area);
}

// The visible menu whose item opened this one, if any.
QMenu *TColumnMenu::parentMenu() const
{
    for (QObject *object : menuAction()->associatedObjects()) {
        auto *menu = qobject_cast<QMenu *>(object);
        if (menu && menu != this && menu->isVisible())
            return menu;
    }
    return nullptr;
}

void TColumnMenu::prepareOpening()
{
    populate();
    fitToScreen();
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
    const QPoint pointer = QCursor::pos();
    grid_->opened(pointer);
    // Opened by the pointer resting on its item in the parent menu, it waits to
    // be entered; opened from the keyboard or on its own, it has the keys.
    const QMenu *parent = parentMenu();
    entered_ =
        !parent || !parent->actionGeometry(menuAction()).contains(parent->mapFromGlobal(pointer));
}

// The grid keeps its columns of 32 and its size when it fits the area; what does
// not fit scrolls, with a scroll bar for the mouse.
void TColumnMenu::fitToScreen()
{
    const QSize full = grid_->sizeHint();
    grid_->resize(full);
    QRect area;
    if (area_)
        area = area_(*this);
    else if (const QScreen *s = screen())
        area = s->availableGeometry();
    const auto metric = [this](QStyle::PixelMetric m) {
        return style()->pixelMetric(m, nullptr, this);
    };
    const QMargins margins = contentsMargins();
    const int frame = metric(QStyle::PM_MenuPanelWidth) + metric(QStyle::PM_MenuDesktopFrameWidth);
    const QSize room = area.isEmpty()
                           ? full
                           : QSize(area.width() - 2 * (frame + metric(QStyle::PM_MenuHMargin)) -
                                       margins.left() - margins.right(),
                                   area.height() - 2 * (frame + metric(QStyle::PM_MenuVMargin)) -
                                       margins.top() - margins.bottom());
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    bool vertical = full.height() > room.height();
    bool horizontal = full.width() + (vertical ? bar : 0) > room.width();
    vertical = vertical || full.height() + (horizontal ? bar : 0) > room.height();
    horizontal = horizontal || full.width() + (vertical ? bar : 0) > room.width();
    scroll_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scroll_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                     : Qt::ScrollBarAlwaysOff);
    const QSize size(qMin(full.width() + (vertical ? bar : 0), room.width()),
                     qMin(full.height() + (horizontal ? bar : 0), room.height()));
    if (scroll_->size() == size && scroll_->minimumSize() == size)
        return;
    scroll_->setFixedSize(size);
    // The menu measures its widget item again only when told it changed.
    QActionEvent changed(QEvent::ActionChanged, gridAction_);
    QCoreApplication::sendEvent(this, &changed);
}

void TColumnMenu::scrollTo(int index)
{
    const QRect r = grid_->itemRect(index);
    scroll_->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 1, r.height() / 2 + 1);
}

// Keys reach the popup itself; the grid takes those it knows and leaves the rest
// (Escape, Left in the first column) to QMenu, which closes or goes back. Until
// a sub-menu opened by hovering is entered, the keys move in its parent.
void TColumnMenu::keyPressEvent(QKeyEvent *event)
{
    populate();
    if (!entered_ && grid_->pointerMoved())
        entered_ = true;
    QMenu *parent = parentMenu();
    if (!entered_ && parent) {
        switch (event->key()) {
        case Qt::Key_Right:
            entered_ = true;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            entered_ = true;
            return;
        case Qt::Key_Left:
        case Qt::Key_Escape:
            QMenu::keyPressEvent(event);
            return;
        default:
            QCoreApplication::sendEvent(parent, event);
            return;
        }
    }
    // With nothing highlighted, Left goes back as from the first column.
    if (event->key() == Qt::Key_Left && grid_->current() < 0 && parent) {
        QMenu::keyPressEvent(event);
        return;
    }
    if (!grid_->handleKey(event))
        QMenu::keyPressEvent(event);
}

void TColumnMenu::showEvent(QShowEvent *event)
{
    QMenu::showEvent(event);
    setActiveAction(gridAction_);
    grid_->setFocus(Qt::PopupFocusReason);
}
