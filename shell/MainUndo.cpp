// Undo and redo in the main window: the Edit menu items and the panel's edits
// reported to the document, which records them as steps.

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
        if (transferring_)
            return false;
        ProgPanel->ValidateEdits();
        return true;
    };
    connect(&history, &TProjectUndo::stepRefused, this, [this](const QString &stepName) {
        dialogs_.warn(this,
                      text::Text(text::AddedTexts::StepNotApplied, CurrentLanguage).arg(stepName));
    });
    // The document as context: the connection ends before the window's members
    // go, and the panel may still commit an edit as it goes.
    connect(ProgPanel, &TFrame2::programEdited, &document_,
            [this](TVARNOProg *program, const TVARNOProg &before) {
                const int position = ProgList().indexOf(program);
                if (position < 0)
                    return;
                editedHere_ = true; // the panel shows the edit already
                document_.programEdited(position, before);
                editedHere_ = false;
            });
}
