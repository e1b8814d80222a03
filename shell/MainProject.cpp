// The project commands of the main window: new project, properties, open, save,
// and the save question before anything is dropped.

#include <QCloseEvent>
#include <QFileInfo>
#include <QTimer>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <link/ProjectCheckText.h>
#include <model/Errors.h>
#include <model/HeldProject.h>
#include <shell/MadeOnUse.h>
#include <shell/Main.h>
#include <shell/ProjectClaim.h>
#include <shell/ProjetProperty.h>
#include <shell/WindowPlacement.h>
#include <text/text.h>

bool TForm1::AskSaveChanges()
{
    ProgPanel->ValidateEdits();
    if (!isChanged())
        return true;
    switch (dialogs_.askYesNoOrDismiss(
        this, text::Text(text::MainMessages::SaveChangesConfirm, CurrentLanguage))) {
    case TAnswer::Dismissed:
        return false; // neither saved nor dropped: the command does not go on
    case TAnswer::No:
        return true;
    case TAnswer::Yes:
        break;
    }
    Save1Click();
    // Still changed: the save failed or its dialog was cancelled, and the work
    // must not be dropped.
    return !isChanged();
}

void TForm1::ClearProject()
{
    ProgPanel->ValidateEdits();
    document_.clear(); // the rows go in programsAboutToBeReset
}

void TForm1::ResetPropertiesDialog()
{
    if (Form3) // one made later starts reset
        Form3->ResetPropertiesDialog();
}

void TForm1::clearToDialogProperties()
{
    ProgPanel->ValidateEdits();
    TVARNOGroup group = TProject().Group;
    madeOnUse(Form3, this)->copyTo(group);
    document_.clear(group); // unchanged until the user changes it
}

void TForm1::New2Click()
{
    if (!AskSaveChanges())
        return;
    ResetPropertiesDialog();
    madeOnUse(Form3, this)->Language = CurrentLanguage;
    if (dialogs_.exec(Form3) != QDialog::Accepted)
        return;
    clearToDialogProperties();
}

void TForm1::Property1Click()
{
    madeOnUse(Form3, this)->fillFrom(Project());
    Form3->Language = CurrentLanguage;
    if (dialogs_.exec(Form3) != QDialog::Accepted)
        return;
    TVARNOGroup group = Project();
    Form3->copyTo(group);
    document_.setProperties(group); // a step when a field changed
}

TProjectClaim TForm1::claimProjectFile(const QString &fileName, bool ask)
{
    TProjectClaim claim = document_.claimFile(fileName);
    if (!claim.heldElsewhere)
        return claim;
    if (!ask) {
        claim.readOnly = true;
        return claim;
    }
    if (!dialogs_.askYesNo(this,
                           LockHeldMessage(TLockMessage::OpenAnyway, fileName, claim.ownerPid,
                                           claim.ownerHost, claim.lockFile, CurrentLanguage))) {
        claim.cancelled = true;
        return claim;
    }
    claim.readOnly =
        dialogs_.askYesNo(this, text::Text(text::AddedTexts::OpenReadOnly, CurrentLanguage));
    return claim;
}

bool TForm1::LoadProjectFile(QString fileName)
{
    TProjectClaim claim = claimProjectFile(fileName, true);
    if (claim.cancelled)
        return false;
    // Noted before the read: a change made while it reads is then seen at Save.
    const TFileState state = TFileState::of(fileName);
    TProject loaded;
    QList<TNarrowedNumber> narrowed;
    try {
        loaded = varno::actions::LoadProjectAsHeld(fileName, &narrowed);
    } catch (const TVarnoError &e) {
        dialogs_.showError(this, e.message());
        // As after New Project: no file name, so that no Save writes over the
        // file that did not load without the user choosing it in a dialog.
        ResetPropertiesDialog();
        clearToDialogProperties();
        return false;
    }
    ProgPanel->ValidateEdits();
    document_.load(std::move(loaded), fileName, state, std::move(claim));
    rememberRecent(fileName);
    const QList<TProjectCheck> checks =
        varno::projectcheck::ProjectChecks(document_.project(), narrowed);
    warnNarrowed(checks);
    warnSharedNumbers(checks);
    return true;
}

