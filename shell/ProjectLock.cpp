// The main window's side of project locks: a project file open in another
// running programmer is reported, and the user may open it read-only or anyway.

#include <QFileInfo>
#include <editor/UserDialogs.h>
#include <shell/Main.h>
#include <shell/ProjectLock.h>
#include <text/text.h>

bool SameProjectFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    return !ca.isEmpty() && !cb.isEmpty() ? ca == cb
                                          : fa.absoluteFilePath() == fb.absoluteFilePath();
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
        if (!ask) {
            claim.readOnly = true;
            break;
        }
        if (!dialogs_.askYesNo(this, text::Text(text::AddedTexts::OpenElsewhere, CurrentLanguage)
                                         .arg(QFileInfo(fileName).fileName())
                                         .arg(claim.ownerPid)
                                         .arg(claim.ownerHost))) {
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
