// The main window's side of recovery copies: the timer that keeps the copy of
// unsaved changes, and the start-up offer of the copies a crash left.

#include <QTimer>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <model/Errors.h>
#include <model/ProjectRecovery.h>
#include <shell/Main.h>
#include <shell/ProjectLock.h>
#include <text/text.h>

void TForm1::startRecovery(const QString &folder, int intervalMs)
{
    auto recovery = std::make_unique<TProjectRecovery>(folder);
    QString error;
    if (!recovery->start(&error)) {
        qWarning("No recovery copies: %s", qPrintable(error));
        return;
    }
    recovery_ = std::move(recovery);
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
    if (!recovery_ || transferring_)
        return;
    try {
        recovery_->update(document_, ProjectFileName, isChanged());
    } catch (const TVarnoError &e) {
        // A background safety net: the next tick tries again, no box every ten seconds.
        qWarning("Recovery copy not written: %s", qPrintable(e.message()));
    }
}

void TForm1::discardRecoveryCopy()
{
    if (recovery_)
        recovery_->discard();
}

void TForm1::closeRecoveryNormally()
{
    if (recovery_)
        recovery_->closeNormally();
}

// Newest first; Yes opens that one and leaves any older for the next start.
// Only No deletes a copy: a question closed unanswered keeps this one and the
// older ones for the next start.
void TForm1::offerLeftCopies()
{
    for (TProjectRecovery::LeftCopy &copy : recovery_->leftCopies()) {
        const QString question =
            text::Text(text::AddedTexts::RecoverChanges, CurrentLanguage)
                .arg(copy.project.Group.Name,
                     copy.written.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
        const TAnswer answer = dialogs_.askYesNoOrDismiss(this, question);
        if (answer == TAnswer::Dismissed)
            return;
        if (answer == TAnswer::No) {
            recovery_->remove(copy);
            continue;
        }
        installRecovered(std::move(copy.project), copy.sourceFile);
        try {
            recovery_->update(document_, ProjectFileName, true);
        } catch (const TVarnoError &e) {
            // The left copy stays the only one until this programmer's is written.
            qWarning("Recovery copy not written: %s", qPrintable(e.message()));
            return;
        }
        recovery_->remove(copy);
        return;
    }
}

// The recovered project names the user's file, so that Save writes it there, but
// that file is written only when the user saves: until then the changes live in
// this programmer's own recovery copy.
void TForm1::installRecovered(TProject project, const QString &sourceFile)
{
    ClearProject();
    document_ = std::move(project);
    addPanelsForPrograms();
    selectLastFolded();
    ProjectFileName = sourceFile;
    // Held by a programmer running now: that one may write it, this one does not.
    if (!ProjectFileName.isEmpty())
        holdProjectFile(claimProjectFile(ProjectFileName, false));
    updateTitle();
    ProjectModified = true;
    savedState_.clear(); // unsaved work: changed until it is saved
}
