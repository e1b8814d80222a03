#pragma once

#include <QDialog>
#include <functional>
#include <link/Transfer.h>
#include <text/Language.h>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The progress dialog of a transfer. Its activation runs the whole transfer
// (Transfer), stepping the bar and the caption as slots are done; 100 ms after
// the transfer has ended its timer closes the dialog.
//
// Controls: Bevel1 frame, Label1 step text, ProgressBar1 (0..254), Timer1 (100 ms),
// PhaseLabel (the stage of a safe transmit), CancelButton (Escape does the same:
// the transfer stops after the exchange under way).
class TOKBottomDlg1 : public QDialog, public TTransferObserver
{
    Q_OBJECT

public:
    explicit TOKBottomDlg1(QWidget *parent = nullptr);

    text::Language Language = text::English;
    // The transfer the activation runs.
    std::function<void()> Transfer;
    // Shows a failure while the dialog is still open.
    std::function<void(TLinkResult)> ShowFailure;

    bool isRunning() const { return running_; }

    void FormActivate();
    void Timer1Timer();

    // TTransferObserver
    void transferStarted() override;
    void slotDone(int slot) override;
    void finalizationStep() override;
    void linkFailure(TLinkResult result) override;
    void phaseStarted(TTransferPhase phase) override;
    bool cancelRequested() override { return cancelRequested_; }
    void requestCancel();

    QFrame *Bevel1;
    QLabel *Label1;
    QProgressBar *ProgressBar1;
    QTimer *Timer1;
    QLabel *PhaseLabel;
    QPushButton *CancelButton;

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    bool running_ = false;
    bool cancelRequested_ = false;
};
