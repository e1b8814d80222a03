#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <link/Transfer.h>
#include <memory>
#include <text/Language.h>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;
class TComLink;
class TComparisonWindow;
class TOKBottomDlg1;
class TProgrammerOptions;
class TProjectDocument;
class TUserDialogs;
namespace varno::transfer {
struct TFieldDifference;
struct TPlayerImage;
struct TSafeTransmitReport;
} // namespace varno::transfer

// The main window's transfers: the serial link and the port the next transfer
// uses (with the port menu), the progress dialog, and the transmit with its
// backup and read-back, the receive, the restore of a backup and the player's
// verification, each worded for the user. The window asks its questions first
// and takes no command while one runs.
class TTransferCommands : public QObject
{
    Q_OBJECT

public:
    TTransferCommands(TProjectDocument &document, TUserDialogs &dialogs, TOKBottomDlg1 &progress,
                      QWidget &window);
    ~TTransferCommands() override;

    // The main window's state, kept here.
    // The serial port of the transfers: COM1..COM6 or another port's name.
    QString ComPortName = QStringLiteral("COM1");
    TLinkResult LinkResult = TLinkResult::Ok; // the result of the last transfer
    // The direction of the last transfer; nothing reads it.
    TTransferDirection TransferDirection = TTransferDirection::Transmit;
    // The port menu (PortCOM1): Com11..Com61, then the system's serial ports
    // and a port name of the settings.
    QAction *PortCOM1 = nullptr;
    QList<QAction *> ComItems;
    const QList<QAction *> &otherPorts() const { return otherPorts_; }
    // The differences between player and project; made when first shown.
    TComparisonWindow *comparisonWindow() const { return comparisonWindow_; }

    void setLanguage(text::Language language);
    // Backups and read-backs; not owned, replaced when the options file is.
    void setOptions(TProgrammerOptions *options) { options_ = options; }
    // The serial link; tests give one with a short watchdog. Not owned; the
    // commands' own link is used when none is set.
    void setLink(TComLink *link) { link_ = link; }
    TComLink &link();
    bool running() const { return running_; }

    // The port menu in rs232, its items captioned in language.
    void buildPortMenu(QMenu *rs232);
    void translatePortMenu();
    void refreshPortMenu(); // lists the system's serial ports; run when it opens
    // The port the settings named: used, and kept in the menu.
    void setSettingsPort(const QString &name);
    void choosePort(QAction *item); // a port menu item: the port the next transfers use

    // Sends the project, with the backup and read-back the options ask for.
    void transmit();
    // Receives the programs (arrived is called with them as soon as they are
    // in, before any message), then the project's name, while the progress
    // dialog shows; says what went wrong.
    TReceivedProject receive(const std::function<void(TReceivedProject &)> &arrived);
    // Compares the player with the project and shows the differences.
    void verifyPlayer();
    void showLinkFailure(TLinkResult result); // the message of a link result

signals:
    void runningChanged(bool running);

private:
    void setRunning(bool running);
    // Runs one transfer in the progress dialog, the window locked meanwhile.
    void runInProgressDialog(const std::function<void()> &transfer);
    // A transmit that stopped once it had begun to write: says so, names the
    // backup and offers to put it back.
    void transmitStoppedHalfWay(const varno::transfer::TSafeTransmitReport &report);
    void restoreBackup(const varno::transfer::TPlayerImage &image);
    void showDifferences(const QList<varno::transfer::TFieldDifference> &differences);
    void markPort(); // marks ComPortName in the port menu, added when missing
    QAction *addOtherPort(const QString &name, const QString &label);

    TProjectDocument &document_;
    TUserDialogs &dialogs_;
    TOKBottomDlg1 &progress_;
    QWidget &window_;
    text::Language language_ = text::English;
    TProgrammerOptions *options_ = nullptr;
    std::unique_ptr<TComLink> ownLink_; // made when first needed
    TComLink *link_ = nullptr;          // the link setLink gave, not owned
    bool running_ = false;
    QString settingsPortName_;             // the port the settings named, kept in the port menu
    QMenu *portMenu_ = nullptr;            // the port menu
    QActionGroup *portGroup_ = nullptr;    // its items, one checked
    QAction *otherPortsHeading_ = nullptr; // over the system's ports
    QList<QAction *> otherPorts_;          // the ports after the heading
    TComparisonWindow *comparisonWindow_ = nullptr;
};
