#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <captions/ActionCaption.h>
#include <editor/ActionRules.h>
#include <editor/ColumnMenu.h>
#include <editor/KeyControl.h>
#include <editor/OneProg.h>
#include <model/HeldProject.h>
#include <model/ProjectClasses.h>
#include <resources/Pictures.h>
#include <text/text.h>

namespace {

const QColor kBody(179, 179, 179);
const QColor kBox(212, 208, 200);
const QColor kSilver(192, 192, 192);
const char *const kFitWhenShown = "varnoFitWhenShown";

// Palettes rather than style sheets: a style sheet costs a style of its own.
void setBase(QWidget *editor, const QColor &color)
{
    QPalette p = editor->palette();
    p.setColor(QPalette::Base, color);
    editor->setPalette(p);
}

qreal ratio()
{
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

QIcon glyph(int index)
{
    return index < 0 ? QIcon() : pictures::listIcon(index);
}

} // namespace

TFrame2::TFrame2(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame2"));
    setFixedSize(PanelWidth, PanelHeight);
    setFont(panelFont());
    buildControls();
    wireHandlers();
    buildKeyboard();
    ClearActions();
}

TFrame2::~TFrame2() = default;

QLabel *TFrame2::caption(const QString &name, int x, int y, int w, int h)
{
    auto *label = new QLabel(Panel1);
    label->setObjectName(name);
    if (w > 0)
        label->setGeometry(x, y, w, h);
    else
        label->move(x, y);
    return label;
}

QLabel *TFrame2::bar(const QString &name, int x, int y, int w, int h, const QColor &color)
{
    QLabel *label = caption(name, x, y, w, h);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, color);
    label->setPalette(p);
    return label;
}

void TFrame2::iconPicture(const QString &name, int x, int y, pictures::PanelIcon icon)
{
    TImage *image = picture(name, x, y);
    icons_.push_back({image, icon});
}

// The pictures are drawn when the panel is first needed, not when it is built:
// the panel is built hidden at start-up.
void TFrame2::loadPictures()
{
    if (picturesLoaded_)
        return;
    picturesLoaded_ = true;
    const qreal r = ratio();
    Image20->setPicture(pictures::pixmap(pictures::StatePicture::Selected, r));
    Image21->setPicture(pictures::pixmap(pictures::StatePicture::NotSelected, r));
    Image22->setPicture(pictures::pixmap(pictures::StatePicture::InputBit0, r));
    Image23->setPicture(pictures::pixmap(pictures::StatePicture::InputBit1, r));
    Image33->setPicture(pictures::pixmap(pictures::StatePicture::On, r));
    for (const auto &[image, icon] : icons_)
        image->setPicture(pictures::pixmap(icon, r));
}

void TFrame2::showEvent(QShowEvent *event)
{
    // The bits' captions are sized to their text when the panel first shows:
    // their bold font is loaded then, not at start-up, where the panel is hidden.
    for (QLabel *label : Panel1->findChildren<QLabel *>()) {
        if (label->property(kFitWhenShown).toBool()) {
            label->adjustSize();
            label->setProperty(kFitWhenShown, QVariant());
        }
    }
    loadPictures();
    QFrame::showEvent(event);
}

TImage *TFrame2::picture(const QString &name, int x, int y)
{
    auto *image = new TImage(Panel1, name);
    image->setGeometry(x, y, 32, 32);
    return image;
}

