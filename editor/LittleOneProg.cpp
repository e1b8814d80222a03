#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <captions/ScheduleSummary.h>
#include <editor/KeyControl.h>
#include <editor/LittleOneProg.h>
#include <model/ProjectClasses.h>
#include <resources/Pictures.h>
#include <utility>

namespace {

const QColor kSelected(179, 179, 179);
const QColor kUnselected(212, 208, 200);
const QColor kSilver(192, 192, 192);

// label->adjustSize(), with each text measured once: a project opens with its
// rows' summaries laid out together, and many of them read alike ("...").
void fitToText(QLabel *label)
{
    // Never destroyed: a font must not be destroyed after the application.
    static auto *const measuredIn = new QFont;
    static int measuredAt = 0;                            // dots per inch
    static auto *const sizes = new QHash<QString, QSize>; // by text, in that font
    if (label->font() != *measuredIn || label->logicalDpiY() != measuredAt ||
        sizes->size() >= 4096) { // a few projects' worth
        *measuredIn = label->font();
        measuredAt = label->logicalDpiY();
        sizes->clear();
    }
    if (const auto known = sizes->constFind(label->text()); known != sizes->cend())
        return label->resize(*known);
    label->adjustSize();
    sizes->insert(label->text(), label->size());
}

} // namespace

TFrame1::TFrame1(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    setFixedSize(PanelWidth, PanelHeight);
    setFont(panelFont());

    // Panel1 paints the background; clicks on it reach the frame's handlers.
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, PanelWidth, PanelHeight);
    Panel1->setAutoFillBackground(true);
    Panel1->setAttribute(Qt::WA_TransparentForMouseEvents);
    setSelected(false);

    Shape8 = new TShape(this, QStringLiteral("Shape8"), TShape::Rounded);
    Shape8->setGeometry(6, 6, 38, 22);
    Shape8->setAttribute(Qt::WA_NoMousePropagation); // reacts to nothing
    StaticText6 = new TStaticText(this, QStringLiteral("StaticText6"), kSilver);
    StaticText6->setGeometry(8, 8, 33, 17);
    StaticText6->setAlignment(Qt::AlignCenter);
    StaticText1 = new TStaticText(this, QStringLiteral("StaticText1"), kSilver);
    StaticText1->setGeometry(48, 8, 553, 17);
    Image32 = new TImage(this, QStringLiteral("Image32"));
    Image32->setGeometry(604, 0, 32, 32);
    Image32->setPicture(
        pictures::pixmap(pictures::PanelIcon::CompactTimer, qApp ? qApp->devicePixelRatio() : 1.0));
    Image32->setAttribute(Qt::WA_NoMousePropagation);
    Image32->hide();
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(640, 11);
    Label1->setAttribute(Qt::WA_NoMousePropagation);
    SpeedButton2 = new TSpeedButton(this, QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(822, 8, 27, 17);
    SpeedButton2->setToolButtonStyle(Qt::ToolButtonIconOnly);
    SpeedButton2->setIconSize(pictures::logicalSize(pictures::FoldGlyph::Expand));
    SpeedButton2->setIcon(pictures::foldIcon(pictures::FoldGlyph::Expand));

    for (TStaticText *label : {StaticText6, StaticText1}) {
        connect(label, &TStaticText::clicked, this, &TFrame1::clicked);
        connect(label, &TStaticText::doubleClicked, this, &TFrame1::doubleClicked);
    }
    varno::keys::makeKeyControl(this); // the focus mark; the keys are handled below
    setFocusPolicy(Qt::StrongFocus);   // a click selects the row, so it takes the focus too
}

void TFrame1::setSelected(bool selected)
{
    selected_ = selected;
    QPalette p = Panel1->palette();
    p.setColor(QPalette::Window, selected ? kSelected : kUnselected);
    Panel1->setPalette(p);
}

void TFrame1::ShowLittleProg()
{
    if (!Prog)
        return;
    StaticText6->setText(QStringLiteral("%1").arg(Prog->NumOfProg, 3, 10, QLatin1Char('0')));
    StaticText1->setText(Prog->Title);
    Shape8->setBrush(colorFromRecord(Prog->Color));
    Image32->setVisible(Prog->TimerOn == 1);
    Label1->setText(ScheduleSummary(*Prog, Language));
    fitToText(Label1);
    setAccessibleName(StaticText6->text() + QLatin1Char(' ') + StaticText1->text());
    setAccessibleDescription(Label1->text());
}

void TFrame1::mouseReleaseEvent(QMouseEvent *event)
{
    if (clicks_.isClick(event, rect()))
        emit clicked();
}

void TFrame1::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (clicks_.isDoubleClick(event))
        emit doubleClicked();
}

void TFrame1::keyPressEvent(QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QFrame::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit openRequested();
        break;
    case Qt::Key_Space:
        emit clicked();
        break;
    case Qt::Key_Up:
        emit stepRequested(-1);
        break;
    case Qt::Key_Down:
        emit stepRequested(1);
        break;
    default:
        QFrame::keyPressEvent(event);
    }
}
