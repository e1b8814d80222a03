#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <memory>
#include <model/FileState.h>
#include <model/Project.h>
#include <shell/ProjectClaim.h>

class TProjectRecovery;
class TProjectUndo;
namespace varno::undo {
struct ProgramChange;
}

// The open project: its properties and programs, its file, whether it has
// changed and whether it may be written, the file's lock, the recovery copy and
// the undo history. It has no window: the main window shows it, asks the user
// what the operations need, and follows the signals.
//
// Every change goes through an operation and is announced. A change the user
// makes is a step of the history; the history's own steps call the same
// operations, which then record nothing. Programs keep their records in place
// (TProgList holds them by pointer): the program panel edits the open record and
// reports it through programEdited().
class TProjectDocument : public QObject
{
    Q_OBJECT

public:
    explicit TProjectDocument(QObject *parent = nullptr);
    ~TProjectDocument() override;

    // The project; its records may be edited in place, then reported.
    const TProject &project() const { return project_; }
    TVARNOGroup &group() { return project_.Group; }
    const TVARNOGroup &group() const { return project_.Group; }
    TProgList &programs() { return project_.Programs; }
    const TProgList &programs() const { return project_.Programs; }

    // The project's file; empty until it is opened or saved.
    const QString &fileName() const { return fileName_; }
    // The name alone, for a file not yet read (the settings' last project).
    void setFileName(const QString &fileName);
    // Open in another programmer: Save goes through Save As.
    bool readOnly() const { return readOnly_; }
    // The file as last read or written here.
    const TFileState &fileState() const { return fileState_; }

    // Set by any change, cleared when the project counts as saved; isChanged()
    // decides whether there is something to save.
    bool modified() const { return modified_; }
    // Save would write other bytes than were last loaded, saved or received.
    bool isChanged() const;
    // The project counts as saved: flag, bytes, history's clean point, recovery copy.
    void markSaved();

    TProjectUndo &history() { return *undo_; }

    // Programs. Positions are in ProgList order.
    // A program added last under the first free number, a copy of copyOf but for
    // its number when given; null when the list is full.
    TVARNOProg *addProgram(const TVARNOProg *copyOf = nullptr);
    // The record back in its place; false when the list is full.
    bool insertProgram(int position, const TVARNOProg &record);
    void deleteProgram(int position);
    void setProgram(int position, const TVARNOProg &record);
    // The record at position was edited in place; before is what it was.
    void programEdited(int position, const TVARNOProg &before);
    // Records edited in place as one step (a renumbering and the jumps that followed it).
    void programsEdited(const QList<varno::undo::ProgramChange> &changes);
    // Adds the programs last, renumbered where their numbers are taken (the
    // renumberings are returned), or replaces every program by them; one step.
    QList<QPair<quint8, quint8>> importPrograms(TProgList imported, bool replace);
    // The whole list back, as a step of the history had it.
    void setPrograms(const QList<TVARNOProg> &records);
    void setProperties(const TVARNOGroup &group);

    // Whole projects.
    // An empty project without a file, with these properties: no history, no lock.
    void clear(const TVARNOGroup &group = TProject().Group);
    // A project read from fileName, noted as state before it was read, with the claim on it.
    void load(TProject project, const QString &fileName, const TFileState &state,
              TProjectClaim claim);
    // Writes the project, its previous version kept; throws TVarnoError, and
    // then stays as it was.
    void save(const QString &fileName);
    // The file the project now belongs to (a Save As), with its claim.
    void setFile(const QString &fileName, TProjectClaim claim);
    // The programs a receive brought. All of them count as saved; part of them
    // (a receive that broke off) is unsaved work, when there is any.
    void receive(TProgList programs, bool complete);
    // The project's name a receive brought; saved with the programs when they all came.
    void setReceivedName(const QString &name, bool complete);
    // A recovered project: it names the user's file, but is unsaved.
    void recover(TProject project, const QString &sourceFile, TProjectClaim claim);

    // The lock on fileName: taken, unavailable, or held by another programmer
    // (the claim then names it). The document's own file keeps its lock.
    TProjectClaim claimFile(const QString &fileName);
    // Keeps the claim's lock; read-only when another programmer has the file.
    void hold(TProjectClaim claim);
    void release(); // gives the lock up; no longer read-only

    // Recovery copies, kept in folder once started.
    void startRecovery(const QString &folder);
    TProjectRecovery *recovery() { return recovery_.get(); }
    // Writes the copy when the project has unsaved changes it does not hold
    // yet; true when it wrote. Throws TVarnoError when it cannot.
    bool updateRecoveryCopy();
    void closeRecoveryNormally(); // a normal close: nothing to offer at the next start

signals:
    void programInserted(int position);
    // Before the record goes: whoever shows it lets it go.
    void programAboutToBeRemoved(int position);
    void programRemoved(int position);
    void programChanged(int position);
    // Before every record goes at once (a load, a receive, an import), and after.
    void programsAboutToBeReset();
    void programsReset();
    void propertiesChanged();
    // The file name, or whether it may be written.
    void fileChanged();
    // The modified flag changed, or the project was marked saved.
    void changedStateChanged(bool modified);

private:
    void setModified();
    // Replaces the whole project, announced as one reset.
    void replace(TProject project);

    TProject project_;
    QString fileName_;
    bool modified_ = false;
    bool readOnly_ = false;
    std::unique_ptr<TProjectLock> lock_; // the file's lock, when this programmer has it
    TFileState fileState_;
    QByteArray savedState_; // the file's bytes when last loaded, saved or received
    std::unique_ptr<TProjectRecovery> recovery_;
    std::unique_ptr<TProjectUndo> undo_;
};
