#include <QAction>
#include <shell/ProjectDocument.h>
#include <shell/ProjectUndo.h>
#include <text/text.h>

namespace varno::undo {

StepKind EditKind(const TVARNOProg &before, const TVARNOProg &after)
{
    const auto &a = before;
    const auto &b = after;
    if (a.Title != b.Title)
        return StepKind::Title;
    if (a.Comment != b.Comment)
        return StepKind::Comment;
    if (a.Color != b.Color)
        return StepKind::Color;
    if (a.NumOfProg != b.NumOfProg)
        return StepKind::Number;
    if (a.Active != b.Active)
        return StepKind::Active;
    if (a.Prioritary != b.Prioritary)
        return StepKind::Priority;
    if (a.TimerOn != b.TimerOn)
        return StepKind::Timer;
    if (a.DateMode != b.DateMode)
        return StepKind::DateMode;
    if (a.Clock != b.Clock)
        return StepKind::Time;
    if (a.Date != b.Date)
        return StepKind::Date;
    if (a.WeekDay != b.WeekDay)
        return StepKind::WeekDay;
    if (a.ActionKind != b.ActionKind || a.ActionNumber != b.ActionNumber ||
        a.ActionCount != b.ActionCount)
        return StepKind::Actions;
    return StepKind::Values;
}

QString StepName(StepKind kind, int number, text::Language language)
{
    using text::AddedTexts;
    static constexpr AddedTexts names[] = {
        AddedTexts::StepTitle,      AddedTexts::StepComment,     AddedTexts::StepColor,
        AddedTexts::StepNumber,     AddedTexts::StepActive,      AddedTexts::StepPriority,
        AddedTexts::StepTimer,      AddedTexts::StepDateMode,    AddedTexts::StepTime,
        AddedTexts::StepDate,       AddedTexts::StepWeekDay,     AddedTexts::StepActions,
        AddedTexts::StepValues,     AddedTexts::StepNewProgram,  AddedTexts::StepDeleteProgram,
        AddedTexts::StepProperties, AddedTexts::StepImportAdded, AddedTexts::StepImportReplaced,
    };
    static_assert(std::size(names) == std::size_t(StepKind::ImportReplaced) + 1);
    const QString name = text::Text(names[std::size_t(kind)], language);
    if (kind == StepKind::Properties)
        return name;
    if (kind == StepKind::ImportAdded || kind == StepKind::ImportReplaced)
        return name.arg(number);
    return name.arg(number, 3, 10, QLatin1Char('0'));
}

QList<TVARNOProg> Records(const TProgList &programs)
{
    QList<TVARNOProg> records;
    records.reserve(programs.count());
    for (const auto &program : programs)
        records << *program;
    return records;
}

} // namespace varno::undo

using varno::undo::StepKind;

// One step of the history. Pushing a step runs redo() once: the document has
// made the change already, so the first redo does nothing.
class TProjectStep : public QUndoCommand
{
public:
    TProjectStep(TProjectDocument &document, StepKind kind, int number, int position)
        : document_(document), kind_(kind), number_(number), position_(position)
    {
        setText(varno::undo::StepName(kind, number, text::English));
    }
    QString name(text::Language language) const
    {
        return varno::undo::StepName(kind_, number_, language);
    }
    // Whether the list is as the step left it (undoing) or found it (redoing):
    // a step that would change another program, or give a number twice, is
    // refused rather than applied.
    virtual bool applicable(bool undoing) const = 0;
    void undo() override { apply(true); }
    void redo() override
    {
        if (done_)
            apply(false);
        done_ = true;
    }

protected:
    virtual void apply(bool undoing) = 0;
    TProjectDocument &document_;
    StepKind kind_;
    int number_;
    int position_;

    // The program at position holds number.
    bool holds(int position, quint8 number) const
    {
        const TProgList &list = document_.programs();
        return position >= 0 && position < list.count() && list.at(position).NumOfProg == number;
    }
    // No program but the one at position (if any) holds number.
    bool freeBesides(int position, quint8 number) const
    {
        const TProgList &list = document_.programs();
        for (int i = 0; i < list.count(); ++i)
            if (i != position && list.at(i).NumOfProg == number)
                return false;
        return true;
    }

private:
    bool done_ = false;
};