void TFrame2::buildControls()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, PanelWidth, PanelHeight);
    Panel1->setAutoFillBackground(true);
    QPalette body = Panel1->palette();
    body.setColor(QPalette::Window, kBody);
    Panel1->setPalette(body);

    Shape8 = new TShape(Panel1, QStringLiteral("Shape8"));
    Shape8->setGeometry(6, 6, 38, 316);
    StaticText6 = new TStaticText(Panel1, QStringLiteral("StaticText6"), kSilver);
    StaticText6->setGeometry(8, 8, 33, 17);
    StaticText6->setAlignment(Qt::AlignCenter);
    StaticText1 = new TStaticText(Panel1, QStringLiteral("StaticText1"), kSilver);
    StaticText1->setGeometry(48, 8, 553, 17);
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(48, 8, 553, 17);
    Edit1->setFrame(false);
    setBase(Edit1, Qt::white);
    Edit1->hide();
    SpeedButton2 = new TSpeedButton(Panel1, QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(822, 8, 27, 17);
    SpeedButton2->setToolButtonStyle(Qt::ToolButtonIconOnly);
    SpeedButton2->setIconSize(pictures::logicalSize(pictures::FoldGlyph::Reduce));
    SpeedButton2->setIcon(pictures::foldIcon(pictures::FoldGlyph::Reduce));

    // Hidden holders of the five state pictures; the visible pictures share them.
    Image20 = picture(QStringLiteral("Image20"), 0, 0);
    Image21 = picture(QStringLiteral("Image21"), 0, 0);
    Image22 = picture(QStringLiteral("Image22"), 0, 0);
    Image23 = picture(QStringLiteral("Image23"), 0, 0);
    Image33 = picture(QStringLiteral("Image33"), 0, 0);
    for (TImage *holder : {Image20, Image21, Image22, Image23, Image33})
        holder->hide();

    // Left column: activate, priority, comment, inputs.
    const auto box = [this](const QString &name, int x, int y, int w, int h) {
        auto *shape = new TShape(Panel1, name);
        shape->setGeometry(x, y, w, h);
        shape->setFrameColor(kBox);
        return shape;
    };
    box(QStringLiteral("Shape3"), 49, 32, 208, 33);
    Label23 = bar(QStringLiteral("Label23"), 49, 50, 208, 15, kBox);
    Image35 = picture(QStringLiteral("Image35"), 50, 33);
    box(QStringLiteral("Shape11"), 49, 75, 208, 33);
    Label21 = bar(QStringLiteral("Label21"), 49, 93, 208, 15, kBox);
    Image19 = picture(QStringLiteral("Image19"), 50, 76);

    box(QStringLiteral("Shape1"), 49, 118, 208, 91);
    Label3 = bar(QStringLiteral("Label3"), 49, 137, 208, 15, kBox);
    iconPicture(QStringLiteral("Image3"), 51, 120, pictures::PanelIcon::CommentBox);
    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(51, 153, 204, 54);
    Memo1->setReadOnly(true);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFrameShape(QFrame::NoFrame);
    setBase(Memo1, kSilver);
    Memo1->viewport()->installEventFilter(this);
    Memo2 = new QPlainTextEdit(Panel1);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setGeometry(51, 153, 204, 54);
    Memo2->setFrameShape(QFrame::NoFrame);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBase(Memo2, Qt::white);
    Memo2->hide();

    box(QStringLiteral("Shape2"), 49, 217, 208, 104);
    Label5 = bar(QStringLiteral("Label5"), 49, 236, 208, 15, kBox);
    iconPicture(QStringLiteral("Image4"), 51, 219, pictures::PanelIcon::InputsBox);
    static const char *upper[] = {" 8 ", " 7 ", " 6 ", " 5 ", " 4 ", " 3 ", " 2 ", " 1 "};
    static const char *lower[] = {" 128 ", " 64 ", " 32", " 16 ", " 8 ", " 4 ", " 2 ", " 1 "};
    static const char *upperNames[] = {"Label22", "Label24", "Label25", "Label26",
                                       "Label27", "Label28", "Label29", "Label30"};
    QFont bitFont(QStringLiteral("Arial"), 8, QFont::Bold);
    for (int i = 0; i < 8; ++i) {
        const int x = 53 + 24 * i;
        InputBits[std::size_t(i)] = picture(QStringLiteral("Image%1").arg(24 + i), x, 269);
        QLabel *up = caption(QString::fromLatin1(upperNames[i]), x, 257);
        QLabel *down = caption(QStringLiteral("Label%1").arg(31 + i), x, 301);
        for (auto [label, textOf] : {std::pair{up, upper[i]}, std::pair{down, lower[i]}}) {
            label->setText(QString::fromLatin1(textOf));
            label->setFont(bitFont);
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText, kBox);
            label->setPalette(p); // no background of its own: the box shows through
            label->setProperty(kFitWhenShown, true);
        }
    }

    buildTimerBox();
    buildActionsBox();
}

