#pragma once

#include <QMainWindow>
#include <functional>
#include <link/Transfer.h>
#include <memory>
#include <model/Project.h>
#include <shell/ProgramRows.h>
#include <shell/ProjectDocument.h>
#include <shell/TransferCommands.h>
#include <text/Language.h>

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
struct TNarrowedNumber;
struct TProjectCheck;
class QTimer;
class TComparisonWindow;
class TProgrammerOptions;
class TScheduleWindow;
class TSettingsFile;
class TUserDialogs;
class TProjectUndo;

// The main window: the view of the project document (ProjectDocument.h). Its
// rows and program panel (ProgramRows.h) follow the document's signals; its
// transfers (TransferCommands.h) hold the link and the port; the window itself
// holds the menus, the toolbar, the language and the settings, and the
// commands, which ask the user, then call the document's operations.
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
    // The window title before the project name.
    static inline const QString TitlePrefix = QStringLiteral("VARNO Programmer : ");
    // The file dialogs' filter of project files.
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
    // The project's properties (name, subject, author...) and its programs, in row order.
    TVARNOGroup &Project() { return document_.group(); }
    const TVARNOGroup &Project() const { return document_.group(); }
    TProgList &ProgList() { return document_.programs(); }
    const TProgList &ProgList() const { return document_.programs(); }
    // The project, its file, its history: what the window shows.
    TProjectDocument &document() { return document_; }
    // One compact row per program, in the order of ProgList (ProgramRows.h).
    QList<TFrame1 *> &PanelList() { return rows_->PanelList; }
    // The selected row: Delete, Duplicate and Verif act on its program.
    TFrame1 *&SelectedPanel() { return rows_->SelectedPanel; }
    TFrame2 *ProgPanel = nullptr; // the one program panel, shown in place of the open program's row
    text::Language CurrentLanguage = text::English; // kept in the settings file
    // The serial port of the transfers: COM1..COM6 or another port's name.
    QString &ComPortName() { return transfers_->ComPortName; }
    // The project's file; empty until it is opened or saved.
    const QString &ProjectFileName() const { return document_.fileName(); }
    // The result of the last transfer.
    TLinkResult LinkResult() const { return transfers_->LinkResult; }
    // Set by a change to the project, cleared at save and load; isChanged() decides.
    bool ProjectModified() const { return document_.modified(); }
    // Open in another programmer: Save goes through Save As.
    bool ProjectReadOnly() const { return document_.readOnly(); }
    // The direction of the last transfer; nothing reads it.
    TTransferDirection TransferDirection() const { return transfers_->TransferDirection; }

    // Commands.
    void SpeedButton1Click(); // New Program
    void SpeedButton2Click(); // Delete Program
    void New2Click();         // New Project
    void Property1Click();    // the Project Properties dialog; its accepted fields are one step
    void About1Click();       // the About box
    void Open1Click();        // after the save question, opens a project file chosen in a dialog
    // Writes the project to its file, asking first when another program changed it;
    // without a file on the disk, or read-only, through Save As.
    void Save1Click();
    void SaveAs1Click();  // writes the project to a file chosen, unless another programmer has it
    void Exit1Click();    // closes the window; closeEvent asks the save question
    void English1Click(); // switches the interface to English and captions it again
    void French1Click();  // switches the interface to French and captions it again
    void Espaol1Click();  // switches the interface to Spanish and captions it again
    void SpeedButton3Click();       // Transmit
    void SpeedButton4Click();       // Receive
    void Com11Click(QAction *item); // a port menu item: the port the next transfers use
    // The verification window: the bytes a transmit sends for the selected program.
    void Verif1Click();
    // The schedule window, the project report and the programs as CSV (MainSchedule.cpp).
    void Schedule1Click();     // opens the schedule window, or brings it to the front
    void ExportReport1Click(); // writes the project report as HTML or PDF
    void PrintReport1Click();  // prints the project report
    void ExportCsv1Click();    // writes the programs as CSV
    void ImportCsv1Click();    // adds or replaces programs from a CSV file, as one step
    void VerifyPlayer1Click(); // compares the player with the project and shows the differences
    void OpenBackup1Click();   // opens a project file from the backup folder of transmits
    // Recent projects, dropped files, Duplicate and window places (MainFiles.cpp).
    void DuplicateProgram1Click(); // adds a copy of the selected program under a free number, open
    // A Recent Projects item: opens it, or forgets it when gone.
    void OpenRecentProject(const QString &fileName);
    // A project the system or a drop asks to open: once the event that brought
    // it is over, after the save question, never during a transfer.
    void openRequestedProject(const QString &fileName);
    void refreshRecentMenu(); // fills the Recent Projects menu from the options file
    // At start-up, before the window shows, from the options file, on the
    // screens that exist now.
    void restoreWindowPlacement();
    // At close: the main and schedule windows' places, to the options file.
    void saveWindowPlacement();

    // The user's guide, the names file dialogs propose, the status line after a
    // file is written (MainConveniences.cpp).
    void UsersGuide1Click();
    // The project's name as a file name with suffix, in the folder of the last project.
    QString proposedFileName(const QString &suffix) const;
    // The project file's folder, else the newest recent one's; or empty.
    QString lastProjectFolder() const;
    // The project file named after projectName in folder when there is one, else folder.
    QString associatedProjectFile(const QString &projectName, const QString &folder) const;
    // Says in the status line that the file was written.
    void showFileWritten(const QString &fileName);

    // The options beyond the settings file; tests point them at a file of their own.
    TProgrammerOptions &options() { return *options_; }
    void setOptionsFile(const QString &file);

    // The serial link the transfers use; tests give one with a short watchdog.
    // Not owned; the window's own link is used when none is set.
    void setLink(TComLink *link) { transfers_->setLink(link); }
    // The window takes no command meanwhile.
    bool transferRunning() const { return transfers_->running(); }
    // Lists the system's serial ports in the port menu; run when it opens.
    void refreshPortMenu() { transfers_->refreshPortMenu(); }

    // Operations other parts use.
    // Save would write other bytes than were last loaded, saved or received.
    bool isChanged() const { return document_.isChanged(); }
    // False when the user wanted the changes saved and they were not: the
    // command that asked must then stop.
    bool AskSaveChanges();
    void ClearProject();          // an empty project without a file: no rows, no history, no lock
    void ResetPropertiesDialog(); // the Project Properties dialog back to a new project's fields
    // Shows the row's program in the program panel, in place of the row.
    void OpenProg(TFrame1 *panel) { rows_->OpenProg(panel); }
    // Folds the open program, if any, then opens the row's.
    void ActualizeOneProg(TFrame1 *panel) { rows_->ActualizeOneProg(panel); }
    void ActualizeBVProg() { rows_->ActualizeBVProg(); } // folds the open program into its row
    // Selects the row, folding the open program first.
    void ActiveSelected(TFrame1 *panel) { rows_->ActiveSelected(panel); }
    // Marks the row as the selected one, and no other.
    void HighlightPanel(TFrame1 *panel) { rows_->HighlightPanel(panel); }
    void LayoutFolded() { rows_->LayoutFolded(); } // every row folded, the program panel hidden
    // Stacks the rows, the program panel in place of the hidden one.
    void LayoutPanels() { rows_->LayoutPanels(); }
    // The number menu offers only the numbers no program bears.
    void UpdateNumberMenu() { rows_->UpdateNumberMenu(); }
    void SelectAPopUpMenuNumOfProg(int number); // a number menu choice: renumbers the open program
    void DeleteSelectedProg(); // deletes the selected program and its row, as one step; no question
    void TranslateMainWindow(); // captions the whole window again in CurrentLanguage
    void ReadSettings();        // language, port and last project from the settings file
    void WriteSettings();       // language, port and project file to the settings file
    // Replaces the project by the file's, only when the whole file reads; a
    // file that does not shows an error and leaves the window as after New
    // Project, with no file name. True when loaded.
    bool LoadProjectFile(QString fileName); // by value: callers pass ProjectFileName()
    void updateTitle(); // the title: prefix, project name and the read-only mark
    // Keeps a recovery copy of unsaved changes in folder (the user's data folder;
    // a temporary one in tests), checked every intervalMs; first offers the copies
    // a programmer that did not close normally left.
    void startRecovery(const QString &folder, int intervalMs = 10000);
    void writeRecoveryCopy(); // one check of the timer: the copy follows the unsaved changes

    // Undo and redo (shell/MainUndo.cpp).
    TProjectUndo &undoHistory() { return document_.history(); } // the history behind Undo and Redo

    // Controls.
    QAction *File1, *New2, *Property1, *Open1, *Save1, *SaveAs1, *Export1, *Exit1; // the File menu
    QAction *Edit1, *New1, *Delete1, *Couper1, *Copier1, *Coller1;                 // the Edit menu
    QAction *RS2321, *Transmit1, *Receive1, *PortCOM1; // the RS232 menu and its port menu
    QList<QAction *> ComItems;                         // Com11..Com61
    // The system's serial ports, and a port name of the settings.
    const QList<QAction *> &OtherPorts() const { return transfers_->otherPorts(); }
    QAction *Verif1; // Edit menu: the verification window
    // Schedule, report and CSV items.
    QAction *Schedule1, *ExportReport1, *PrintReport1, *ExportCsv1, *ImportCsv1;
    QToolButton *ScheduleButton;                // the toolbar's schedule button
    TScheduleWindow *ScheduleWindow1 = nullptr; // created when first opened
    QAction *OpenBackup1, *BackupBefore1, *VerifyAfter1, *VerifyPlayer1; // backups and read-backs
    QAction *Language1, *English1, *French1, *Espaol1;                   // the Language menu
    QAction *Help1, *About1;                                             // the Help menu
    QAction *UsersGuide1 = nullptr; // Help menu: the user's guide
    QToolBar *ToolBar1;             // the toolbar
    // The toolbar buttons: new, delete, transmit, receive; 5 to 7 hidden.
    QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5,
        *SpeedButton6, *SpeedButton7;
    QScrollArea *ScrollBox1; // the scrolled list of the rows and the program panel
    QStatusBar *StatusBar1;  // the status line: files written, recovery copies failing
    // Form2, Form3, OKBottomDlg and ComparisonWindow are made when first opened (MadeOnUse.h).
    TForm2 *Form2 = nullptr;             // the About box
    TForm3 *Form3 = nullptr;             // the Project Properties dialog
    TOKBottomDlg *OKBottomDlg = nullptr; // verification window, made when first opened
    TOKBottomDlg1 *OKBottomDlg1;         // progress dialog
    // The differences between player and project (TransferCommands.h).
    TComparisonWindow *ComparisonWindow() const { return transfers_->comparisonWindow(); }
    QAction *RecentProjects1 = nullptr, *DuplicateProgram1 = nullptr; // File and Edit menu items

