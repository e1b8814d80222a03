// Undo and redo in the main window: the Edit menu items, the panel's edits
// recorded as steps, and what undoing or redoing a step does to the window.

#include <QMenu>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <shell/Main.h>
#include <shell/ProjectUndo.h>
#include <shell/ScheduleWindow.h>
#include <text/text.h>

void TForm1::buildUndo()
{
    undo_ = std::make_unique<TProjectUndo>(*this);
    QMenu *edit = Edit1->menu();
    edit->addSeparator();
    edit->addActions({undo_->UndoItem, undo_->RedoItem});
    // The history as context: the connection ends before the window's members go.
    connect(ProgPanel, &TFrame2::programEdited, undo_.get(),
            [this](TVARNOProg *program, const TVARNOProg &before) {
                const int position = ProgList().indexOf(program);
                if (position >= 0)
                    undo_->programEdited(position, before, *program);
            });
}

// The program is shown open, so that the user sees what changed.
void TForm1::restoreProgram(int position, const TVARNOProg &record)
{
    if (position < 0 || position >= PanelList.size())
        return;
    ProjectModified = true;
    ProgList().at(position) = record;
    TFrame1 *row = PanelList.at(position);
    row->ShowLittleProg();
    if (ProgPanel->isHidden() || ProgPanel->Prog != row->Prog) {
        ActualizeOneProg(row);
    } else {
        ProgPanel->ShowProg();
        ProgPanel->TranslateActions();
    }
    UpdateNumberMenu();
    if (ScheduleWindow1)
        ScheduleWindow1->refresh();
}

// Back in its place, with its number, and open, as New Program leaves it.
void TForm1::insertProgram(int position, const TVARNOProg &record)
{
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    TVARNOProg *program = ProgList().Insert(position, record);
    if (!program)
        return;
    ProjectModified = true;
    TFrame1 *row = createPanel(program);
    PanelList.move(PanelList.size() - 1, position);
    row->ShowLittleProg();
    LayoutFolded();
    UpdateNumberMenu();
    OpenProg(row);
    ProgPanel->TranslatePanel();
    ProgPanel->TranslateActions();
    if (ScheduleWindow1)
        ScheduleWindow1->refresh();
}

void TForm1::removeProgram(int position)
{
    if (position < 0 || position >= PanelList.size())
        return;
    if (!ProgPanel->isHidden())
        ActualizeBVProg(); // the open program's row shows its last edits
    SelectedPanel = PanelList.at(position);
    DeleteSelectedProg();
    if (ScheduleWindow1)
        ScheduleWindow1->refresh();
}

// The list of an import's step, every row folded, the last program selected.
void TForm1::restorePrograms(const QList<TVARNOProg> &records)
{
    ProgPanel->ValidateEdits();
    ProgPanel->hide();
    ProgPanel->Prog = nullptr;
    qDeleteAll(PanelList);
    PanelList.clear();
    SelectedPanel = nullptr;
    TProgList programs;
    for (const TVARNOProg &record : records)
        programs.Insert(programs.count(), record);
    document_.Programs = std::move(programs);
    addPanelsForPrograms();
    selectLastFolded();
    ProjectModified = true;
    if (ScheduleWindow1)
        ScheduleWindow1->refresh();
}

void TForm1::restoreProperties(const TVARNOGroup &group)
{
    ProjectModified = true;
    Project() = group;
    updateTitle();
}

void TForm1::stepNotApplied(const QString &stepName)
{
    dialogs_.warn(this,
                  text::Text(text::AddedTexts::StepNotApplied, CurrentLanguage).arg(stepName));
}
