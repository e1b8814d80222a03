#pragma once

#include <QDialog>

class QPlainTextEdit;
class TVARNOProg;

// The verification window: the 24 bytes a transmit sends for one program, one
// line per byte ("Octet 01 = 00"), for checking a player by hand.
class TOKBottomDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TOKBottomDlg(QWidget *parent = nullptr);

    const TVARNOProg *Prog = nullptr;
    QPlainTextEdit *Memo1;

    // Refills the memo from Prog; also run on every activation.
    void FormActivate();

protected:
    void showEvent(QShowEvent *event) override;
};
