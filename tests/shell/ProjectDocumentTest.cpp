#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <shell/ProjectDocument.h>
#include <shell/ProjectUndo.h>

namespace {

// What a view of the document sees: each signal, with the number of the program
// at its position at that moment, so that a record gone too early shows.
class TDocumentLog
{
public:
    explicit TDocumentLog(TProjectDocument &document) : document_(document)
    {
        const auto at = [this](const char *what) {
            return [this, what](int position) {
                const TProgList &list = document_.programs();
                entries << QStringLiteral("%1 %2#%3")
                               .arg(QLatin1String(what))
                               .arg(position)
                               .arg(position < list.count() ? list.at(position).NumOfProg : 0);
            };
        };
        QObject::connect(&document, &TProjectDocument::programInserted, at("inserted"));
        QObject::connect(&document, &TProjectDocument::programAboutToBeRemoved, at("removing"));
        QObject::connect(&document, &TProjectDocument::programRemoved, at("removed"));
        QObject::connect(&document, &TProjectDocument::programChanged, at("changed"));
        QObject::connect(&document, &TProjectDocument::programsReset, [this] {
            entries << QStringLiteral("reset %1").arg(document_.programs().count());
        });
        QObject::connect(&document.history(), &TProjectUndo::stepRefused,
                         [this] { entries << QStringLiteral("refused"); });
    }
    QStringList entries;

private:
    TProjectDocument &document_;
};

TVARNOProg numbered(quint8 number)
{
    TVARNOProg program;
    program.NumOfProg = number;
    return program;
}

struct DocumentCase
{
    const char *name;
    std::function<void(TProjectDocument &)> act; // on a saved document holding 1, 2, 3
    QStringList announced;                       // what the log saw, in order
    bool changed;                                // isChanged() after
    bool modified;                               // modified() after
    int steps;                                   // in the history after
};

// Each operation announces the position it changed, while a record that goes
// is still there to be let go; the history's steps go through the same
// operations and record nothing themselves.
TEST(ProjectDocument, eachOperationAnnouncesItselfAndTheHistoryActsThroughThem)
{
    const DocumentCase cases[] = {
        {"a program added last",
         [](TProjectDocument &d) { d.addProgram(); },
         {"inserted 3#4"},
         true,
         true,
         1},
        {"a program deleted",
         [](TProjectDocument &d) { d.deleteProgram(1); },
         {"removing 1#2", "removed 1#3"},
         true,
         true,
         1},
        {"a deletion undone",
         [](TProjectDocument &d) {
             d.deleteProgram(0);
             d.history().undo();
         },
         {"removing 0#1", "removed 0#2", "inserted 0#1"},
         false,
         true,
         1},
        {"an addition undone and redone",
         [](TProjectDocument &d) {
             d.addProgram();
             d.history().undo();
             d.history().redo();
         },
         {"inserted 3#4", "removing 3#4", "removed 3#0", "inserted 3#4"},
         true,
         true,
         1},
        {"a record edited in place, then undone",
         [](TProjectDocument &d) {
             const TVARNOProg before = d.programs().at(2);
             d.programs().at(2).Title = QStringLiteral("Soldes");
             d.programEdited(2, before);
             d.history().undo();
         },
         {"changed 2#3", "changed 2#3"},
         false,
         true,
         1},
        {"a step whose program moved is refused",
         [](TProjectDocument &d) {
             const TVARNOProg before = d.programs().at(2);
             d.programs().at(2).Title = QStringLiteral("Soldes");
             d.programEdited(2, before);
             d.programs().Delete(0); // behind the history's back: position 2 is gone
             d.history().undo();
         },
         {"changed 2#3", "refused"},
         true,
         true,
         1},
        {"an import replacing everything, undone",
         [](TProjectDocument &d) {
             TProgList imported;
             imported.Insert(0, numbered(9));
             d.importPrograms(std::move(imported), true);
             d.history().undo();
         },
         {"reset 1", "reset 3"},
         false,
         true,
         1},
        {"a complete receive",
         [](TProjectDocument &d) {
             TProgList received;
             received.Insert(0, numbered(7));
             d.receive(std::move(received), true);
         },
         {"reset 1"},
         false,
         false,
         0},
        {"a receive that broke off after one program",
         [](TProjectDocument &d) {
             TProgList received;
             received.Insert(0, numbered(7));
             d.receive(std::move(received), false);
         },
         {"reset 1"},
         true,
         true,
         0},
        {"a recovered project equal to the saved one is still unsaved",
         [](TProjectDocument &d) {
             TProject same;
             same.Group = d.group();
             for (const auto &p : d.programs())
                 same.Programs.Insert(same.Programs.count(), *p);
             d.recover(std::move(same), QStringLiteral("/nowhere/shop.prg"), {});
         },
         {"reset 0", "reset 3"},
         true,
         true,
         0},
    };
    for (const DocumentCase &c : cases) {
        SCOPED_TRACE(c.name);
        TProjectDocument document;
        for (int i = 0; i < 3; ++i)
            document.addProgram();
        document.history().clear();
        document.markSaved();
        TDocumentLog log(document);
        c.act(document);
        EXPECT_EQ(log.entries, c.announced);
        EXPECT_EQ(document.isChanged(), c.changed);
        EXPECT_EQ(document.modified(), c.modified);
        EXPECT_EQ(document.history().stack().count(), c.steps);
    }
}

// Opening the project's own file again, or saving it under its name, never
// lets its lock go, even for a moment in which another programmer could take it.
TEST(ProjectDocument, itsOwnFileKeepsItsLockThroughALoadAndASave)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("shop.prg");
    TProjectDocument document;
    document.addProgram();
    TProjectClaim first = document.claimFile(file);
    ASSERT_TRUE(first.lock);
    document.setFile(file, std::move(first));
    document.save(file);

    TProject copy;
    copy.Programs.Insert(0, numbered(1));
    TProjectClaim again = document.claimFile(file);
    EXPECT_FALSE(again.heldElsewhere);
    document.load(std::move(copy), file, TFileState::of(file), std::move(again));

    TProjectLock other(file);
    EXPECT_EQ(other.tryLock(), TProjectLock::State::HeldElsewhere);
    document.clear();
    EXPECT_EQ(other.tryLock(), TProjectLock::State::Locked);
}

} // namespace
