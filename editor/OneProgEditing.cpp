// What the user does in the program panel: every click, key and menu choice
// writes straight into the bound record.

#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <editor/ActionRules.h>
#include <editor/ColumnMenu.h>
#include <editor/EditStep.h>
#include <editor/KeyControl.h>
#include <editor/OneProg.h>
#include <editor/StorableText.h>
#include <editor/UserDialogs.h>
#include <model/ProjectClasses.h>
#include <text/text.h>

namespace {

// The lines of an editor as the record keeps them: no line for an empty text and
// none for a final line break.
QStringList linesOf(const QPlainTextEdit *editor)
{
    QString text = editor->toPlainText();
    if (text.isEmpty())
        return {};
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

// Leaving an editor commits it; a context menu of its own or another window
// taking the focus is not leaving it.
bool leavesEditor(const QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The title and the comment of a new program hold "..." until the user writes
// one: an editor that opens on it has it selected, so that typing replaces it.
const QLatin1String kPlaceholder("...");

void selectPlaceholder(QLineEdit *editor)
{
    if (editor->text() == kPlaceholder)
        editor->selectAll();
}

void selectPlaceholder(QPlainTextEdit *editor)
{
    if (editor->toPlainText() == kPlaceholder)
        editor->selectAll();
}

} // namespace

void TFrame2::wireHandlers()
{
    connect(StaticText1, &TStaticText::clicked, this, &TFrame2::StaticText1Click);
    // Title and comment go to the project file: only what it can hold comes in.
    const auto unstorable = [this] {
        return text::Text(text::AddedTexts::UnstorableCharacters, Language);
    };
    varno::storable::KeepStorable(Edit1, unstorable);
    varno::storable::KeepStorable(Memo2, unstorable);
    connect(Edit1, &QLineEdit::textChanged, this, &TFrame2::Edit1Change);
    Edit1->installEventFilter(this); // Edit1KeyDown, Edit1Exit
    connect(Memo2, &QPlainTextEdit::textChanged, this, &TFrame2::Memo2Change);
    Memo2->installEventFilter(this); // Memo2KeyDown, Memo2Exit
    connect(Shape8, &TShape::mouseDown, this, &TFrame2::Shape8MouseDown);
    connect(StaticText6, &TStaticText::clicked, this, &TFrame2::StaticText6Click);
    connect(Image35, &TImage::clicked, this, &TFrame2::Image35Click);
    connect(Image19, &TImage::clicked, this, &TFrame2::Image19Click);
    connect(Image5, &TImage::clicked, this, &TFrame2::Image5Click);
    connect(Image16, &TImage::clicked, this, &TFrame2::Image16Click);
    connect(Image17, &TImage::clicked, this, &TFrame2::Image17Click);
    connect(Image18, &TImage::clicked, this, &TFrame2::Image18Click);
    connect(DateTimePicker2, &QTimeEdit::timeChanged, this, &TFrame2::DateTimePicker2Change);
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, &TFrame2::DateTimePicker1Change);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TFrame2::ComboBox2Change);
    for (TSpeedButton *button : ActionButtons)
        connect(button, &QToolButton::clicked, this, [this, button] { SpeedButton3Click(button); });
    for (TSpeedButton *button : ValueButtons)
        connect(button, &QToolButton::clicked, this, [this, button] { SpeedButton9Click(button); });
}

bool TFrame2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        Memo1Click();
        return false;
    }
    if (watched == Edit1) {
        if (isEnter(event)) { // Edit1KeyDown
            Edit1Exit();
            StaticText1->setFocus(Qt::OtherFocusReason); // back where the keyboard opened it
            return true;
        }
        if (leavesEditor(event))
            Edit1Exit();
    }
    if (watched == Memo2) {
        if (isEnter(event)) { // Memo2KeyDown: Enter commits, whatever the modifiers
            Memo2Exit();
            Memo1->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (leavesEditor(event))
            Memo2Exit();
    }
    return QFrame::eventFilter(watched, event);
}

void TFrame2::ValidateEdits()
{
    if (!Edit1->isHidden())
        Edit1Exit();
    if (!Memo2->isHidden())
        Memo2Exit();
}

