// The program list of the main window: creating, deleting, selecting, opening
// and folding programs, and stacking their rows.

#include <QFocusEvent>
#include <QGuiApplication>
#include <QHash>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleHints>
#include <QTimer>
#include <QToolTip>
#include <editor/ColumnGrid.h>
#include <editor/ColumnMenu.h>
#include <editor/EditStep.h>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <shell/Main.h>
#include <shell/ProjectUndo.h>
#include <text/text.h>

void TForm1::SpeedButton1Click()
{
    if (PanelList().size() >= TProgList::MaxPrograms) {
        dialogs_.warn(this,
                      text::Text(text::ProgramLimitMessage::TooManyPrograms, CurrentLanguage));
        return;
    }
    if (!ProgPanel->isHidden() && !PanelList().isEmpty())
        ActualizeBVProg();
    document_.addProgram(); // shown open by programInserted
}

void TForm1::SpeedButton2Click()
{
    if (PanelList().isEmpty() || !SelectedPanel() || !SelectedPanel()->Prog)
        return;
    // The question names the program it deletes: the selected one, whatever
    // the keys were doing.
    const TVARNOProg &program = *SelectedPanel()->Prog;
    const QString question = text::Text(text::MainMessages::DeleteConfirm, CurrentLanguage) +
                             QStringLiteral("\n%1  %2")
                                 .arg(program.NumOfProg, 3, 10, QLatin1Char('0'))
                                 .arg(program.Title);
    if (dialogs_.askYesNo(this, question))
        DeleteSelectedProg();
}

void TForm1::DeleteSelectedProg()
{
    const int index = int(PanelList().indexOf(SelectedPanel()));
    if (index < 0)
        return;
    // What is typed in the panel belongs to the record its undo puts back.
    if (ProgPanel->Prog == &ProgList().at(index))
        ProgPanel->ValidateEdits();
    document_.deleteProgram(index); // its row goes in programRemoved
}

namespace {

// The actions in use of a program that go to number.
QList<int> jumpsTo(const TVARNOProg &program, quint8 number)
{
    QList<int> found;
    const int used = qMin<int>(program.ActionCount, TVARNOProg::ActionSlots);
    for (int slot = 0; slot < used; ++slot)
        if (program.ActionKind[std::size_t(slot)] == akGoToProgram &&
            program.ActionNumber[std::size_t(slot)] == number)
            found << slot;
    return found;
}

QString padded(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

} // namespace

// A program that takes another number leaves the programs that went to its old
// one going nowhere; they follow it if the user says so, in the same step.
void TForm1::SelectAPopUpMenuNumOfProg(int number)
{
    TVARNOProg *renumbered = ProgPanel->Prog;
    if (!renumbered)
        return;
    const quint8 old = renumbered->NumOfProg;
    QList<int> jumping; // positions
    bool oldStillBorne = false;
    for (int i = 0; i < ProgList().count(); ++i) {
        const TVARNOProg &p = ProgList().at(i);
        if (!jumpsTo(p, old).isEmpty())
            jumping << i;
        if (&p != renumbered && p.NumOfProg == old)
            oldStillBorne = true;
    }
    bool follow = false;
    if (!jumping.isEmpty() && !oldStillBorne && number != old) {
        QStringList numbers;
        for (int i : jumping)
            numbers << padded(ProgList().at(i).NumOfProg);
        follow = dialogs_.askYesNo(
            this, text::Text(jumping.size() == 1 ? text::AddedTexts::RenumberJump
                                                 : text::AddedTexts::RenumberJumps,
                             CurrentLanguage)
                      .arg(numbers.join(QStringLiteral(", ")), padded(old), padded(number)));
    }
    if (!follow) {
        const TEditStep step(*ProgPanel);
        renumbered->NumOfProg = quint8(number);
        ProgPanel->ShowProg();
        UpdateNumberMenu();
        return;
    }
    const int position = ProgList().indexOf(renumbered);
    QList<varno::undo::ProgramChange> changes{{position, *renumbered, {}}};
    for (int i : jumping)
        if (i != position)
            changes.append({i, ProgList().at(i), {}});
    renumbered->NumOfProg = quint8(number);
    for (const varno::undo::ProgramChange &c : changes) {
        TVARNOProg &p = ProgList().at(c.position);
        for (int slot : jumpsTo(p, old))
            p.ActionNumber[std::size_t(slot)] = quint8(number);
    }
    ProgPanel->ShowProg();
    for (varno::undo::ProgramChange &c : changes) {
        c.after = ProgList().at(c.position);
        PanelList().at(c.position)->ShowLittleProg();
    }
    UpdateNumberMenu();
    rows_->reportEdits(changes); // shown above
}

// The go-to menu marks the numbers programs bear, with their titles, so that a
// jump to a number no program bears shows when it is chosen.
