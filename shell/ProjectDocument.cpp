#include <model/PreviousVersion.h>
#include <model/ProgramsCsv.h>
#include <model/ProjectFile.h>
#include <model/ProjectRecovery.h>
#include <shell/ProjectDocument.h>
#include <shell/ProjectUndo.h>

TProjectDocument::TProjectDocument(QObject *parent)
    : QObject(parent), undo_(std::make_unique<TProjectUndo>(*this))
{
    markSaved();
}

TProjectDocument::~TProjectDocument() = default;

void TProjectDocument::setFileName(const QString &fileName)
{
    fileName_ = fileName;
    emit fileChanged();
}

// An opened or folded program, or edits undone, change nothing: the flag only
// says that something may have changed; the bytes say whether it did.
bool TProjectDocument::isChanged() const
{
    return varno::projectfile::Serialize(project_) != savedState_;
}

void TProjectDocument::markSaved()
{
    modified_ = false;
    savedState_ = varno::projectfile::Serialize(project_);
    undo_->stack().setClean();
    if (recovery_)
        recovery_->discard();
    emit changedStateChanged(false);
}

void TProjectDocument::setModified()
{
    if (modified_)
        return;
    modified_ = true;
    emit changedStateChanged(true);
}

TVARNOProg *TProjectDocument::addProgram(const TVARNOProg *copyOf)
{
    if (programs().isFull())
        return nullptr;
    setModified();
    TVARNOProg *program = programs().Add();
    if (copyOf) {
        const quint8 number = program->NumOfProg;
        *program = *copyOf;
        program->NumOfProg = number;
    }
    const int position = programs().count() - 1;
    emit programInserted(position);
    undo_->programAdded(position, *program);
    return program;
}

bool TProjectDocument::insertProgram(int position, const TVARNOProg &record)
{
    if (!programs().Insert(position, record))
        return false;
    setModified();
    emit programInserted(position);
    undo_->programAdded(position, record);
    return true;
}

void TProjectDocument::deleteProgram(int position)
{
    if (position < 0 || position >= programs().count())
        return;
    setModified();
    emit programAboutToBeRemoved(position);
    undo_->programDeleted(position, programs().at(position));
    programs().Delete(position);
    emit programRemoved(position);
}

void TProjectDocument::setProgram(int position, const TVARNOProg &record)
{
    if (position < 0 || position >= programs().count())
        return;
    setModified();
    const TVARNOProg before = programs().at(position);
    programs().at(position) = record;
    emit programChanged(position);
    undo_->programEdited(position, before, record);
}

void TProjectDocument::programEdited(int position, const TVARNOProg &before)
{
    if (position < 0 || position >= programs().count())
        return;
    setModified();
    emit programChanged(position);
    undo_->programEdited(position, before, programs().at(position));
}

void TProjectDocument::programsEdited(const QList<varno::undo::ProgramChange> &changes)
{
    setModified();
    for (const varno::undo::ProgramChange &change : changes)
        emit programChanged(change.position);
    undo_->programsEdited(changes);
}

QList<QPair<quint8, quint8>> TProjectDocument::importPrograms(TProgList imported, bool replace)
{
    const QList<TVARNOProg> before = varno::undo::Records(programs());
    const int count = imported.count();
    QList<QPair<quint8, quint8>> renumbered;
    setModified();
    emit programsAboutToBeReset();
    if (replace)
        programs() = std::move(imported);
    else
        renumbered = varno::programscsv::AddPrograms(programs(), imported);
    emit programsReset();
    undo_->programsReplaced(replace, count, before, varno::undo::Records(programs()));
    return renumbered;
}

void TProjectDocument::setPrograms(const QList<TVARNOProg> &records)
{
    TProgList list;
    for (const TVARNOProg &record : records)
        list.Insert(list.count(), record);
    setModified();
    emit programsAboutToBeReset();
    programs() = std::move(list);
    emit programsReset();
}

void TProjectDocument::setProperties(const TVARNOGroup &group)
{
    setModified();
    const TVARNOGroup before = project_.Group;
    project_.Group = group;
    emit propertiesChanged();
    undo_->propertiesChanged(before, group);
}

void TProjectDocument::replace(TProject project)
{
    emit programsAboutToBeReset();
    project_ = std::move(project);
    emit programsReset();
    emit propertiesChanged();
}

void TProjectDocument::clear(const TVARNOGroup &group)
{
    TProject empty;
    empty.Group = group;
    replace(std::move(empty));
    undo_->clear();
    fileState_ = {};
    release();
    setFileName(QString());
    markSaved();
}

void TProjectDocument::load(TProject project, const QString &fileName, const TFileState &state,
                            TProjectClaim claim)
{
    replace(std::move(project));
    undo_->clear();
    fileState_ = state;
    lock_.reset(); // the claim holds this file's lock now, if this document had it
    hold(std::move(claim));
    setFileName(fileName);
    markSaved();
}

void TProjectDocument::save(const QString &fileName)
{
    varno::projectfile::KeepPreviousVersion(fileName);
    SaveProject(fileName, project_);
    fileState_ = TFileState::of(fileName);
    markSaved();
}

void TProjectDocument::setFile(const QString &fileName, TProjectClaim claim)
{
    hold(std::move(claim));
    setFileName(fileName);
}

void TProjectDocument::receive(TProgList programs, bool complete)
{
    emit programsAboutToBeReset();
    project_.Programs = std::move(programs);
    emit programsReset();
    if (complete) {
        markSaved();
    } else if (!project_.Programs.isEmpty()) {
        setModified();
    } else if (modified_) {
        modified_ = false;
        emit changedStateChanged(false);
    }
}

void TProjectDocument::setReceivedName(const QString &name, bool complete)
{
    project_.Group.Name = name;
    emit propertiesChanged();
    if (complete)
        markSaved();
}

void TProjectDocument::recover(TProject project, const QString &sourceFile, TProjectClaim claim)
{
    clear();
    replace(std::move(project));
    fileName_ = sourceFile;
    hold(std::move(claim));
    setModified();
    savedState_.clear(); // unsaved work: changed until it is saved
}

TProjectClaim TProjectDocument::claimFile(const QString &fileName)
{
    TProjectClaim claim;
    // The file this document already has open keeps its lock and its access.
    if (lock_ && SameProjectFile(lock_->fileName(), fileName)) {
        claim.lock = std::move(lock_);
        return claim;
    }
    auto lock = std::make_unique<TProjectLock>(fileName);
    switch (lock->tryLock()) {
    case TProjectLock::State::Locked:
        claim.lock = std::move(lock);
        break;
    case TProjectLock::State::Unavailable:
        break; // a read-only folder: nobody can note there that the file is open
    case TProjectLock::State::HeldElsewhere:
        claim.heldElsewhere = true;
        claim.ownerPid = lock->ownerPid();
        claim.ownerHost = lock->ownerHost();
        claim.lockFile = lock->lockFilePath();
        break;
    }
    return claim;
}

void TProjectDocument::hold(TProjectClaim claim)
{
    lock_ = std::move(claim.lock);
    readOnly_ = claim.readOnly;
    emit fileChanged();
}

void TProjectDocument::release()
{
    lock_.reset();
    readOnly_ = false;
    emit fileChanged();
}

void TProjectDocument::startRecovery(const QString &folder)
{
    recovery_ = std::make_unique<TProjectRecovery>(folder);
}

bool TProjectDocument::updateRecoveryCopy()
{
    return recovery_ && recovery_->update(project_, fileName_, isChanged());
}

void TProjectDocument::closeRecoveryNormally()
{
    if (recovery_)
        recovery_->closeNormally();
}