// The editors are committed first, so that their commit stays a step of its own.
template <typename Change> void TFrame2::editProg(Change change)
{
    ValidateEdits();
    if (!Prog)
        return;
    const TEditStep step(*this);
    change(*Prog);
    ShowProg();
}

void TFrame2::StaticText1Click()
{
    ValidateEdits();
    Edit1->setText(StaticText1->text());
    Edit1->show();
    Edit1->raise();
    Edit1->setFocus();
    selectPlaceholder(Edit1);
}

void TFrame2::Edit1Change()
{
    if (!Edit1->isHidden())
        StaticText1->setText(Edit1->text());
}

// Title edits count as changes, so that a title typed after a save is not lost.
void TFrame2::Edit1Exit()
{
    if (Edit1->isHidden() || committing_)
        return;
    committing_ = true;
    if (Prog) {
        const TEditStep step(*this);
        Prog->Title = Edit1->text();
        Modified = true;
    }
    Edit1->hide();
    committing_ = false;
}

void TFrame2::Memo1Click()
{
    ValidateEdits();
    {
        const QSignalBlocker blocker(Memo2);
        Memo2->setPlainText(Memo1->toPlainText());
    }
    memo2Valid_ = Memo2->toPlainText();
    Memo2->show();
    Memo2->raise();
    Memo2->setFocus();
    Memo2->moveCursor(QTextCursor::End);
    selectPlaceholder(Memo2);
}

// The comment editor takes at most 128 characters: an edit that would grow the
// text beyond is undone as a whole. A longer comment read from a file is kept
// as it is and can be shortened.
void TFrame2::limitComment()
{
    const QString now = Memo2->toPlainText();
    if (now.size() <= CommentLimit || now.size() <= memo2Valid_.size()) {
        memo2Valid_ = now;
        return;
    }
    const int position = qMin(Memo2->textCursor().position(), int(memo2Valid_.size()));
    const QSignalBlocker blocker(Memo2);
    Memo2->setPlainText(memo2Valid_);
    QTextCursor cursor = Memo2->textCursor();
    cursor.setPosition(qMax(0, position - int(now.size() - memo2Valid_.size())));
    Memo2->setTextCursor(cursor);
}

void TFrame2::Memo2Change()
{
    limitComment();
    if (!Memo2->isHidden())
        Memo1->setPlainText(Memo2->toPlainText());
}

void TFrame2::Memo2Exit()
{
    if (Memo2->isHidden() || committing_)
        return;
    committing_ = true;
    if (Prog) {
        const TEditStep step(*this);
        Prog->Comment = linesOf(Memo2);
        Modified = true;
    }
    Memo2->hide();
    committing_ = false;
}

// The dialog opens on the program's own colour. The step begins only once a
// colour is chosen, and only the colour bar is redrawn.
void TFrame2::Shape8MouseDown()
{
    ValidateEdits();
    if (!dialogs_ || !Prog)
        return;
    const std::optional<QColor> chosen = dialogs_->chooseColor(this, colorFromRecord(Prog->Color));
    if (!chosen)
        return;
    const TEditStep step(*this);
    Shape8->setBrush(*chosen);
    Prog->Color = colorToRecord(*chosen);
    Modified = true;
}

void TFrame2::StaticText6Click()
{
    ValidateEdits();
    PopupMenu3->popup(varno::keys::menuPoint(StaticText6));
}

void TFrame2::Image35Click()
{
    editProg([](TVARNOProg &p) { p.Active ^= 1; });
}

void TFrame2::Image19Click()
{
    editProg([](TVARNOProg &p) { p.Prioritary ^= 1; });
}

void TFrame2::Image5Click()
{
    editProg([](TVARNOProg &p) { p.TimerOn ^= 1; });
}

void TFrame2::Image16Click()
{
    editProg([](TVARNOProg &p) { p.DateMode = 0; });
}

void TFrame2::Image17Click()
{
    editProg([](TVARNOProg &p) { p.DateMode = 1; });
}

void TFrame2::Image18Click()
{
    editProg([](TVARNOProg &p) { p.DateMode = 2; });
}

