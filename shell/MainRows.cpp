// The rows follow the project document: each change it announces is shown here,
// whoever made it (a command of the window, a step of the history, a load).

#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <shell/Main.h>
#include <shell/ScheduleWindow.h>

void TForm1::followDocument()
{
    connect(&document_, &TProjectDocument::programInserted, this, &TForm1::programInserted);
    connect(&document_, &TProjectDocument::programAboutToBeRemoved, this,
            &TForm1::programAboutToBeRemoved);
    connect(&document_, &TProjectDocument::programRemoved, this, &TForm1::programRemoved);
    connect(&document_, &TProjectDocument::programChanged, this, &TForm1::programChanged);
    connect(&document_, &TProjectDocument::programsAboutToBeReset, this,
            &TForm1::programsAboutToBeReset);
    connect(&document_, &TProjectDocument::programsReset, this, &TForm1::programsReset);
    connect(&document_, &TProjectDocument::propertiesChanged, this, &TForm1::updateTitle);
    connect(&document_, &TProjectDocument::fileChanged, this, &TForm1::updateTitle);
    connect(&document_, &TProjectDocument::changedStateChanged, this, [this](bool modified) {
        if (!modified)
            ProgPanel->Modified = false;
    });
}

// Added or put back: open, as New Program leaves it.
void TForm1::programInserted(int position)
{
    const bool keys = keysInList(); // hiding a focused row sends the keys elsewhere
    if (!ProgPanel->isHidden() && !PanelList.isEmpty())
        ActualizeBVProg();
    TVARNOProg *program = &ProgList().at(position);
    TFrame1 *panel = createPanel(program);
    PanelList.move(PanelList.size() - 1, position);
    SelectedPanel = panel;
    ProgPanel->Prog = program;
    ProgPanel->ClearActions();
    panel->ShowLittleProg();
    ProgPanel->ShowProg();
    LayoutFolded();
    HighlightPanel(panel);
    UpdateNumberMenu();
    OpenProg(panel);
    ProgPanel->TranslatePanel();
    ProgPanel->TranslateActions();
    keepFocusOn(SelectedPanel, keys);
    if (ScheduleWindow1)
        ScheduleWindow1->refresh();
}

// The panel no longer shows a record about to go; another open program is
// folded into its row, with its last edits.
void TForm1::programAboutToBeRemoved(int position)
{
    keysBeforeRemoval_ = keysInList(); // hiding a focused row sends the keys elsewhere
    const TVARNOProg *going = PanelList.at(position)->Prog;
    if (!ProgPanel->isHidden()) {
        if (ProgPanel->Prog != going && SelectedPanel)
            SelectedPanel->ShowLittleProg();
        ProgPanel->hide();
    }
    if (ProgPanel->Prog == going)
        ProgPanel->Prog = nullptr;
}

void TForm1::programRemoved(int position)
{
    TFrame1 *row = PanelList.takeAt(position);
    if (SelectedPanel == row)
        SelectedPanel = nullptr;
    delete row;
    if (!PanelList.isEmpty()) {
        SelectedPanel = PanelList.first();
        LayoutFolded();
        HighlightPanel(SelectedPanel);
        UpdateNumberMenu();
    } else {
        ProgPanel->hide();
        SelectedPanel = nullptr;
        LayoutFolded();
    }
    keepFocusOn(SelectedPanel, keysBeforeRemoval_);
    if (ScheduleWindow1)
        ScheduleWindow1->refresh();
}

// Changed by a step of the history: shown open, so that the user sees what changed.
void TForm1::programChanged(int position)
{
    if (editedHere_ || position < 0 || position >= PanelList.size())
        return;
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

void TForm1::programsAboutToBeReset()
{
    ProgPanel->hide();
    ProgPanel->Prog = nullptr;
    qDeleteAll(PanelList);
    PanelList.clear();
    SelectedPanel = nullptr;
}

void TForm1::programsReset()
{
    addPanelsForPrograms();
    selectLastFolded();
    if (ScheduleWindow1)
        ScheduleWindow1->refresh();
}

// What adding each program through New Program and opening it in turn leaves
// behind, done once: one row each (the programs are held already).
void TForm1::addPanelsForPrograms()
{
    for (const auto &program : ProgList())
        createPanel(program.get())->ShowLittleProg();
}

// The last program selected and shown once, every row folded.
void TForm1::selectLastFolded()
{
    SelectedPanel = PanelList.isEmpty() ? nullptr : PanelList.last();
    if (SelectedPanel) {
        ProgPanel->Prog = SelectedPanel->Prog;
        ProgPanel->ClearActions();
        ProgPanel->ShowProg();
    }
    LayoutFolded();
    HighlightPanel(SelectedPanel);
    UpdateNumberMenu();
}
