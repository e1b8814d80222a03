// The main window's transfers: the link, the port menu, the progress dialog,
// and what a transmit, a receive, a restore and a verification of the player
// tell the user.

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSerialPortInfo>
#include <QWidget>
#include <editor/UserDialogs.h>
#include <link/BackupImage.h>
#include <link/ComLink.h>
#include <link/LinkMessage.h>
#include <link/PlayerImage.h>
#include <link/PortList.h>
#include <link/PortName.h>
#include <link/Restore.h>
#include <link/SafeTransmit.h>
#include <link/dialogs/ComparisonWindow.h>
#include <link/dialogs/ProgessBar.h>
#include <shell/MadeOnUse.h>
#include <shell/ProgrammerOptions.h>
#include <shell/ProjectDocument.h>
#include <shell/SettingsFile.h>
#include <shell/TransferCommands.h>
#include <text/text.h>

namespace {

QAction *namedAction(QObject *parent, const char *name)
{
    auto *action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

TTransferCommands::TTransferCommands(TProjectDocument &document, TUserDialogs &dialogs,
                                     TOKBottomDlg1 &progress, QWidget &window)
    : QObject(&window), document_(document), dialogs_(dialogs), progress_(progress), window_(window)
{
}

TTransferCommands::~TTransferCommands() = default;

TComLink &TTransferCommands::link()
{
    if (link_)
        return *link_;
    if (!ownLink_)
        ownLink_ = std::make_unique<TComLink>();
    return *ownLink_;
}

void TTransferCommands::setLanguage(text::Language language)
{
    language_ = language;
    translatePortMenu();
}

void TTransferCommands::setRunning(bool running)
{
    running_ = running;
    emit runningChanged(running);
}

void TTransferCommands::showLinkFailure(TLinkResult result)
{
    dialogs_.warn(&window_,
                  varno::link::LinkResultMessage(result, language_, link().lastErrorReason()));
}

void TTransferCommands::runInProgressDialog(const std::function<void()> &transfer)
{
    progress_.Language = language_;
    progress_.Transfer = transfer;
    setRunning(true);
    dialogs_.exec(&progress_);
    setRunning(false);
    progress_.Transfer = nullptr;
}

void TTransferCommands::showDifferences(const QList<varno::transfer::TFieldDifference> &differences)
{
    madeOnUse(comparisonWindow_, &window_)->showDifferences(differences, language_);
    dialogs_.exec(comparisonWindow_);
}

TReceivedProject TTransferCommands::receive(const std::function<void(TReceivedProject &)> &arrived)
{
    TransferDirection = TTransferDirection::Receive;
    LinkResult = TLinkResult::Ok;
    TReceivedProject received;
    runInProgressDialog([this, &received, &arrived] {
        received = varno::transfer::ReceiveProjectPrograms(link(), ComPortName, progress_);
        LinkResult = received.result;
        arrived(received);
    });
    showLinkFailure(LinkResult);
    if (!received.resetSchedules.isEmpty()) {
        QStringList numbers;
        for (int number : received.resetSchedules)
            numbers << QString::number(number);
        dialogs_.warn(&window_, text::Text(text::AddedTexts::ScheduleReset, language_) +
                                    numbers.join(QStringLiteral(", ")));
    }
    // What arrived is kept even after a failure, and so is its name: it is read
    // once the receive's own warnings were shown, a failure warned at once.
    setRunning(true);
    varno::transfer::ReceiveProjectName(link(), ComPortName, received, progress_);
    setRunning(false);
    return received;
}

void TTransferCommands::verifyPlayer()
{
    QList<varno::transfer::TFieldDifference> differences;
    TLinkResult result = TLinkResult::Ok;
    runInProgressDialog([&] {
        result = varno::transfer::RunVerify(link(), ComPortName, document_.project(), differences,
                                            progress_);
    });
    if (result != TLinkResult::Ok) {
        // Failures were shown as they happened; a cancel is said here.
        if (result == TLinkResult::Cancelled)
            showLinkFailure(result);
        return;
    }
    showDifferences(differences);
}

void TTransferCommands::buildPortMenu(QMenu *rs232)
{
    QMenu *ports = rs232->addMenu(QString());
    portMenu_ = ports;
    PortCOM1 = ports->menuAction();
    PortCOM1->setObjectName(QStringLiteral("PortCOM1"));
    portGroup_ = new QActionGroup(this);
    for (int tag = 1; tag <= 6; ++tag) {
        QAction *item =
            namedAction(&window_, QStringLiteral("Com%11").arg(tag).toLatin1().constData());
        item->setCheckable(true);
        item->setData(tag);
        portGroup_->addAction(item);
        ports->addAction(item);
        ComItems << item;
    }
    ComItems.first()->setChecked(true);
    otherPortsHeading_ = ports->addSection(QString());
    otherPortsHeading_->setVisible(false);
    connect(ports, &QMenu::aboutToShow, this, &TTransferCommands::refreshPortMenu);
    connect(portGroup_, &QActionGroup::triggered, this, &TTransferCommands::choosePort);
}

void TTransferCommands::translatePortMenu()
{
    using text::RS232MenuTexts;
    if (!PortCOM1)
        return;
    PortCOM1->setText(text::Text(RS232MenuTexts::ComPortMenu, language_));
    for (int i = 0; i < ComItems.size(); ++i)
        ComItems[i]->setText(text::Text(RS232MenuTexts(int(RS232MenuTexts::Com1) + i), language_));
    otherPortsHeading_->setText(text::Text(text::AddedTexts::OtherPorts, language_));
}

void TTransferCommands::setSettingsPort(const QString &name)
{
    ComPortName = name;
    settingsPortName_ = name;
    markPort();
}

void TTransferCommands::choosePort(QAction *item)
{
    item->setChecked(true);
    const int tag = ComItems.indexOf(item) + 1;
    ComPortName = tag >= 1 ? QStringLiteral("COM%1").arg(tag) : item->data().toString();
}

void TTransferCommands::transmit()
{
    using text::AddedTexts;
    TransferDirection = TTransferDirection::Transmit;
    LinkResult = TLinkResult::Ok;
    varno::transfer::TSafeTransmitOptions safety;
    safety.Backup = options_->backupBeforeTransmit();
    safety.BackupDirectory = options_->BackupDirectory;
    safety.Verify = options_->verifyAfterTransmit();
    varno::transfer::TSafeTransmitReport report;
    runInProgressDialog([&] {
        report = varno::transfer::RunSafeTransmit(link(), ComPortName, document_.project(), safety,
                                                  progress_);
    });
    const text::Language l = language_;
    const QString reason = link().lastErrorReason();
    using varno::transfer::TSafeOutcome;
    const TSafeOutcome outcome = report.outcome();
    switch (outcome) {
    case TSafeOutcome::CancelledReadingBackup:
        LinkResult = report.Result;
        showLinkFailure(LinkResult); // stopped while reading: nothing was written
        return;
    case TSafeOutcome::BackupReadFailed:
    case TSafeOutcome::BackupNotSaved: {
        // A link failure was shown as it happened; now why nothing was written.
        QString message = text::Text(AddedTexts::BackupFailed, l);
        if (outcome == TSafeOutcome::BackupReadFailed)
            message += QLatin1Char('\n') + varno::link::LinkResultMessage(report.Result, l, reason);
        if (!report.BackupError.isEmpty())
            message += QLatin1Char('\n') + report.BackupError;
        LinkResult = report.Result;
        dialogs_.warn(&window_, message);
        return;
    }
    case TSafeOutcome::CancelledPartlyWritten:
    case TSafeOutcome::FailedPartlyWritten:
        LinkResult = report.Result;
        transmitStoppedHalfWay(report);
        return;
    // Nothing reached the player: the failure, or the cancel, alone.
    case TSafeOutcome::CancelledBeforeWriting:
        LinkResult = report.Result;
        dialogs_.warn(&window_, text::Text(AddedTexts::TransmitCancelled, l));
        return;
    case TSafeOutcome::FailedBeforeWriting:
        LinkResult = report.Result;
        showLinkFailure(LinkResult);
        return;
    case TSafeOutcome::Written:
    case TSafeOutcome::Verified:
    case TSafeOutcome::VerifyDiffers:
    case TSafeOutcome::VerifyFailed:
        break;
    }

    // The transmit succeeded; the read-back, when asked, adds its verdict.
    LinkResult = TLinkResult::Ok;
    QString message = varno::link::LinkResultMessage(TLinkResult::Ok, l);
    if (!report.FinalizeConfirmed)
        message += QLatin1Char('\n') + text::Text(AddedTexts::FinalizeUnconfirmed, l);
    if (outcome == TSafeOutcome::Verified)
        message += QLatin1Char('\n') + text::Text(AddedTexts::Verified, l);
    else if (outcome == TSafeOutcome::VerifyFailed)
        message += QLatin1Char('\n') + varno::link::LinkResultMessage(report.Result, l, reason);
    if (!report.ResetSchedules.isEmpty()) {
        QStringList numbers;
        for (int number : report.ResetSchedules)
            numbers << QString::number(number);
        message += QLatin1Char('\n') + text::Text(AddedTexts::BackupScheduleReset, l) +
                   numbers.join(QStringLiteral(", "));
    }
    dialogs_.warn(&window_, message);
    if (!report.Differences.isEmpty()) {
        showDifferences(report.Differences);
    }
}

// The six standard names, then the serial ports the system has, then the port
// name of the settings file when it is none of these: one radio group, and the
// mark always on the port the next transfer uses.
void TTransferCommands::refreshPortMenu()
{
    for (QAction *item : std::as_const(otherPorts_)) {
        portGroup_->removeAction(item);
        portMenu_->removeAction(item);
        item->deleteLater();
    }
    otherPorts_.clear();
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
        const bool known =
            standardPortIndex(name) >= 1 ||
            std::any_of(otherPorts_.cbegin(), otherPorts_.cend(),
                        [&name](QAction *a) { return a->data().toString() == name; });
        if (!known && !name.isEmpty())
            addOtherPort(name, name);
    }
    otherPortsHeading_->setVisible(!otherPorts_.isEmpty());
    markPort();
}

QAction *TTransferCommands::addOtherPort(const QString &name, const QString &label)
{
    // A "&" of a port name is shown, not taken as the mark of a shortcut key.
    auto *item =
        new QAction(QString(label).replace(QLatin1Char('&'), QStringLiteral("&&")), &window_);
    item->setCheckable(true);
    item->setData(name);
    portGroup_->addAction(item);
    portMenu_->addAction(item);
    otherPorts_ << item;
    return item;
}

void TTransferCommands::markPort()
{
    const int index = standardPortIndex(ComPortName);
    if (index >= 1) {
        ComItems[index - 1]->setChecked(true);
        return;
    }
    for (QAction *item : std::as_const(otherPorts_)) {
        if (item->data().toString() == ComPortName) {
            item->setChecked(true);
            return;
        }
    }
    if (!ComPortName.isEmpty())
        addOtherPort(ComPortName, ComPortName)->setChecked(true);
    otherPortsHeading_->setVisible(!otherPorts_.isEmpty());
}

void TTransferCommands::transmitStoppedHalfWay(const varno::transfer::TSafeTransmitReport &report)
{
    using text::AddedTexts;
    const text::Language l = language_;
    QString message =
        report.outcome() == varno::transfer::TSafeOutcome::CancelledPartlyWritten
            ? text::Text(AddedTexts::TransmitCancelled, l)
            : varno::link::LinkResultMessage(report.Result, l, link().lastErrorReason()) +
                  QLatin1Char('\n') + text::Text(AddedTexts::TransmitFailedPartly, l);
    if (report.BackupPath.isEmpty()) {
        dialogs_.warn(&window_,
                      message + QLatin1Char('\n') + text::Text(AddedTexts::NoBackupMade, l));
        return;
    }
    message +=
        QLatin1Char('\n') +
        text::Text(AddedTexts::BackupNamed, l).arg(QDir::toNativeSeparators(report.BackupPath));
    // Only the bytes as read go back; a backup that cannot is not offered.
    if (const QString why = varno::backup::WhyNotRestorable(report.BackupImage); !why.isEmpty()) {
        dialogs_.warn(&window_, message + QLatin1Char('\n') +
                                    text::Text(AddedTexts::BackupNotRestorable, l).arg(why));
        return;
    }
    if (dialogs_.askYesNo(&window_, message + QLatin1Char('\n') +
                                        text::Text(AddedTexts::TransmitBackupQuestion, l)))
        restoreBackup(report.BackupImage);
}

void TTransferCommands::restoreBackup(const varno::transfer::TPlayerImage &image)
{
    using text::AddedTexts;
    varno::transfer::TRestoreReport restored;
    runInProgressDialog(
        [&] { restored = varno::transfer::RunRestore(link(), ComPortName, image, progress_); });
    const text::Language l = language_;
    LinkResult = restored.Result;
    if (!restored.Refused.isEmpty()) {
        dialogs_.warn(&window_,
                      text::Text(AddedTexts::BackupNotRestorable, l).arg(restored.Refused));
        return;
    }
    if (restored.Result != TLinkResult::Ok) {
        showLinkFailure(LinkResult);
        return;
    }
    QString message = varno::link::LinkResultMessage(TLinkResult::Ok, l);
    if (!restored.FinalizeConfirmed)
        message += QLatin1Char('\n') + text::Text(AddedTexts::FinalizeUnconfirmed, l);
    message += QLatin1Char('\n') +
               text::Text(restored.Verified ? AddedTexts::Verified : AddedTexts::RestoreDiffers, l);
    dialogs_.warn(&window_, message);
    if (!restored.Differences.isEmpty()) {
        showDifferences(restored.Differences);
    }
}