void TFrame2::DateTimePicker2Change()
{
    editProg([this](TVARNOProg &p) {
        const QTime time = DateTimePicker2->time();
        p.Clock = varno::datetime::EncodeTime(time.hour(), time.minute(), 0, 0);
    });
}

void TFrame2::DateTimePicker1Change()
{
    editProg(
        [this](TVARNOProg &p) { p.SetDate(varno::datetime::FromDate(DateTimePicker1->date())); });
}

// No day chosen (-1) is no edit, but the open editors are committed all the same.
void TFrame2::ComboBox2Change()
{
    ValidateEdits();
    if (!Prog || ComboBox2->currentIndex() < 0)
        return;
    const TEditStep step(*this);
    Prog->WeekDay = quint8(ComboBox2->currentIndex() + 1);
    ShowProg();
}

void TFrame2::SpeedButton3Click(TSpeedButton *button)
{
    ValidateEdits();
    PopupMenu1->actions().constFirst()->setEnabled(button->tag() != 1);
    MenuSender = button;
    PopupMenu1->popup(varno::keys::menuPoint(button));
}

void TFrame2::SpeedButton9Click(TSpeedButton *button)
{
    ValidateEdits();
    MenuSender = button;
    PopupMenu2->popup(varno::keys::menuPoint(button));
}

int TFrame2::senderSlot() const
{
    const auto *button = qobject_cast<const TSpeedButton *>(MenuSender);
    return button ? button->tag() : 0;
}

void TFrame2::setActionSlot(quint8 kind, int number, CountRule rule)
{
    const int s = senderSlot();
    if (!Prog || s < 1)
        return;
    const TEditStep step(*this);
    const auto i = std::size_t(s - 1);
    Prog->ActionKind[i] = kind;
    Prog->ActionNumber[i] = quint8(number);
    switch (rule) {
    case CountRule::EndsAtSlot:
        Prog->ActionCount = quint8(s);
        break;
    case CountRule::EndsBeforeSlot:
        Prog->ActionCount = quint8(s == 1 ? 1 : s - 1);
        break;
    case CountRule::Recount:
        Prog->ActionCount = quint8(varno::actions::CountActions(*Prog));
        break;
    }
    ShowProg();
}

// Each action choice writes the slot of the button that opened the menu and the
// count, then redraws: a kind that ends the list makes that slot the last one,
// "No Action..." ends the list before it, any other kind recounts.
void TFrame2::NoActionClick()
{
    setActionSlot(akDirectory, 0, CountRule::EndsBeforeSlot);
}

void TFrame2::TimerFileClick(int tag)
{
    setActionSlot(akTimerFile, tag, CountRule::Recount);
}

void TFrame2::DirectoryClick(int tag)
{
    setActionSlot(akDirectory, tag, CountRule::EndsAtSlot);
}

void TFrame2::SleepModeClick()
{
    setActionSlot(akSleepMode, 0, CountRule::EndsAtSlot);
}

void TFrame2::TransportClick(int tag)
{
    setActionSlot(akTransport, tag, CountRule::Recount);
}

void TFrame2::VolumeClick(int tag)
{
    setActionSlot(akVolume, tag, CountRule::Recount);
}

void TFrame2::InternalOutputClick(int tag)
{
    setActionSlot(akInternalOutput, tag, CountRule::Recount);
}

void TFrame2::ExternalOutputClick(int tag)
{
    setActionSlot(akExternalOutput, tag, CountRule::Recount);
}

void TFrame2::GoToProgramClick(int tag)
{
    setActionSlot(akGoToProgram, tag, CountRule::EndsAtSlot);
}

void TFrame2::FtpClientClick(int tag)
{
    setActionSlot(akFtpClient, tag, CountRule::EndsAtSlot);
}

void TFrame2::SendEMailClick(int tag)
{
    setActionSlot(akSendEMail, tag, CountRule::Recount);
}

void TFrame2::ValueClick(int tag)
{
    const int s = senderSlot();
    if (!Prog || s < 1)
        return;
    const TEditStep step(*this);
    Prog->ActionValue[std::size_t(s - 1)] = quint8(tag);
    ShowProg();
}
