#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <link/Transfer.h>
#include <memory>
#include <model/FileState.h>
#include <model/Project.h>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QScrollArea;
class QStatusBar;
class QToolBar;
class QToolButton;
class TForm2;
class TForm3;
class TComLink;
class TFrame1;
class TFrame2;
class TOKBottomDlg;
class TOKBottomDlg1;
class TProjectLock;
class TProjectRecovery;
struct TProjectClaim;
struct TNarrowedNumber;
struct TProjectCheck;
class QTimer;
class TComparisonWindow;
class TProgrammerOptions;
class TScheduleWindow;
class TSettingsFile;
class TUserDialogs;
class TProjectUndo;
namespace varno::transfer {
struct TPlayerImage;
struct TSafeTransmitReport;
} // namespace varno::transfer

// The main window: owner of the project, of one compact row per program and of
// the one program panel, with the menus, the toolbar and the project commands.
//
// Controls (objectName = member name):
//   File1: New2, Property1, Open1, Save1, SaveAs1, Export1 (hidden), Exit1
//   Edit1: New1, Delete1, Couper1/Copier1/Coller1 (hidden)
//   RS2321: Transmit1, Receive1, PortCOM1 with Com11..Com61
//   Language1: English1, French1, Espaol1          Help1: About1
//   ToolBar1: SpeedButton3 transmit, SpeedButton4 receive, SpeedButton1 new program,
//             SpeedButton2 delete program, SpeedButton7/6/5 (hidden)
//   ScrollBox1: the rows and the program panel      StatusBar1
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString TitlePrefix = QStringLiteral("VARNO Programmer : ");
    static inline const QString FileFilter = QStringLiteral("Program (*.prg)");

    // Where the settings file lives and how questions are asked are injected so
    // that tests run the real window against a temporary directory and scripted
    // answers. FormCreate runs here: settings read, last project loaded.
    TForm1(TUserDialogs &dialogs, TSettingsFile &settings, QWidget *parent = nullptr)
        : TForm1(dialogs, settings, QString(), parent)
    {
    }
    // projectFile, when given, is opened in place of the settings' last project
    // (a file named on the command line); one that does not load is reported.
    TForm1(TUserDialogs &dialogs, TSettingsFile &settings, const QString &projectFile,
           QWidget *parent = nullptr);
    ~TForm1() override;

    // Application state.
    TVARNOGroup &Project() { return document_.Group; }
    const TVARNOGroup &Project() const { return document_.Group; }
    TProgList &ProgList() { return document_.Programs; }
    const TProgList &ProgList() const { return document_.Programs; }
    QList<TFrame1 *> PanelList;
    TFrame1 *SelectedPanel = nullptr;
    TFrame2 *ProgPanel = nullptr;
    quint8 CurrentLanguage = 2;
    QString ComPortName = QStringLiteral("COM1");
    QString ProjectFileName;
    TLinkResult LinkResult = TLinkResult::Ok;
    bool ProjectModified = false;
    bool ProjectReadOnly = false; // open in another programmer: Save goes through Save As
    TTransferDirection TransferDirection = TTransferDirection::Transmit;

    // Commands.
    void SpeedButton1Click(); // New Program
    void SpeedButton2Click(); // Delete Program
    void New2Click();         // New Project
    void Property1Click();
    void About1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void Exit1Click();
    void English1Click();
    void French1Click();
    void Espaol1Click();
    void SpeedButton3Click(); // Transmit
    void SpeedButton4Click(); // Receive
    void Com11Click(QAction *item);
    void Verif1Click();
    // The schedule window, the project report and the programs as CSV (MainSchedule.cpp).
    void Schedule1Click();
    void ExportReport1Click();
    void PrintReport1Click();
    void ExportCsv1Click();
    void ImportCsv1Click();
    void VerifyPlayer1Click();
    void OpenBackup1Click();
    // Recent projects, dropped files, Duplicate and window places (MainFiles.cpp).
    void DuplicateProgram1Click();
    void OpenRecentProject(const QString &fileName);
    // A project the system or a drop asks to open: once the event that brought
    // it is over, after the save question, never during a transfer.
    void openRequestedProject(const QString &fileName);
    void refreshRecentMenu();
    // At start-up, before the window shows, from the options file, on the
    // screens that exist now.
    void restoreWindowPlacement();
    void saveWindowPlacement();

    // The user's guide, the names file dialogs propose, the status line after a
    // file is written (MainConveniences.cpp).
    void UsersGuide1Click();
    // The project's name as a file name with suffix, in the folder of the last project.
    QString proposedFileName(const QString &suffix) const;
    QString lastProjectFolder() const;
    // The project file named after projectName in folder when there is one, else folder.
    QString associatedProjectFile(const QString &projectName, const QString &folder) const;
    void showFileWritten(const QString &fileName);

    // The options beyond the settings file; tests point them at a file of their own.
    TProgrammerOptions &options() { return *options_; }
    void setOptionsFile(const QString &file);

    // The serial link the transfers use; tests give one with a short watchdog.
    // Not owned; the window's own link is used when none is set.
    void setLink(TComLink *link);
    bool transferRunning() const { return transferring_; }
    // Lists the system's serial ports in the port menu; run when it opens.
    void refreshPortMenu();

    // Operations other parts use.
    bool isChanged() const;
    // False when the user wanted the changes saved and they were not: the
    // command that asked must then stop.
    bool AskSaveChanges();
    void ClearProject();
    void ResetPropertiesDialog();
    void OpenProg(TFrame1 *panel);
    void ActualizeOneProg(TFrame1 *panel);
    void ActualizeBVProg();
    void ActiveSelected(TFrame1 *panel);
    void HighlightPanel(TFrame1 *panel);
    void LayoutFolded();
    void LayoutPanels();
    void UpdateNumberMenu();
    void SelectAPopUpMenuNumOfProg(int number);
    void markGoToNumbers();
    void DeleteSelectedProg();
    void TranslateMainWindow();
    void ReadSettings();
    void WriteSettings();
    // Replaces the project by the file's, only when the whole file reads; a
    // file that does not shows an error and leaves the window as after New
    // Project, with no file name. True when loaded.
    bool LoadProjectFile(QString fileName); // by value: callers pass ProjectFileName
    void updateTitle();
    // Keeps a recovery copy of unsaved changes in folder (the user's data folder;
    // a temporary one in tests), checked every intervalMs; first offers the copies
    // a programmer that did not close normally left.
    void startRecovery(const QString &folder, int intervalMs = 10000);
    void writeRecoveryCopy();

    // Undo and redo (shell/MainUndo.cpp): the history, and what its steps do.
    TProjectUndo &undoHistory() { return *undo_; }
    void restoreProgram(int position, const TVARNOProg &record);
    void insertProgram(int position, const TVARNOProg &record);
    void removeProgram(int position);
    void restoreProperties(const TVARNOGroup &group);
    void restorePrograms(const QList<TVARNOProg> &records);
    void stepNotApplied(const QString &stepName);

    // Controls.
    QAction *File1, *New2, *Property1, *Open1, *Save1, *SaveAs1, *Export1, *Exit1;
    QAction *Edit1, *New1, *Delete1, *Couper1, *Copier1, *Coller1;
    QAction *RS2321, *Transmit1, *Receive1, *PortCOM1;
    QList<QAction *> ComItems;   // Com11..Com61
    QList<QAction *> OtherPorts; // the system's serial ports, and a port name of the settings
    QAction *Verif1;
    QAction *Schedule1, *ExportReport1, *PrintReport1, *ExportCsv1, *ImportCsv1;
    QToolButton *ScheduleButton;
    TScheduleWindow *ScheduleWindow1 = nullptr; // created when first opened
    QAction *OpenBackup1, *BackupBefore1, *VerifyAfter1, *VerifyPlayer1;
    QAction *Language1, *English1, *French1, *Espaol1;
    QAction *Help1, *About1;
    QAction *UsersGuide1 = nullptr;
    QToolBar *ToolBar1;
    QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5,
        *SpeedButton6, *SpeedButton7;
    QScrollArea *ScrollBox1;
    QStatusBar *StatusBar1;
    TForm2 *Form2 = nullptr; // these three made when first opened (MadeOnUse.h)
    TForm3 *Form3 = nullptr;
    TOKBottomDlg *OKBottomDlg;   // verification window
    TOKBottomDlg1 *OKBottomDlg1; // progress dialog
    TComparisonWindow *ComparisonWindow = nullptr;
    QAction *RecentProjects1 = nullptr, *DuplicateProgram1 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildMenus();
    void buildUndo();
    void buildToolbar();
    void buildScheduleCommands();
    void buildFilesItems();
    void buildConveniences();
    void translateConveniences();
    void translateFilesItems();
    void rememberRecent(const QString &fileName);
    void restoreSchedulePlacement();
    void translateScheduleCommands();
    void openProgramAt(int position);
    QString reportHtml();
    void bindPanel(TFrame1 *panel);
    TFrame1 *createPanel(TVARNOProg *program);
    // Adds the row of a program just added last to the list, opens it and
    // records the step (New Program, Duplicate program).
    void installAddedProgram(TVARNOProg *program);
    void placeAndScroll(int contentHeight);
    void scrollToSelected();
    bool keysInList() const;
    void keepFocusOn(TFrame1 *selected, bool hadKeys = false);
    // While a transfer runs the window takes no command.
    void setTransferring(bool running);
    void clearChangeFlags();
    void copyPropertiesFromDialog();
    bool saveTo(const QString &fileName);
    // Files other programs change (shell/MainFiles.cpp). At Save: Overwrite
    // when the project file is as this window last read or wrote it, else
    // what the user chose.
    enum class TChangedFileChoice
    {
        Overwrite,
        SaveAs,
        Cancel,
    };
    TChangedFileChoice choiceForChangedFile();
    // Export, report and print to a file: true, with a warning, when the file
    // chosen is a project (this window's or any other) or is locked by another
    // running programmer.
    bool refusedAsExport(const QString &fileName);
    void setLanguage(quint8 language);
    void markPort();
    QAction *addOtherPort(const QString &name, const QString &label);
    void showLinkFailure(TLinkResult result);
    void installReceived(TProgList &programs, bool complete);
    void addPanelsForPrograms();
    void warnSharedNumbers(const QList<TProjectCheck> &checks);
    void warnNarrowed(const QList<TProjectCheck> &checks);
    void selectLastFolded();
    TComLink &link();
    // A double click opens the row its first click was on: that click may have
    // folded the open program and moved another row, or none, under the pointer.
    void rowClicked(TFrame1 *row);
    void openDoubleClickedRow(TFrame1 *under);
    // Recovery copies (shell/Recovery.cpp).
    void discardRecoveryCopy();
    void closeRecoveryNormally();
    void offerLeftCopies();
    void installRecovered(TProject project, const QString &sourceFile);
    void setRecoveryFailing(bool failing, const QString &reason);
    void translateRecoveryState();
    // Project locks (shell/ProjectLock.cpp). ask: question the user when another
    // programmer holds the file, rather than take it read-only.
    TProjectClaim claimProjectFile(const QString &fileName, bool ask);
    void holdProjectFile(TProjectClaim claim);
    void releaseProjectFile();
    void buildSafetyItems(QMenu *file, QMenu *rs232);
    void translateSafetyItems();
    void syncSafetyItems();
    void transmitSafely();
    // A transmit that stopped once it had begun to write: says so, names the
    // backup and offers to put it back.
    void transmitStoppedHalfWay(const varno::transfer::TSafeTransmitReport &report);
    void restoreBackup(const varno::transfer::TPlayerImage &image);
    // Runs one transfer in the progress dialog, the window locked meanwhile.
    void runInProgressDialog(const std::function<void()> &transfer);

    TUserDialogs &dialogs_;
    TSettingsFile &settings_;
    TProject document_;
    QWidget *rows_;
    QActionGroup *languageGroup_;
    QActionGroup *portGroup_;
    QMenu *portMenu_;
    QAction *otherPortsHeading_;
    std::unique_ptr<TComLink> ownLink_;
    std::unique_ptr<TProgrammerOptions> options_;
    TComLink *link_ = nullptr;
    bool transferring_ = false;
    QString settingsPortName_; // the port the settings named, kept in the port menu
    bool closing_ = false;
    QPointer<TFrame1> clickedRow_;
    QElapsedTimer clickedAt_;
    std::unique_ptr<TProjectRecovery> recovery_;
    QTimer *recoveryTimer_ = nullptr;
    bool recoveryFailing_ = false; // the user was told the copies cannot be written
    std::unique_ptr<TProjectLock> projectLock_;
    TFileState fileState_; // the project file as last opened or saved here
    std::unique_ptr<TProjectUndo> undo_;
    QByteArray savedState_; // the project file's bytes when last loaded, saved or received
};