namespace {

class TEditProgramStep : public TProjectStep
{
public:
    TEditProgramStep(TProjectDocument &document, int position, const TVARNOProg &before,
                     const TVARNOProg &after)
        : TProjectStep(document, varno::undo::EditKind(before, after), before.NumOfProg, position),
          before_(before), after_(after)
    {
    }
    // A time or date edited key by key, or spun, is one step.
    int id() const override { return kind_ == StepKind::Time || kind_ == StepKind::Date ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const TEditProgramStep *>(other);
        if (next->kind_ != kind_ || next->position_ != position_)
            return false;
        after_ = next->after_;
        setObsolete(after_ == before_);
        return true;
    }

    bool applicable(bool undoing) const override
    {
        const TVARNOProg &now = undoing ? after_ : before_;
        const TVARNOProg &next = undoing ? before_ : after_;
        return holds(position_, now.NumOfProg) &&
               (next.NumOfProg == now.NumOfProg || freeBesides(position_, next.NumOfProg));
    }

protected:
    void apply(bool undoing) override
    {
        document_.setProgram(position_, undoing ? before_ : after_);
    }

private:
    TVARNOProg before_;
    TVARNOProg after_;
};

// A program added (undo removes it) or deleted (undo puts it back).
class TListStep : public TProjectStep
{
public:
    TListStep(TProjectDocument &document, StepKind kind, int position, const TVARNOProg &record)
        : TProjectStep(document, kind, record.NumOfProg, position), record_(record)
    {
    }

    bool applicable(bool undoing) const override
    {
        if (removes(undoing))
            return holds(position_, record_.NumOfProg);
        const TProgList &list = document_.programs();
        return position_ >= 0 && position_ <= list.count() && !list.isFull() &&
               freeBesides(-1, record_.NumOfProg);
    }

protected:
    bool removes(bool undoing) const { return undoing == (kind_ == StepKind::NewProgram); }
    void apply(bool undoing) override
    {
        if (removes(undoing))
            document_.deleteProgram(position_);
        else
            document_.insertProgram(position_, record_);
    }

private:
    TVARNOProg record_;
};

// Several programs edited as one step; the first is the one shown open after.
class TProgramsStep : public TProjectStep
{
public:
    TProgramsStep(TProjectDocument &document, const QList<varno::undo::ProgramChange> &changes)
        : TProjectStep(
              document,
              varno::undo::EditKind(changes.constFirst().before, changes.constFirst().after),
              changes.constFirst().before.NumOfProg, changes.constFirst().position),
          changes_(changes)
    {
    }

    // Every program holds the number the step left it (or found it) with, and
    // no number the step gives is borne by another program then.
    bool applicable(bool undoing) const override
    {
        const TProgList &list = document_.programs();
        QList<int> numbers;
        for (const auto &program : list)
            numbers << program->NumOfProg;
        for (const varno::undo::ProgramChange &c : changes_) {
            if (!holds(c.position, (undoing ? c.after : c.before).NumOfProg))
                return false;
            numbers[c.position] = (undoing ? c.before : c.after).NumOfProg;
        }
        for (const varno::undo::ProgramChange &c : changes_) {
            const TVARNOProg &now = undoing ? c.after : c.before;
            const TVARNOProg &next = undoing ? c.before : c.after;
            if (next.NumOfProg != now.NumOfProg && numbers.count(next.NumOfProg) > 1)
                return false;
        }
        return true;
    }

protected:
    void apply(bool undoing) override
    {
        for (qsizetype i = changes_.size() - 1; i >= 0; --i) {
            const varno::undo::ProgramChange &c = changes_[i];
            document_.setProgram(c.position, undoing ? c.before : c.after);
        }
    }

private:
    QList<varno::undo::ProgramChange> changes_;
};

// An import: the list as it was before it, and as it left it.
class TImportStep : public TProjectStep
{
public:
    TImportStep(TProjectDocument &document, bool replacing, int imported,
                const QList<TVARNOProg> &before, const QList<TVARNOProg> &after)
        : TProjectStep(document, replacing ? StepKind::ImportReplaced : StepKind::ImportAdded,
                       imported, -1),
          before_(before), after_(after)
    {
    }

    // The list holds the numbers it held when the step left it (or found it).
    bool applicable(bool undoing) const override
    {
        const QList<TVARNOProg> &now = undoing ? after_ : before_;
        const TProgList &list = document_.programs();
        if (list.count() != now.size())
            return false;
        for (int i = 0; i < list.count(); ++i)
            if (list.at(i).NumOfProg != now[i].NumOfProg)
                return false;
        return true;
    }

protected:
    void apply(bool undoing) override { document_.setPrograms(undoing ? before_ : after_); }

private:
    QList<TVARNOProg> before_;
    QList<TVARNOProg> after_;
};

class TPropertiesStep : public TProjectStep
{
public:
    TPropertiesStep(TProjectDocument &document, const TVARNOGroup &before, const TVARNOGroup &after)
        : TProjectStep(document, StepKind::Properties, 0, -1), before_(before), after_(after)
    {
    }