protected:
    // The save question, then the settings and window places; refused during a transfer.
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override; // kept on screen, scrolled to the selection
    // Accepts a dragged project file, but not during a transfer.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override; // opens the project file once the drop is over

private:
    void buildMenus();            // the File, Edit, RS232, Language and Help menus
    void buildUndo();             // the Edit menu items of the document's history
    void buildToolbar();          // the toolbar's buttons
    void buildScheduleCommands(); // schedule, report and CSV items; the schedule button
    void buildFilesItems();       // Recent Projects and Duplicate program; drops accepted
    void buildConveniences();     // Ctrl+Q and the user's guide item
    void translateConveniences(); // captions of buildConveniences's items
    void translateFilesItems();   // captions of buildFilesItems's items
    void rememberRecent(const QString &fileName); // the file first among the recent projects
    void restoreSchedulePlacement();  // the schedule window where it was, or beside this one
    void translateScheduleCommands(); // captions of buildScheduleCommands's items
    void openProgramAt(int position); // the schedule window's request: that program open
    QString reportHtml(); // the project report for the schedule window's week, or this week
    // An empty project without a file, with the Project Properties dialog's fields.
    void clearToDialogProperties();
    // Writes the project, its previous version kept; true if written.
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
    // CurrentLanguage, its menu mark, the toolkit's texts; no captions.
    void setLanguage(text::Language language);
    // The programs received become the project, all or what came.
    void installReceived(TProgList &programs, bool complete);
    // Warns of the numbers two programs of the file bear.
    void warnSharedNumbers(const QList<TProjectCheck> &checks);
    // Warns of the numbers and flags the next save writes otherwise.
    void warnNarrowed(const QList<TProjectCheck> &checks);
    // Recovery copies (shell/MainRecovery.cpp).
    void offerLeftCopies(); // offers the copies a programmer that did not close normally left
    // Says in the status line, once, that the copies stop or come back.
    void setRecoveryFailing(bool failing, const QString &reason);
    void translateRecoveryState(); // the status line's warning in the new language
    // The document's claim on the file. ask: question the user when another
    // programmer holds it, rather than take it read-only.
    TProjectClaim claimProjectFile(const QString &fileName, bool ask);
    // Open Backup and the RS232 menu's safety items.
    void buildSafetyItems(QMenu *file, QMenu *rs232);
    void translateSafetyItems(); // captions of buildSafetyItems's items
    void syncSafetyItems();      // the backup and read-back items show the options

    TUserDialogs &dialogs_;        // every question, message and file dialog; tests script it
    TSettingsFile &settings_;      // language, port and last project
    TProjectDocument document_;    // the project, its file and its history
    TProgramRows *rows_;           // inside ScrollBox1: the rows and the program panel
    TTransferCommands *transfers_; // the link, the port menu and the transfers
    QActionGroup *languageGroup_;  // the Language items, one checked
    std::unique_ptr<TProgrammerOptions> options_; // backups, read-backs, recent projects, places
    bool closing_ = false;            // a close was accepted: the save question is not asked again
    QTimer *recoveryTimer_ = nullptr; // the recovery checks
    bool recoveryFailing_ = false;    // the user was told the copies cannot be written
};
