#pragma once

#include <QDialog>
#include <QString>
#include <QtGlobal>
#include <text/Language.h>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TShape;
class TVARNOGroup;

// The project-properties dialog: the project's name, six free texts and a
// multi-line comment. The main window fills it (fillFrom or ResetPropertiesDialog),
// shows it modally and, after OK, reads it back (copyTo); the dialog never touches
// the project itself. OK accepts; Cancel, Escape and the window frame reject.
//
// Every time it is shown it takes its title and captions from the texts of
// Language and puts the keyboard focus in the name field; the fields keep their
// contents.
//
// Controls (objectName = member name), client area 362 x 421:
//   Label7 + Edit1   name (at most 64 characters typed)
//   Label3 + Edit2   subject          Label4 + Edit3   author
//   Label5 + Edit4   copyright        Label6 + Edit5   customer
//   Label1 + Edit6   creation date    Label8 + Edit7   diffusion date
//   Label2 + Memo1   comment lines    Shape1           frame line around them
//   Button1 Ok (default button)       Button2 Cancel
class TForm3 : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 362;
    static constexpr int ClientHeight = 421;

    explicit TForm3(QWidget *parent = nullptr);

    text::Language Language =
        text::English; // 1 French, 2 English, 3 Spanish; set by the main window

    // New-project state: name "New Project", the six texts empty, the comment the
    // single line "...".
    void ResetPropertiesDialog();
    // Shows the properties of group. A name longer than the field holds is shown cut
    // to 64 characters but given back whole by copyTo unless the user edits it.
    void fillFrom(const TVARNOGroup &group);
    // Stores the fields into group; the comment lines replace group.Comments (an
    // empty comment gives no lines).
    void copyTo(TVARNOGroup &group) const;

    QLabel *Label7;
    QLineEdit *Edit1;
    TShape *Shape1;
    QLabel *Label3;
    QLineEdit *Edit2;
    QLabel *Label4;
    QLineEdit *Edit3;
    QLabel *Label5;
    QLineEdit *Edit4;
    QLabel *Label6;
    QLineEdit *Edit5;
    QLabel *Label1;
    QLineEdit *Edit6;
    QLabel *Label8;
    QLineEdit *Edit7;
    QLabel *Label2;
    QPlainTextEdit *Memo1;
    QPushButton *Button1;
    QPushButton *Button2;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
    void fitLabelColumn();

    // The whole name given to fillFrom, for a name longer than Edit1 can hold.
    QString fullName_;
};