    bool applicable(bool) const override { return true; }

protected:
    void apply(bool undoing) override { document_.setProperties(undoing ? before_ : after_); }

private:
    TVARNOGroup before_;
    TVARNOGroup after_;
};

} // namespace

TProjectUndo::TProjectUndo(TProjectDocument &document) : document_(document)
{
    stack_.setUndoLimit(StepLimit);
    UndoItem = new QAction(this);
    UndoItem->setObjectName(QStringLiteral("Undo1"));
    UndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoItem = new QAction(this);
    RedoItem->setObjectName(QStringLiteral("Redo1"));
    RedoItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(UndoItem, &QAction::triggered, this, &TProjectUndo::undo);
    connect(RedoItem, &QAction::triggered, this, &TProjectUndo::redo);
    connect(&stack_, &QUndoStack::indexChanged, this, &TProjectUndo::updateItems);
    updateItems();
}

void TProjectUndo::setLanguage(text::Language language)
{
    language_ = language;
    updateItems();
}

void TProjectUndo::updateItems()
{
    using text::AddedTexts;
    const int index = stack_.index();
    const auto *toUndo =
        static_cast<const TProjectStep *>(index > 0 ? stack_.command(index - 1) : nullptr);
    const auto *toRedo =
        static_cast<const TProjectStep *>(index < stack_.count() ? stack_.command(index) : nullptr);
    UndoItem->setEnabled(toUndo);
    RedoItem->setEnabled(toRedo);
    UndoItem->setText(toUndo
                          ? text::Text(AddedTexts::UndoStep, language_).arg(toUndo->name(language_))
                          : text::Text(AddedTexts::UndoItem, language_));
    RedoItem->setText(toRedo
                          ? text::Text(AddedTexts::RedoStep, language_).arg(toRedo->name(language_))
                          : text::Text(AddedTexts::RedoItem, language_));
}

void TProjectUndo::push(QUndoCommand *step)
{
    if (applying_) {
        delete step;
        return;
    }
    stack_.push(step);
    updateItems(); // a merged step leaves the index as it was
}

void TProjectUndo::programEdited(int position, const TVARNOProg &before, const TVARNOProg &after)
{
    if (!(before == after))
        push(new TEditProgramStep(document_, position, before, after));
}

void TProjectUndo::programAdded(int position, const TVARNOProg &record)
{
    push(new TListStep(document_, StepKind::NewProgram, position, record));
}

void TProjectUndo::programDeleted(int position, const TVARNOProg &record)
{
    push(new TListStep(document_, StepKind::DeleteProgram, position, record));
}

void TProjectUndo::propertiesChanged(const TVARNOGroup &before, const TVARNOGroup &after)
{
    if (!(before == after))
        push(new TPropertiesStep(document_, before, after));
}

void TProjectUndo::programsEdited(const QList<varno::undo::ProgramChange> &changes)
{
    if (!changes.isEmpty())
        push(new TProgramsStep(document_, changes));
}

void TProjectUndo::programsReplaced(bool replacing, int imported, const QList<TVARNOProg> &before,
                                    const QList<TVARNOProg> &after)
{
    push(new TImportStep(document_, replacing, imported, before, after));
}

// The window commits an open title or comment editor in MayStep, as a step of its own.
void TProjectUndo::undo()
{
    if (MayStep && !MayStep())
        return;
    apply(stack_.index() - 1, true);
}

void TProjectUndo::redo()
{
    if (MayStep && !MayStep())
        return;
    apply(stack_.index(), false);
}

// A step that cannot be applied leaves the project and the history's place
// as they were, and says so: moving on would leave the history out of step
// with the list, and the next steps would change the wrong programs.
void TProjectUndo::apply(int index, bool undoing)
{
    if (index < 0 || index >= stack_.count())
        return;
    const auto *step = static_cast<const TProjectStep *>(stack_.command(index));
    if (!step->applicable(undoing)) {
        emit stepRefused(step->name(language_));
        return;
    }
    applying_ = true;
    if (undoing)
        stack_.undo();
    else
        stack_.redo();
    applying_ = false;
}
