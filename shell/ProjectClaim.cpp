// The main window's side of project locks: a project file open in another
// running programmer is reported, and the user may open it read-only or anyway.

#include <QDir>
#include <QFileInfo>
#include <editor/UserDialogs.h>
#include <shell/Main.h>
#include <shell/ProjectClaim.h>
#include <text/text.h>

bool SameProjectFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    return !ca.isEmpty() && !cb.isEmpty() ? ca == cb
                                          : fa.absoluteFilePath() == fb.absoluteFilePath();
}

QString LockHeldMessage(TLockMessage kind, const QString &fileName, qint64 ownerPid,
                        const QString &ownerHost, const QString &lockFile, quint8 language)
{
    using text::AddedTexts;
    const bool open = kind == TLockMessage::OpenAnyway;
    const QString name = QFileInfo(fileName).fileName();
    // A lock file left empty names no owner: "process 0 on" would mislead.
    const QString held =
        ownerPid > 0
            ? text::Text(open ? AddedTexts::OpenElsewhere : AddedTexts::SaveHeldElsewhere, language)
                  .arg(name)
                  .arg(ownerPid)
                  .arg(ownerHost)
            : text::Text(open ? AddedTexts::OpenElsewhereUnknown
                              : AddedTexts::SaveHeldElsewhereUnknown,
                         language)
                  .arg(name);
    return held + QStringLiteral("\n\n") +
           text::Text(AddedTexts::LockFileNote, language).arg(QDir::toNativeSeparators(lockFile));
}

TProjectClaim TForm1::claimProjectFile(const QString &fileName, bool ask)
{
    TProjectClaim claim;
    // The file this window already has open keeps its lock and its access.
    if (projectLock_ && SameProjectFile(projectLock_->fileName(), fileName)) {
        claim.lock = std::move(projectLock_);
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
        claim.ownerPid = lock->ownerPid();
        claim.ownerHost = lock->ownerHost();
        claim.lockFile = lock->lockFilePath();
        if (!ask) {
            claim.readOnly = true;
            break;
        }
        if (!dialogs_.askYesNo(this,
                               LockHeldMessage(TLockMessage::OpenAnyway, fileName, claim.ownerPid,
                                               claim.ownerHost, claim.lockFile, CurrentLanguage))) {
            claim.cancelled = true;
            break;
        }
        claim.readOnly =
            dialogs_.askYesNo(this, text::Text(text::AddedTexts::OpenReadOnly, CurrentLanguage));
        break;
    }
    return claim;
}

void TForm1::holdProjectFile(TProjectClaim claim)
{
    projectLock_ = std::move(claim.lock);
    ProjectReadOnly = claim.readOnly;
    updateTitle();
}

void TForm1::releaseProjectFile()
{
    projectLock_.reset();
    ProjectReadOnly = false;
    updateTitle();
}
