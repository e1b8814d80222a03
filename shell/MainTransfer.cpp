// Transmit and receive of the main window: the questions before them and what
// a receive brings (the transfers themselves are in TransferCommands), and the
// verification window.

#include <QActionGroup>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSerialPortInfo>
#include <QToolBar>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <link/ComLink.h>
#include <link/LinkMessage.h>
#include <link/PortList.h>
#include <link/PortName.h>
#include <link/ProjectCheckText.h>
#include <link/Transfer.h>
#include <link/dialogs/ProgessBar.h>
#include <link/dialogs/VerifTrame.h>
#include <shell/MadeOnUse.h>
#include <shell/Main.h>
#include <shell/SettingsFile.h>
#include <text/text.h>

void TForm1::SpeedButton3Click()
{
    if (transferRunning())
        return;
    // What the player would get that is likely a mistake, said under the question.
    ProgPanel->ValidateEdits();
    QString question = text::Text(text::MainMessages::TransmitConfirm, CurrentLanguage);
    const QList<TFinding> findings = varno::projectcheck::TransmitFindings(document_.project());
    if (!findings.isEmpty())
        question += QStringLiteral("\n\n") +
                    text::Text(text::AddedTexts::FindingsHeading, CurrentLanguage) +
                    QStringLiteral("\n\u2022 ") +
                    varno::projectcheck::FindingLines(findings, CurrentLanguage)
                        .join(QStringLiteral("\n\u2022 "));
    if (!dialogs_.askYesNo(this, question))
        return;
    transfers_->transmit(); // with the backup and read-back the options ask for
}

// What adding each received program and opening it leaves behind, done once.
void TForm1::installReceived(TProgList &programs, bool complete)
{
    document_.receive(std::move(programs), complete);
    // A broken receive keeps what arrived, to be saved or dropped, with the
    // last program open.
    if (!complete && !PanelList().isEmpty())
        OpenProg(PanelList().last());
}

void TForm1::SpeedButton4Click()
{
    if (transferRunning())
        return;
    if (!AskSaveChanges())
        return;
    if (!dialogs_.askYesNo(this, text::Text(text::MainMessages::ReceiveConfirm, CurrentLanguage)))
        return;
    // The project file of the received name is looked for beside the last project.
    const QString lastFolder = lastProjectFolder();
    ResetPropertiesDialog();
    ClearProject();
    const TReceivedProject received = transfers_->receive([this](TReceivedProject &arrived) {
        installReceived(arrived.project.Programs, arrived.complete());
    });
    if (!received.nameRead())
        return;
    const QString name = received.project.Group.Name;
    document_.setReceivedName(name, received.complete()); // part of what was received
    const QString question =
        text::Text(text::MainMessages::LoadAssociatedProjectConfirm, CurrentLanguage) +
        text::Text(text::MainMessages::AssociatedProjectName, CurrentLanguage) + name;
    if (!dialogs_.askYesNo(this, question))
        return;
    const QString fileName =
        lastFolder.isEmpty()
            ? dialogs_.openFileName(this, FileFilter)
            : dialogs_.openFileNameIn(this, FileFilter, associatedProjectFile(name, lastFolder));
    if (!fileName.isEmpty())
        LoadProjectFile(fileName);
}

void TForm1::Com11Click(QAction *item)
{
    transfers_->choosePort(item);
}

void TForm1::Verif1Click()
{
    if (!SelectedPanel())
        return;
    ProgPanel->ValidateEdits();
    madeOnUse(OKBottomDlg, this)->Prog = SelectedPanel()->Prog;
    dialogs_.exec(OKBottomDlg);
}
