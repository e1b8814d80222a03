#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <text/Language.h>

class QScrollArea;
class QWidget;
class TFrame1;
class TFrame2;
class TVARNOProg;
class TProjectDocument;
namespace varno::undo {
struct ProgramChange;
}

// The list of the main window: one compact row per program of the document, in
// its order, and the one program panel, shown in place of the open program's
// row, all inside the window's scroll box. The rows follow the document's
// signals; the window's commands select, open and fold through here.
class TProgramRows : public QObject
{
    Q_OBJECT

public:
    // Fills scrollBox; window's focus decides where the keys are.
    TProgramRows(TProjectDocument &document, QScrollArea &scrollBox, QWidget &window);

    // The main window's state, shown here.
    QList<TFrame1 *> PanelList; // one compact row per program, in the order of ProgList
    // The selected row: Delete, Duplicate and Verif act on its program.
    TFrame1 *SelectedPanel = nullptr;
    TFrame2 *panel() const { return ProgPanel; } // the one program panel

    // The rows' and the panel's language; captions them again.
    void setLanguage(text::Language language);
    // Records the window edited in place and shows already, reported as one step.
    void reportEdits(const QList<varno::undo::ProgramChange> &changes);

    void OpenProg(TFrame1 *panel);         // shows the row's program in the panel, in its place
    void ActualizeOneProg(TFrame1 *panel); // folds the open program, if any, then opens the row's
    void ActualizeBVProg();                // folds the open program back into its row
    void ActiveSelected(TFrame1 *panel);   // selects the row, folding the open program first
    void HighlightPanel(TFrame1 *panel);   // marks the row as the selected one, and no other
    void LayoutFolded();                   // stacks every row folded, the program panel hidden
    void LayoutPanels();     // stacks the rows, the program panel in place of the hidden one
    void UpdateNumberMenu(); // the number menu offers only the numbers no program bears
    void scrollToSelected(); // the selected row, or the panel in its place, at the top
    bool keysInList() const; // the keyboard focus is in the list

signals:
    // A change of the document the rows show; not an edit made in the panel.
    void shownChanged();

protected:
    // Tab onto a row selects it; the go-to menu's tooltips; double clicks below the rows.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followDocument();
    void programInserted(int position);         // its row, opened as New Program leaves it
    void programAboutToBeRemoved(int position); // the panel lets its record go
    void programRemoved(int position);          // its row goes, the first selected
    void programChanged(int position);          // its row, and the panel when open on it
    void programsAboutToBeReset();              // every row goes, the panel unbound
    void programsReset();                       // a row each, every row folded
    void addPanelsForPrograms();                // one row for each program
    void selectLastFolded();                    // every row folded, the last program selected

    TFrame1 *createPanel(TVARNOProg *program); // a row for the program, added to PanelList
    void bindPanel(TFrame1 *panel);            // connects the row's clicks and keys
    void placeAndScroll(int contentHeight);    // sizes the list, chains Tab through it, scrolls
    // The focus back on the selection when the list has or had it.
    void keepFocusOn(TFrame1 *selected, bool hadKeys = false);
    // The go-to menu marks the numbers programs bear, titles as tooltips.
    void markGoToNumbers();
    // A double click opens the row its first click was on: that click may have
    // folded the open program and moved another row, or none, under the pointer.
    void rowClicked(TFrame1 *row);             // notes the row and the time of a click
    void openDoubleClickedRow(TFrame1 *under); // opens that row

    TProjectDocument &document_;
    QWidget &window_;
    QScrollArea *ScrollBox1; // the window's scroll box
    QWidget *rows_;          // inside it: the rows and the program panel
    TFrame2 *ProgPanel;      // the one program panel
    text::Language language_ = text::English;
    QPointer<TFrame1> clickedRow_; // the row of the last click
    QElapsedTimer clickedAt_;      // and its time, for a double click
    // The records were changed in place and are shown already.
    bool editedHere_ = false;
    bool keysBeforeRemoval_ = false; // the keys were in the list before a row went
};