// Only a file made by hand holds two programs under one number (the number
// box offers free numbers only); the player keeps one of them.
void TForm1::warnSharedNumbers(const QList<TProjectCheck> &checks)
{
    if (const QString warning = varno::projectcheck::SharedNumbersWarning(checks, CurrentLanguage);
        !warning.isEmpty())
        dialogs_.warn(this, warning);
}

// A number the player cannot hold, or a flag written "Yes" that reads as no,
// changes at the next save: the user hears of it now, once for the numbers and
// once for the flags, rather than finding another value in the file later.
void TForm1::warnNarrowed(const QList<TProjectCheck> &checks)
{
    for (const QString &warning :
         {varno::projectcheck::NarrowedNumbersWarning(checks, CurrentLanguage),
          varno::projectcheck::FlagsReadAsNoWarning(checks, CurrentLanguage)})
        if (!warning.isEmpty())
            dialogs_.warn(this, warning);
}

void TForm1::Open1Click()
{
    if (!AskSaveChanges())
        return;
    const QString fileName = dialogs_.openFileName(this, FileFilter);
    if (fileName.isEmpty())
        return;
    LoadProjectFile(fileName);
}

// A failed write leaves the change flags set and the previous file whole.
bool TForm1::saveTo(const QString &fileName)
{
    ProgPanel->ValidateEdits();
    try {
        document_.save(fileName);
    } catch (const TVarnoError &e) {
        dialogs_.showError(this, e.message());
        return false;
    }
    rememberRecent(fileName);
    return true;
}

void TForm1::Save1Click()
{
    if (ProjectReadOnly()) {
        SaveAs1Click();
        return;
    }
    if (!ProjectFileName().isEmpty() && QFileInfo(ProjectFileName()).isFile()) {
        switch (choiceForChangedFile()) {
        case TChangedFileChoice::Overwrite:
            saveTo(ProjectFileName());
            return;
        case TChangedFileChoice::SaveAs:
            break;
        case TChangedFileChoice::Cancel:
            return;
        }
    }
    SaveAs1Click();
}

void TForm1::SaveAs1Click()
{
    const QString fileName = dialogs_.saveFileNameFor(this, FileFilter, QStringLiteral("prg"),
                                                      proposedFileName(QStringLiteral("prg")));
    if (fileName.isEmpty())
        return;
    // The lock before the write: a file another running programmer has open is
    // never replaced under it, whatever the file dialog was answered.
    TProjectClaim claim = claimProjectFile(fileName, false);
    if (claim.readOnly) {
        dialogs_.warn(this, LockHeldMessage(TLockMessage::NotReplaced, fileName, claim.ownerPid,
                                            claim.ownerHost, claim.lockFile, CurrentLanguage));
        return;
    }
    if (!saveTo(fileName)) {
        // Nothing written: the window keeps its file, and the lock on it the
        // claim took over.
        if (!ProjectFileName().isEmpty() && SameProjectFile(fileName, ProjectFileName()))
            document_.hold(std::move(claim));
        return;
    }
    document_.setFile(fileName, std::move(claim));
}

void TForm1::Exit1Click()
{
    close();
}

// A project loaded before the window was first shown has no scroll range yet.
void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Framed now: a place the title bar cannot be reached in is mended first.
    QTimer::singleShot(0, this, [this] { placement::keepOnScreen(*this); });
    QTimer::singleShot(0, rows_, &TProgramRows::scrollToSelected);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (transferRunning()) {
        event->ignore(); // the window closes once the transfer has ended
        return;
    }
    if (!closing_) {
        if (!AskSaveChanges()) {
            event->ignore(); // the unsaved work stays open
            return;
        }
        closing_ = true;
        WriteSettings();
        saveWindowPlacement();
    }
    document_.closeRecoveryNormally(); // the changes were saved or dropped
    event->accept();
}
