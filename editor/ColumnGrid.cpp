#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <algorithm>
#include <editor/ColumnGrid.h>
#include <utility>

namespace varno {

ColumnGrid::ColumnGrid(const QList<QAction *> &items, int perColumn, QWidget *menu)
    : QWidget(menu), items_(items), perColumn_(perColumn), menu_(menu)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoMousePropagation);
}

void ColumnGrid::itemsChanged()
{
    laidOut_ = false;
    updateGeometry();
    update();
}

// Every cell has the size of the widest item, as menu columns do.
void ColumnGrid::layoutItems() const
{
    if (laidOut_)
        return;
    const QWidget *styled = menu_ ? menu_ : this;
    QSize cell(0, 0);
    for (QAction *action : items_) {
        QStyleOptionMenuItem option;
        option.initFrom(styled);
        option.text = action->text();
        option.icon = action->icon();
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.maxIconWidth =
            styled->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, styled);
        option.reservedShortcutWidth = 0;
        const QSize content(fontMetrics().horizontalAdvance(action->text()),
                            fontMetrics().height());
        cell = cell.expandedTo(
            styled->style()->sizeFromContents(QStyle::CT_MenuItem, &option, content, styled));
    }
    // The style's menu item keeps room for a shortcut and a sub-menu arrow that
    // these items never have; without it eight columns fit a small screen.
    int widest = 0;
    for (QAction *action : items_)
        widest = qMax(widest, fontMetrics().horizontalAdvance(action->text()));
    const int iconWidth = styled->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, styled);
    cell.setWidth(qMin(cell.width(), widest + iconWidth + 44));
    cell_ = cell;
    laidOut_ = true;
}

QSize ColumnGrid::sizeHint() const
{
    layoutItems();
    const int count = int(items_.size());
    const int columns = (count + perColumn_ - 1) / perColumn_;
    const int rows = qMin(count, perColumn_);
    return QSize(columns * cell_.width(), rows * cell_.height());
}

QRect ColumnGrid::itemRect(int index) const
{
    layoutItems();
    return QRect((index / perColumn_) * cell_.width(), (index % perColumn_) * cell_.height(),
                 cell_.width(), cell_.height());
}

int ColumnGrid::indexAt(const QPoint &pos) const
{
    layoutItems();
    if (pos.x() < 0 || pos.y() < 0 || cell_.isEmpty())
        return -1;
    const int column = pos.x() / cell_.width();
    const int row = pos.y() / cell_.height();
    if (row >= perColumn_)
        return -1;
    const int index = column * perColumn_ + row;
    return index < items_.size() ? index : -1;
}

void ColumnGrid::setCurrent(int index)
{
    if (index == current_)
        return;
    const int previous = current_;
    current_ = index;
    if (previous >= 0)
        update(itemRect(previous));
    if (current_ >= 0) {
        update(itemRect(current_));
        items_.at(current_)->hover();
    }
}

void ColumnGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QWidget *styled = menu_ ? menu_ : this;
    const int iconWidth = styled->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, styled);
    for (int i = 0; i < items_.size(); ++i) {
        const QRect rect = itemRect(i);
        if (!rect.intersects(event->rect()))
            continue;
        QAction *action = items_.at(i);
        QStyleOptionMenuItem option;
        option.initFrom(styled);
        option.rect = rect;
        option.text = action->text();
        option.icon = action->icon();
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.checkType = QStyleOptionMenuItem::NotCheckable;
        option.maxIconWidth = iconWidth;
        option.reservedShortcutWidth = 0;
        option.state = QStyle::State_None;
        if (action->isEnabled())
            option.state |= QStyle::State_Enabled;
        else
            option.palette.setCurrentColorGroup(QPalette::Disabled);
        if (i == current_ && action->isEnabled())
            option.state |= QStyle::State_Selected;
        styled->style()->drawControl(QStyle::CE_MenuItem, &option, &painter, styled);
    }
}

void ColumnGrid::opened(const QPoint &pointer)
{
    origin_ = pointer;
    moved_ = false;
    pressedOnItem_ = false;
    pressesSinceOpened_ = 0;
    setCurrent(-1);
}

void ColumnGrid::notePointer(const QPoint &global)
{
    if (!moved_ && (global - origin_).manhattanLength() >= QApplication::startDragDistance())
        moved_ = true;
}

// A menu opened under a still pointer highlights nothing until the pointer moves,
// as a menu does.
void ColumnGrid::mouseMoveEvent(QMouseEvent *event)
{
    notePointer(event->globalPosition().toPoint());
    if (moved_)
        setCurrent(indexAt(event->position().toPoint()));
}

void ColumnGrid::leaveEvent(QEvent *)
{
    if (moved_)
        setCurrent(-1);
}

