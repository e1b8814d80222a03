// Transmit and receive, the port menu and the verification window of the main
// window.

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
#include <shell/Main.h>
#include <shell/SettingsFile.h>
#include <text/text.h>

TComLink &TForm1::link()
{
    if (link_)
        return *link_;
    if (!ownLink_)
        ownLink_ = std::make_unique<TComLink>();
    return *ownLink_;
}

void TForm1::setLink(TComLink *link)
{
    link_ = link;
}

void TForm1::setTransferring(bool running)
{
    transferring_ = running;
    menuBar()->setEnabled(!running);
    ToolBar1->setEnabled(!running);
    ScrollBox1->setEnabled(!running);
}

void TForm1::showLinkFailure(TLinkResult result)
{
    dialogs_.warn(
        this, varno::link::LinkResultMessage(result, CurrentLanguage, link().lastErrorReason()));
}

void TForm1::SpeedButton3Click()
{
    if (transferring_)
        return;
    // What the player would get that is likely a mistake, said under the question.
    ProgPanel->ValidateEdits();
    QString question = text::Text(text::MainMessages::TransmitConfirm, CurrentLanguage);
    const QList<TFinding> findings = varno::projectcheck::TransmitFindings(document_);
    if (!findings.isEmpty())
        question += QStringLiteral("\n\n") +
                    text::Text(text::AddedTexts::FindingsHeading, CurrentLanguage) +
                    QStringLiteral("\n\u2022 ") +
                    varno::projectcheck::FindingLines(findings, CurrentLanguage)
                        .join(QStringLiteral("\n\u2022 "));
    if (!dialogs_.askYesNo(this, question))
        return;
    TransferDirection = TTransferDirection::Transmit;
    LinkResult = TLinkResult::Ok;
    transmitSafely();
}

// What adding each received program and opening it leaves behind, done once.
void TForm1::installReceived(TProgList &programs, bool complete)
{
    document_.Programs = std::move(programs);
    addPanelsForPrograms();
    if (complete) {
        selectLastFolded();
        clearChangeFlags();
    } else {
        TFrame1 *last = PanelList.isEmpty() ? nullptr : PanelList.last();
        // A broken receive keeps what arrived, to be saved or dropped, with the
        // last program open.
        if (last)
            OpenProg(last);
        UpdateNumberMenu();
        ProjectModified = !ProgList().isEmpty();
    }
}

void TForm1::SpeedButton4Click()
{
    if (transferring_)
        return;
    if (!AskSaveChanges())
        return;
    if (!dialogs_.askYesNo(this, text::Text(text::MainMessages::ReceiveConfirm, CurrentLanguage)))
        return;
    // The project file of the received name is looked for beside the last project.
    const QString lastFolder = lastProjectFolder();
    ResetPropertiesDialog();
    ClearProject();
    TransferDirection = TTransferDirection::Receive;
    LinkResult = TLinkResult::Ok;
    TReceivedProject received;
    OKBottomDlg1->Language = CurrentLanguage;
    OKBottomDlg1->Transfer = [this, &received] {
        received = varno::transfer::ReceiveProjectPrograms(link(), ComPortName, *OKBottomDlg1);
        LinkResult = received.result;
        installReceived(received.project.Programs, received.complete());
    };
    setTransferring(true);
    dialogs_.exec(OKBottomDlg1);
    setTransferring(false);
    showLinkFailure(LinkResult);
    if (!received.resetSchedules.isEmpty()) {
        QStringList numbers;
        for (int number : received.resetSchedules)
            numbers << QString::number(number);
        dialogs_.warn(this, text::Text(text::AddedTexts::ScheduleReset, CurrentLanguage) +
                                numbers.join(QStringLiteral(", ")));
    }

    // What arrived is kept even after a failure, and so is its name: it is read
    // once the receive's own warnings were shown, a failure warned at once.
    OKBottomDlg1->Transfer = nullptr;
    setTransferring(true);
    varno::transfer::ReceiveProjectName(link(), ComPortName, received, *OKBottomDlg1);
    setTransferring(false);
    if (!received.nameRead())
        return;
    const QString name = received.project.Group.Name;
    Project().Name = name;
    updateTitle();
    if (received.complete())
        clearChangeFlags(); // the name is part of what was received
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

// The six standard names, then the serial ports the system has, then the port
// name of the settings file when it is none of these: one radio group, and the
// mark always on the port the next transfer uses.
void TForm1::refreshPortMenu()
{
    for (QAction *item : std::as_const(OtherPorts)) {
        portGroup_->removeAction(item);
        portMenu_->removeAction(item);
        item->deleteLater();
    }
    OtherPorts.clear();
    QStringList standardDevices;
    for (int tag = 1; tag <= 6; ++tag) {
        const QString name = QStringLiteral("COM%1").arg(tag);
        standardDevices << varno::link::PortDeviceName(name);
        ComItems[tag - 1]->setVisible(varno::link::StandardPortOffered(
            varno::link::ThisPortPlatform(), QFileInfo::exists(standardDevices.last()),
            name == ComPortName || name == settingsPortName_));
    }
    QList<varno::link::TSystemPort> system;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        system.append({info.portName(), info.systemLocation(), info.description()});
    for (const auto &port :
         varno::link::OtherSystemPorts(varno::link::ThisPortPlatform(), system, standardDevices))
        addOtherPort(port.Name, port.Label);
    // The port in use and the one the settings named stay on offer even when
    // the system does not list them (a pseudo-terminal, COM7).
    for (const QString &name : {settingsPortName_, ComPortName}) {
        const bool known = standardPortIndex(name) >= 1 ||
                           std::any_of(OtherPorts.cbegin(), OtherPorts.cend(), [&name](QAction *a) {
                               return a->data().toString() == name;
                           });
        if (!known && !name.isEmpty())
            addOtherPort(name, name);
    }
    otherPortsHeading_->setVisible(!OtherPorts.isEmpty());
    markPort();
}

QAction *TForm1::addOtherPort(const QString &name, const QString &label)
{
    // A "&" of a port name is shown, not taken as the mark of a shortcut key.
    auto *item = new QAction(QString(label).replace(QLatin1Char('&'), QStringLiteral("&&")), this);
    item->setCheckable(true);
    item->setData(name);
    portGroup_->addAction(item);
    portMenu_->addAction(item);
    OtherPorts << item;
    return item;
}

void TForm1::markPort()
{
    const int index = standardPortIndex(ComPortName);
    if (index >= 1) {
        ComItems[index - 1]->setChecked(true);
        return;
    }
    for (QAction *item : std::as_const(OtherPorts)) {
        if (item->data().toString() == ComPortName) {
            item->setChecked(true);
            return;
        }
    }
    if (!ComPortName.isEmpty())
        addOtherPort(ComPortName, ComPortName)->setChecked(true);
    otherPortsHeading_->setVisible(!OtherPorts.isEmpty());
}

void TForm1::Com11Click(QAction *item)
{
    item->setChecked(true);
    const int tag = ComItems.indexOf(item) + 1;
    ComPortName = tag >= 1 ? QStringLiteral("COM%1").arg(tag) : item->data().toString();
}

void TForm1::Verif1Click()
{
    if (!SelectedPanel)
        return;
    ProgPanel->ValidateEdits();
    OKBottomDlg->Prog = SelectedPanel->Prog;
    dialogs_.exec(OKBottomDlg);
}
