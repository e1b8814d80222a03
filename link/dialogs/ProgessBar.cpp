#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <link/dialogs/ProgessBar.h>
#include <text/text.h>

TOKBottomDlg1::TOKBottomDlg1(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OKBottomDlg1"));
    setWindowTitle(text::Text(text::AddedTexts::ProgressCaption, Language));
    setFixedSize(315, 90);
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 297, 41);
    Label1 = new QLabel(QStringLiteral("..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 24);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(16, 16, 281, 25);
    ProgressBar1->setRange(0, 254);
    ProgressBar1->setTextVisible(false);
    PhaseLabel = new QLabel(this);
    PhaseLabel->setObjectName(QStringLiteral("PhaseLabel"));
    PhaseLabel->setGeometry(8, 57, 200, 25);
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(224, 57, 81, 25);
    CancelButton->setAutoDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, &TOKBottomDlg1::requestCancel);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->setSingleShot(false);
    connect(Timer1, &QTimer::timeout, this, &TOKBottomDlg1::Timer1Timer);
}

// The transfer starts once the dialog is on the screen. Until its first slot
// is done the title says what the dialog is, in the current language, rather
// than the last slot of another transfer.
void TOKBottomDlg1::showEvent(QShowEvent *event)
{
    setWindowTitle(text::Text(text::AddedTexts::ProgressCaption, Language));
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &TOKBottomDlg1::FormActivate);
}

// Messages are processed while the link waits, so the activation could be
// reached again during a transfer: the second one does nothing.
void TOKBottomDlg1::FormActivate()
{
    if (running_ || Timer1->isActive())
        return;
    running_ = true;
    cancelRequested_ = false;
    PhaseLabel->clear();
    CancelButton->setText(text::Text(text::AddedTexts::CancelButton, Language));
    CancelButton->setEnabled(true);
    if (Transfer)
        Transfer();
    running_ = false;
    Timer1->start();
}

void TOKBottomDlg1::Timer1Timer()
{
    Timer1->stop();
    accept();
}

// Escape or the window's close button must not leave a transfer half-done
// behind a closed dialog: they cancel it, and the dialog closes by itself when
// the transfer has stopped.
void TOKBottomDlg1::reject()
{
    if (running_)
        requestCancel();
    else if (!Timer1->isActive())
        QDialog::reject();
}

void TOKBottomDlg1::requestCancel()
{
    cancelRequested_ = true;
    CancelButton->setEnabled(false);
}

void TOKBottomDlg1::phaseStarted(TTransferPhase phase)
{
    // The slot captions are the same in every stage: the label says which runs.
    using text::AddedTexts;
    switch (phase) {
    case TTransferPhase::Backup:
        PhaseLabel->setText(text::Text(AddedTexts::PhaseBackup, Language));
        break;
    case TTransferPhase::Transmit:
        PhaseLabel->setText(text::Text(AddedTexts::PhaseTransmit, Language));
        break;
    case TTransferPhase::Verify:
        PhaseLabel->setText(text::Text(AddedTexts::PhaseVerify, Language));
        break;
    case TTransferPhase::Restore:
        PhaseLabel->setText(text::Text(AddedTexts::PhaseRestore, Language));
        break;
    }
}

void TOKBottomDlg1::transferStarted()
{
    ProgressBar1->setValue(0);
    Label1->hide();
    ProgressBar1->show();
}

void TOKBottomDlg1::slotDone(int slot)
{
    ProgressBar1->setValue(qMin(ProgressBar1->value() + 1, ProgressBar1->maximum()));
    setWindowTitle(text::Text(text::MainMessages::ProgressPrefix, Language) +
                   QString::number(slot) +
                   text::Text(text::MainMessages::ProgressSuffix, Language));
}

void TOKBottomDlg1::finalizationStep()
{
    Label1->setText(text::Text(text::MainMessages::FinalizationStep, Language));
    Label1->adjustSize();
    Label1->show();
    ProgressBar1->hide();
}

void TOKBottomDlg1::linkFailure(TLinkResult result)
{
    if (ShowFailure)
        ShowFailure(result);
}