void ColumnGrid::mousePressEvent(QMouseEvent *event)
{
    notePointer(event->globalPosition().toPoint());
    ++pressesSinceOpened_;
    pressedOnItem_ = indexAt(event->position().toPoint()) >= 0;
    event->accept();
}

// A double click whose first press did not land here began before the menu
// opened (on the button that opened it): its second press chooses nothing.
void ColumnGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    notePointer(event->globalPosition().toPoint());
    if (pressesSinceOpened_ <= 1)
        pressedOnItem_ = false;
    event->accept();
}

// A release chooses only after a real press on the grid or a real move over it:
// the release that ends the double click which opened the menu chooses nothing.
void ColumnGrid::mouseReleaseEvent(QMouseEvent *event)
{
    notePointer(event->globalPosition().toPoint());
    const bool real = std::exchange(pressedOnItem_, false) || moved_;
    if (real)
        choose(indexAt(event->position().toPoint()));
}

// The grid keeps mouse events from its menu; the wheel goes to the scrolling
// frame around it, when there is one.
void ColumnGrid::wheelEvent(QWheelEvent *event)
{
    QWidget *frame = parentWidget();
    if (frame && frame != menu_)
        QCoreApplication::sendEvent(frame, event);
    else
        event->ignore();
}

// Keys go to the menu, which gives the navigation keys back to handleKey and
// keeps the others (Escape, Left in the first column) for itself.
void ColumnGrid::keyPressEvent(QKeyEvent *event)
{
    if (menu_)
        QCoreApplication::sendEvent(menu_, event);
    else if (!handleKey(event))
        event->ignore();
}

bool ColumnGrid::handleKey(const QKeyEvent *event)
{
    const int count = int(items_.size());
    if (count == 0)
        return false;
    const int key = event->key();
    const bool arrow =
        key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Left;
    const int at = qMax(current_, 0);
    int next = at;
    if (current_ < 0 && arrow) {
        next = 0; // with nothing highlighted the first move goes to the first item
    } else {
        switch (key) {
        case Qt::Key_Down:
            next = (at % perColumn_ == perColumn_ - 1 || at + 1 >= count) ? at - at % perColumn_
                                                                          : at + 1;
            break;
        case Qt::Key_Up:
            next = at % perColumn_ == 0 ? qMin(at + perColumn_ - 1, count - 1) : at - 1;
            break;
        case Qt::Key_Right:
            if (at + perColumn_ < count)
                next = at + perColumn_;
            else if ((at / perColumn_ + 1) * perColumn_ < count)
                next = count - 1; // the last column is shorter
            break;
        case Qt::Key_Left:
            if (at < perColumn_)
                return false; // the menu goes back to its parent
            next = at - perColumn_;
            break;
        case Qt::Key_Home:
            next = 0;
            break;
        case Qt::Key_End:
            next = count - 1;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            choose(current_);
            return true;
        default:
            return typeAhead(event->text());
        }
    }
    setCurrent(next);
    emit currentMovedByKey(next);
    return true;
}

bool ColumnGrid::typeAhead(const QString &typed)
{
    if (typed.size() != 1 || !typed.at(0).isPrint() || typed.at(0).isSpace())
        return false;
    if (!typedAt_.isValid() || typedAt_.elapsed() > QApplication::keyboardInputInterval())
        typed_.clear();
    typedAt_.start();
    // What was typed before and this key, else this key alone starts again.
    int found = find(typed_ + typed);
    if (found >= 0) {
        typed_ += typed;
    } else {
        typed_ = typed;
        found = find(typed_);
    }
    if (found >= 0) {
        setCurrent(found);
        emit currentMovedByKey(found);
    }
    return true;
}

int ColumnGrid::find(const QString &typed) const
{
    const bool digits =
        std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isDigit(); });
    const int number = digits ? typed.toInt() : -1;
    for (int i = 0; i < items_.size(); ++i) {
        const QString text = items_.at(i)->text();
        if (!digits) {
            if (text.startsWith(typed, Qt::CaseInsensitive))
                return i;
            continue;
        }
        // The item's number is its first run of digits.
        const auto first =
            std::find_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
        const auto end = std::find_if(first, text.end(), [](QChar c) { return !c.isDigit(); });
        if (first != end && QStringView(first, end).toInt() == number)
            return i;
    }
    return -1;
}

// Like a QMenu item: the choice closes every open menu, then the action fires.
void ColumnGrid::choose(int index)
{
    if (index < 0 || index >= items_.size() || !items_.at(index)->isEnabled())
        return;
    QAction *action = items_.at(index);
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    if (menu_)
        menu_->close();
    action->trigger();
}

} // namespace varno
