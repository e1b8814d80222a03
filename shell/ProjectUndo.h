#pragma once

#include <QList>
#include <QObject>
#include <QUndoStack>
#include <functional>
#include <model/GroupOfProjectClasses.h>
#include <model/ProgList.h>
#include <model/ProjectClasses.h>
#include <text/Language.h>

class QAction;
class TProjectDocument;

namespace varno::undo {

// What a step changed, for its name in the Edit menu.
enum class StepKind
{
    Title,
    Comment,
    Color,
    Number,
    Active,
    Priority,
    Timer,
    DateMode,
    Time,
    Date,
    WeekDay,
    Actions,
    Values,
    NewProgram,
    DeleteProgram,
    Properties,
    ImportAdded,
    ImportReplaced
};

// The field an edit of a program changed; an edit that changed several (an
// action choice also recounts the actions) is named after the one the user chose.
StepKind EditKind(const TVARNOProg &before, const TVARNOProg &after);

// "title of 005": the step's name in language, number the program's (for an
// import, the number of programs imported).
QString StepName(StepKind kind, int number, text::Language language);

// Copies of the records of a list, in order.
QList<TVARNOProg> Records(const TProgList &programs);

// One program's record before and after a step that changes several.
struct ProgramChange
{
    int position = 0;
    TVARNOProg before;
    TVARNOProg after;
};

} // namespace varno::undo

// The undo history of the open project. Each step keeps whole records, before
// and after (a program is a few hundred bytes), and finds its program again by
// position in the list: every change of the list's order goes through the
// history, and whatever replaces the list or adds to it from outside (an
// import) clears it. A step whose program is not where it left it is refused
// with a message and stays where it is in the history. Undoing or redoing is a
// change of the project like any other.
class TProjectUndo : public QObject
{
    Q_OBJECT

public:
    static constexpr int StepLimit = 1000;

    // Owned by the document; its steps act on it.
    explicit TProjectUndo(TProjectDocument &document);

    // The Edit menu items; their texts follow the next step and the language.
    QAction *UndoItem;
    QAction *RedoItem;
    void setLanguage(text::Language language);

    // What the document reports once done; ignored while a step is being applied.
    void programEdited(int position, const TVARNOProg &before, const TVARNOProg &after);
    void programAdded(int position, const TVARNOProg &record);
    void programDeleted(int position, const TVARNOProg &record);
    void propertiesChanged(const TVARNOGroup &before, const TVARNOGroup &after);
    // Edits of several programs made as one (a renumbering and the jumps that
    // follow it), named after the first.
    void programsEdited(const QList<varno::undo::ProgramChange> &changes);
    // An import: the whole list before and after it.
    void programsReplaced(bool replacing, int imported, const QList<TVARNOProg> &before,
                          const QList<TVARNOProg> &after);

    void clear() { stack_.clear(); }
    bool applying() const { return applying_; }
    QUndoStack &stack() { return stack_; }

    // Asked before a step is undone or redone: false leaves the history as it is.
    std::function<bool()> MayStep;
    void undo();
    void redo();

signals:
    // The step found nothing to apply to: it stays where it is in the history.
    void stepRefused(const QString &stepName);

private:
    void push(QUndoCommand *step);
    void apply(int index, bool undoing);
    void updateItems();

    TProjectDocument &document_;
    QUndoStack stack_;
    text::Language language_ = text::English;
    bool applying_ = false;
};
