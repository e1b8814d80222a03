#include <QAccessible>
#include <QAccessibleWidget>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QWidget>
#include <editor/KeyControl.h>

namespace varno::keys {
namespace {

bool byKey = false;

const char *const kRole = "varnoStateRole";
const char *const kChecked = "varnoChecked";

// A frame over the control while it has the focus; it lets the mouse through.
class FocusMark : public QWidget
{
public:
    explicit FocusMark(QWidget *control) : QWidget(control)
    {
        setObjectName(QStringLiteral("FocusMark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

class KeyControl : public QObject
{
public:
    KeyControl(QWidget *control, std::function<void()> activate)
        : QObject(control), control_(control), mark_(new FocusMark(control)),
          activate_(std::move(activate))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != control_)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto *key = static_cast<const QKeyEvent *>(event);
            const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (!activate_ || !plain ||
                (key->key() != Qt::Key_Space && key->key() != Qt::Key_Return &&
                 key->key() != Qt::Key_Enter))
                return false;
            const QScopedValueRollback guard(byKey, true);
            activate_();
            return true;
        }
        case QEvent::FocusIn:
            mark_->setGeometry(control_->rect());
            mark_->raise();
            mark_->show();
            break;
        case QEvent::FocusOut:
            mark_->hide();
            break;
        case QEvent::Resize:
            mark_->setGeometry(control_->rect());
            break;
        default:
            break;
        }
        return false;
    }

public:
    void activate()
    {
        if (activate_)
            activate_();
    }

private:
    QWidget *control_;
    FocusMark *mark_;
    std::function<void()> activate_;
};

// A state picture as assistive technology sees it.
class StateAccessible : public QAccessibleWidget
{
public:
    StateAccessible(QWidget *control, QAccessible::Role role) : QAccessibleWidget(control, role) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = widget()->property(kChecked).toBool();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name != pressAction())
            return;
        for (QObject *child : widget()->children()) {
            if (auto *keys = dynamic_cast<KeyControl *>(child))
                return keys->activate();
        }
    }
};

QAccessibleInterface *stateFactory(const QString &, QObject *object)
{
    // Asked of every widget that shows: most have no dynamic property at all,
    // and looking a name up among the declared ones first costs far more.
    if (!object || !object->dynamicPropertyNames().contains(kRole))
        return nullptr;
    auto *control = qobject_cast<QWidget *>(object);
    if (!control)
        return nullptr;
    const QVariant role = control->property(kRole);
    if (!role.isValid())
        return nullptr;
    return new StateAccessible(control, role.toInt() == int(StateRole::Flag)
                                            ? QAccessible::CheckBox
                                            : QAccessible::RadioButton);
}

} // namespace

void makeKeyControl(QWidget *control, std::function<void()> activate)
{
    control->setFocusPolicy(Qt::TabFocus);
    new KeyControl(control, std::move(activate));
}

void makeStateControl(QWidget *control, StateRole role)
{
    static const bool installed = [] {
        QAccessible::installFactory(stateFactory);
        return true;
    }();
    Q_UNUSED(installed);
    control->setProperty(kRole, int(role));
}

void setChecked(QWidget *control, bool checked)
{
    if (control->property(kChecked).toBool() == checked)
        return;
    control->setProperty(kChecked, checked);
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

bool activatedByKey()
{
    return byKey;
}

QPoint menuPoint(const QWidget *control)
{
    return byKey ? control->mapToGlobal(QPoint(0, control->height())) : QCursor::pos();
}

void describe(QWidget *control, const QString &name)
{
    control->setAccessibleName(name);
    control->setToolTip(name);
}

QString nameOf(const QString &caption)
{
    QString name = caption.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

} // namespace varno::keys