void TFrame2::buildTimerBox()
{
    auto *outline = new TShape(Panel1, QStringLiteral("Shape9"));
    outline->setGeometry(266, 32, 271, 289);
    outline->setFrameColor(kBox);
    Label1 = bar(QStringLiteral("Label1"), 267, 50, 270, 15, kBox);
    iconPicture(QStringLiteral("Image1"), 268, 34, pictures::PanelIcon::TimerHeader);

    bar(QStringLiteral("Label8"), 275, 99, 254, 15, kSilver);
    Image5 = picture(QStringLiteral("Image5"), 275, 83);
    Label4 = caption(QStringLiteral("Label4"), 308, 99);

    bar(QStringLiteral("Label7"), 275, 155, 254, 15, kSilver);
    iconPicture(QStringLiteral("Image6"), 275, 138, pictures::PanelIcon::ClockRow);
    Label17 = caption(QStringLiteral("Label17"), 312, 155);
    DateTimePicker2 = new QTimeEdit(Panel1);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setGeometry(454, 147, 67, 21);
    DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm"));

    bar(QStringLiteral("Label6"), 275, 211, 254, 15, kSilver);
    iconPicture(QStringLiteral("Image7"), 275, 194, pictures::PanelIcon::DateRow);
    Image16 = picture(QStringLiteral("Image16"), 312, 194);
    Label18 = caption(QStringLiteral("Label18"), 352, 211);
    DateTimePicker1 = new QDateEdit(Panel1);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setGeometry(432, 203, 89, 21);
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));

    bar(QStringLiteral("Label10"), 275, 251, 254, 15, kSilver);
    iconPicture(QStringLiteral("Image8"), 275, 234, pictures::PanelIcon::EveryDayRow);
    Image17 = picture(QStringLiteral("Image17"), 312, 234);
    Label19 = caption(QStringLiteral("Label19"), 352, 251);

    bar(QStringLiteral("Label9"), 275, 291, 254, 15, kSilver);
    iconPicture(QStringLiteral("Image9"), 275, 274, pictures::PanelIcon::EveryWeekRow);
    Image18 = picture(QStringLiteral("Image18"), 312, 274);
    Label20 = caption(QStringLiteral("Label20"), 352, 291);
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(400, 283, 121, 21);
}

void TFrame2::buildActionsBox()
{
    auto *outline = new TShape(Panel1, QStringLiteral("Shape10"));
    outline->setGeometry(545, 32, 304, 289);
    outline->setFrameColor(kBox);
    Label2 = bar(QStringLiteral("Label2"), 546, 50, 303, 15, kBox);
    iconPicture(QStringLiteral("Image2"), 547, 34, pictures::PanelIcon::ActionsHeader);
    for (int k = 1; k <= 6; ++k) {
        bar(QStringLiteral("Label%1").arg(10 + k), 552, 51 + 40 * k, 289, 15, kSilver);
        iconPicture(QStringLiteral("Image%1").arg(9 + k), 552, 34 + 40 * k,
                    pictures::PanelIcon::ActionRow);
        auto *action = new TSpeedButton(Panel1, QStringLiteral("SpeedButton%1").arg(2 + k), k);
        action->setGeometry(597, 40 + 40 * k, 145, 22);
        auto *value = new TSpeedButton(Panel1, QStringLiteral("SpeedButton%1").arg(8 + k), k);
        value->setGeometry(749, 40 + 40 * k, 81, 22);
        ActionButtons[std::size_t(k - 1)] = action;
        ValueButtons[std::size_t(k - 1)] = value;
    }
}

bool TFrame2::titleEditorOpen() const
{
    return Edit1->isVisible() || !Edit1->isHidden();
}

bool TFrame2::commentEditorOpen() const
{
    return !Memo2->isHidden();
}

void TFrame2::ClearActions()
{
    for (std::size_t i = 0; i < ActionButtons.size(); ++i) {
        TSpeedButton *action = ActionButtons[i];
        if (i == 0) {
            action->setText(text::Text(text::ActionTexts::DirectorySong, Language));
            action->setGlyph(pictures::list::Directory, glyph(pictures::list::Directory));
            action->show();
            roles_[i] = ButtonRole::EmptyState;
        } else {
            action->setText(text::Text(text::ActionTexts::NoAction, Language));
            action->setGlyph(pictures::list::Blank, glyph(pictures::list::Blank));
            action->hide();
            roles_[i] = ButtonRole::Hidden;
        }
        ValueButtons[i]->setText(QStringLiteral("..."));
        ValueButtons[i]->hide();
    }
}

void TFrame2::ShowAction(TSpeedButton *actionButton, TSpeedButton *valueButton, int slot)
{
    const auto i = std::size_t(slot - 1);
    const varno::actions::ActionCaption c = varno::actions::CaptionOf(
        Prog->ActionKind[i], Prog->ActionNumber[i], Prog->ActionValue[i], Language);
    actionButton->setText(c.text);
    actionButton->setGlyph(c.glyph, glyph(c.glyph));
    actionButton->show();
    roles_[i] = ButtonRole::Action;
    if (c.hasValue) {
        valueButton->setText(c.valueText);
        valueButton->setGlyph(c.valueGlyph, glyph(c.valueGlyph));
        valueButton->show();
    }
}

