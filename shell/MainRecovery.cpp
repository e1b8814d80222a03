// The main window's side of recovery copies: the timer that keeps the copy of
// unsaved changes, and the start-up offer of the copies a crash left.

#include <QDir>
#include <QStatusBar>
#include <QTimer>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <model/Errors.h>
#include <model/ProjectRecovery.h>
#include <shell/Main.h>
#include <shell/ProjectClaim.h>
#include <text/text.h>

void TForm1::startRecovery(const QString &folder, int intervalMs)
{
    document_.startRecovery(folder);
    // The session's lock is taken with its first copy (update()): a run that
    // changes nothing never waits for the disk to create and remove it. A
    // folder that cannot be used is tried at each check; the user hears of it
    // once there are changes it does not protect.
    offerLeftCopies();
    if (!recoveryTimer_) {
        recoveryTimer_ = new QTimer(this);
        connect(recoveryTimer_, &QTimer::timeout, this, &TForm1::writeRecoveryCopy);
    }
    recoveryTimer_->start(intervalMs);
}

void TForm1::writeRecoveryCopy()
{
    // A transfer replaces the programs as it goes: its end is copied at the next tick.
    if (transferRunning())
        return;
    try {
        if (document_.updateRecoveryCopy())
            setRecoveryFailing(false, QString());
    } catch (const TVarnoError &e) {
        // A background safety net: the next tick tries again, no box every ten seconds.
        setRecoveryFailing(true, e.message());
    }
}

// Said once when the copies stop being written, and once when they are written
// again, in the status bar: a box at every check would stop the user's work.
void TForm1::setRecoveryFailing(bool failing, const QString &reason)
{
    using text::AddedTexts;
    if (failing == recoveryFailing_)
        return;
    recoveryFailing_ = failing;
    if (failing) {
        qWarning("Recovery copy not written: %s", qPrintable(reason));
        StatusBar1->showMessage(text::Text(AddedTexts::RecoveryNotProtected, CurrentLanguage));
    } else {
        StatusBar1->showMessage(text::Text(AddedTexts::RecoveryProtectedAgain, CurrentLanguage),
                                30000);
    }
}

// The warning stays until the copies are written again, in the language of the moment.
void TForm1::translateRecoveryState()
{
    if (recoveryFailing_)
        StatusBar1->showMessage(
            text::Text(text::AddedTexts::RecoveryNotProtected, CurrentLanguage));
}

// Newest first; Yes opens that one and leaves any older for the next start.
// Only No deletes a copy: a question closed unanswered keeps this one and the
// older ones for the next start.
void TForm1::offerLeftCopies()
{
    std::vector<TProjectRecovery::UnreadableCopy> unreadable;
    TProjectRecovery &recovery = *document_.recovery();
    std::vector<TProjectRecovery::LeftCopy> left = recovery.leftCopies(&unreadable);
    for (const TProjectRecovery::UnreadableCopy &copy : unreadable) {
        if (copy.movedTo.isEmpty())
            dialogs_.warn(this,
                          text::Text(text::AddedTexts::UnreadableRecoveryStays, CurrentLanguage)
                              .arg(copy.error));
        else
            dialogs_.warn(this, text::Text(text::AddedTexts::UnreadableRecovery, CurrentLanguage)
                                    .arg(QDir::toNativeSeparators(copy.movedTo), copy.error));
    }
    for (TProjectRecovery::LeftCopy &copy : left) {
        const QString question =
            text::Text(text::AddedTexts::RecoverChanges, CurrentLanguage)
                .arg(copy.project.Group.Name,
                     copy.written.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
        const TAnswer answer = dialogs_.askYesNoOrDismiss(this, question);
        if (answer == TAnswer::Dismissed)
            return;
        if (answer == TAnswer::No) {
            recovery.remove(copy);
            continue;
        }
        // The recovered project names the user's file, so that Save writes it
        // there, but that file is written only when the user saves: until then
        // the changes live in this programmer's own recovery copy. A file a
        // programmer running now holds is that one's to write.
        ProgPanel->ValidateEdits();
        document_.recover(std::move(copy.project), copy.sourceFile,
                          copy.sourceFile.isEmpty() ? TProjectClaim()
                                                    : claimProjectFile(copy.sourceFile, false));
        try {
            document_.updateRecoveryCopy();
        } catch (const TVarnoError &e) {
            // The left copy stays the only one until this programmer's is written.
            qWarning("Recovery copy not written: %s", qPrintable(e.message()));
            return;
        }
        recovery.remove(copy);
        return;
    }
}
