// Undo and redo in the main window: the Edit menu items of the document's history.

#include <QMenu>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <shell/Main.h>
#include <shell/ProjectUndo.h>
#include <text/text.h>

void TForm1::buildUndo()
{
    TProjectUndo &history = document_.history();
    QMenu *edit = Edit1->menu();
    edit->addSeparator();
    edit->addActions({history.UndoItem, history.RedoItem});
    // Nothing is undone while a transfer runs; an open title or comment editor
    // is committed first, as a step of its own.
    history.MayStep = [this] {
        if (transferRunning())
            return false;
        ProgPanel->ValidateEdits();
        return true;
    };
    connect(&history, &TProjectUndo::stepRefused, this, [this](const QString &stepName) {
        dialogs_.warn(this,
                      text::Text(text::AddedTexts::StepNotApplied, CurrentLanguage).arg(stepName));
    });
}