void TFrame2::OfferNextAction(TSpeedButton *nextButton, quint8 kindBefore)
{
    if (varno::actions::EndsActionList(kindBefore))
        return;
    nextButton->setText(text::Text(text::ActionTexts::NoAction, Language));
    nextButton->setGlyph(pictures::list::Blank, glyph(pictures::list::Blank));
    nextButton->show();
    roles_[std::size_t(nextButton->tag() - 1)] = ButtonRole::Offered;
}

void TFrame2::ShowInputs()
{
    // The leftmost picture shows bit 7 (input 8), the rightmost bit 0 (input 1).
    for (int column = 0; column < 8; ++column) {
        const bool set = (Prog->NumOfProg >> (7 - column)) & 1;
        InputBits[std::size_t(column)]->setPicture((set ? Image23 : Image22)->pixmap());
    }
}

void TFrame2::ShowProg()
{
    if (!Prog)
        return;
    loadPictures();
    TVARNOProg &p = *Prog;
    StaticText6->setText(QStringLiteral("%1").arg(p.NumOfProg, 3, 10, QLatin1Char('0')));
    StaticText1->setText(p.Title);
    Shape8->setBrush(colorFromRecord(p.Color));
    for (TImage *bit : InputBits)
        bit->setPicture(Image22->pixmap());
    Memo1->setPlainText(p.Comment.join(QLatin1Char('\n')));

    varno::actions::NormalizeActions(p);

    Image19->setPicture((p.Prioritary == 1 ? Image20 : Image21)->pixmap());
    Image5->setPicture((p.TimerOn == 1 ? Image33 : Image21)->pixmap());
    Image35->setPicture((p.Active == 1 ? Image33 : Image21)->pixmap());

    for (TImage *choice : {Image16, Image17, Image18})
        choice->setPicture(Image21->pixmap());
    TImage *chosen = p.DateMode == 1 ? Image17 : p.DateMode == 2 ? Image18 : Image16;
    chosen->setPicture(Image20->pixmap());
    for (auto [picture, on] :
         {std::pair{Image35, p.Active == 1}, std::pair{Image19, p.Prioritary == 1},
          std::pair{Image5, p.TimerOn == 1}, std::pair{Image16, chosen == Image16},
          std::pair{Image17, chosen == Image17}, std::pair{Image18, chosen == Image18}})
        varno::keys::setChecked(picture, on);

    {
        // Setting the controls from the record must not write the record back.
        const QSignalBlocker timeBlocker(DateTimePicker2);
        const QSignalBlocker dateBlocker(DateTimePicker1);
        const QSignalBlocker dayBlocker(ComboBox2);
        DateTimePicker2->setTime(varno::datetime::TimePart(p.Clock));
        DateTimePicker1->setDate(varno::datetime::DatePart(p.Date));
        ComboBox2->setCurrentIndex(p.WeekDay >= 1 && p.WeekDay <= 7 ? p.WeekDay - 1 : -1);
    }

    ClearActions();
    // Slots 1..5 show when the count reaches them, each offering the next; slot
    // 6 shows only for a count of exactly 6.
    for (int slot = 1; slot < TVARNOProg::ActionSlots && p.ActionCount >= slot; ++slot) {
        ShowAction(ActionButtons[std::size_t(slot - 1)], ValueButtons[std::size_t(slot - 1)], slot);
        OfferNextAction(ActionButtons[std::size_t(slot)], p.ActionKind[std::size_t(slot - 1)]);
    }
    if (p.ActionCount == TVARNOProg::ActionSlots)
        ShowAction(ActionButtons[5], ValueButtons[5], TVARNOProg::ActionSlots);
    ShowInputs();
    Modified = true;
}

void TFrame2::TranslateActions()
{
    for (std::size_t i = 0; i < ActionButtons.size(); ++i) {
        switch (roles_[i]) {
        case ButtonRole::Hidden:
            break;
        case ButtonRole::EmptyState:
            ActionButtons[i]->setText(text::Text(text::ActionTexts::DirectorySong, Language));
            break;
        case ButtonRole::Offered:
            ActionButtons[i]->setText(text::Text(text::ActionTexts::NoAction, Language));
            break;
        case ButtonRole::Action: {
            if (!Prog)
                break;
            const varno::actions::ActionCaption c = varno::actions::CaptionOf(
                Prog->ActionKind[i], Prog->ActionNumber[i], Prog->ActionValue[i], Language);
            ActionButtons[i]->setText(c.text);
            if (c.hasValue)
                ValueButtons[i]->setText(c.valueText);
            break;
        }
        }
    }
}
