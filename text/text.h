#pragma once

#include <QString>
#include <QtGlobal>
#include <text/Language.h>

// The user-interface texts of the application in its three languages.
//
// Every text that changes with the user-interface language comes from one of the
// fixed tables below. A table is looked up by its key, always named:
//
//     text::Text(text::MainMessages::DeleteConfirm, language)
//
// Only two keys are computed at run time, the link result code (LinkMessage) and
// the weekday (DayName); both take the plain number and check its range.
//
// Rules shared by every lookup:
// - A language index other than 1, 2 or 3 reads as English, the start-up language.
//   The application never stores such a value; this only keeps a lookup total.
// - A key, code, weekday or entry outside its table gives an empty string.
// - Texts are returned exactly as the user sees them, leading and trailing blanks
//   included; some hold a no-break space (U+00A0) before their colon or question mark.
// - Texts are for display only: nothing maps a text back to its key, and no logic may
//   compare a displayed text.
namespace text {

// --- Main window -------------------------------------------------------------------

// Tool-tip hints of the toolbar buttons.
enum class ToolbarHints
{
    TransmitHint,
    ReceiveHint,
    NewProgramHint,
    DeleteProgramHint
};

// Captions of the File menu.
enum class FileMenuTexts
{
    FileMenu,
    NewProject,
    ProjectProperties,
    Open,
    Save,
    SaveAs,
    Export,
    Exit
};

// Captions of the Edit menu.
enum class EditMenuTexts
{
    EditMenu,
    NewProgram,
    DeleteProgram,
    Cut,
    Copy,
    Paste
};

// Captions of the RS232 menu and of its COM port submenu.
enum class RS232MenuTexts
{
    RS232Menu,
    Transmit,
    Receive,
    ComPortMenu,
    Com1,
    Com2,
    Com3,
    Com4,
    Com5,
    Com6
};

// Captions of the Language menu; the three language items read the same in every
// language.
enum class LanguageMenuTexts
{
    LanguageMenu,
    English,
    French,
    Spanish
};

// Captions of the Help menu.
enum class HelpMenuTexts
{
    HelpMenu,
    About
};

// --- Dialogs -----------------------------------------------------------------------

// The project-properties dialog: window title, field labels and buttons.
enum class ProjectPropertiesTexts
{
    PropertiesCaption,
    NameLabel,
    SubjectLabel,
    AuthorLabel,
    CopyrightLabel,
    CustomerLabel,
    CreationDateLabel,
    DiffusionDateLabel,
    PropertiesCommentsLabel,
    OkButton,
    CancelButton
};

// The About box.
enum class AboutTexts
{
    AboutCaption,
    AboutTitle,
    AboutVersion,
    AboutWebAddress
};

// --- Messages ----------------------------------------------------------------------

// Messages of the main window and of the transfers.
// Progress title: ProgressPrefix + program number + ProgressSuffix.
// Question after a receive: LoadAssociatedProjectConfirm + AssociatedProjectName +
// the project name read from the player.
enum class MainMessages
{
    DeleteConfirm,
    TransmitConfirm,
    ProgressPrefix,
    ProgressSuffix,
    FinalizationStep,
    SaveChangesConfirm,
    ReceiveConfirm,
    LoadAssociatedProjectConfirm,
    AssociatedProjectName
};

// Warning when a 256th program would be created.
enum class ProgramLimitMessage
{
    TooManyPrograms
};

// One message per link result code; the enumerator's value is the code.
enum class LinkMessages
{
    LinkOk,
    LinkInitError,
    LinkWriteError,
    LinkReadError,
    LinkOpenError,
    LinkParamAccessError,
    LinkSettingError,
    LinkTimeoutsError,
    LinkCloseError,
    LinkPlayerNotReady,
    LinkEepromWriteError,
    LinkEepromReadError
};

// --- Program panel and compact panels ----------------------------------------------

// Captions of the program panel; the section headings begin with blanks that leave
// room for their icon.
enum class PanelTexts
{
    ActivateLabel,
    PriorityLabel,
    CommentsLabel,
    InputsLabel,
    TimerModeLabel,
    OnOffLabel,
    ClockLabel,
    DateLabel,
    EveryDayLabel,
    EveryLabel,
    ActionsLabel
};

// The action vocabulary of the program panel. Keys NoAction..GoToProgram and then
// ActivateProgram..SendEmail are, in this order, the thirteen items of the action menu.
enum class ActionTexts
{
    NoAction,
    TimerFile,
    Directory,
    SleepMode,
    TransportCommand,
    Volume,
    InternalContactor,
    ExternalContactor,
    GoToProgram,
    OutputPrefix,
    TimerFilePrefix,
    DirectorySong,
    DirectoryPrefix,
    CommandLabel,
    InternalOutput,
    ExternalOutput,
    ValueLabel,
    UnknownCommand,
    ActivateProgram,
    DeactivateProgram,
    FtpClient,
    SendEmail
};

// Weekday names, Monday first.
enum class DayNames
{
    Monday,
    Tuesday,
    Wednesday,
    Thursday,
    Friday,
    Saturday,
    Sunday
};

// Pieces of the one-line schedule summary of a compact panel.
enum class ScheduleTexts
{
    DatePrefix,
    EveryDay,
    EveryPrefix,
    AtPrefix
};

// Texts this programmer added to the original tables, for the messages and menu
// items it brings of its own. New keys go at the end, before Count, with one row
// of the same name at the end of AddedTexts.cpp.
enum class AddedTexts
{
    ScheduleReset,        // before the numbers of programs whose stored date did not exist
    VerifyBlock,          // Edit menu item that opens the verification window
    OtherPorts,           // heading of the system's serial ports in the port menu
    ProgressCaption,      // title of the progress dialog before its first slot
    UnstorableCharacters, // why a typed or pasted character was not taken
    // At start-up: %1 the project's name, %2 the date of its recovery copy.
    RecoverChanges,
    // %1 a project file open in another programmer, %2 its process, %3 its machine.
    OpenElsewhere,
    // Asked once OpenElsewhere is answered Yes.
    OpenReadOnly,
    // After the project's name in the title of a project opened read-only.
    ReadOnlyMark,
    // menu item and toolbar hint that open the schedule window
    ScheduleItem,
    // title of the schedule window
    ScheduleTitle,
    // button of the schedule window
    PreviousWeek,
    // button of the schedule window
    NextWeek,
    // status line of the schedule window: %1 the number of clashes of the week
    ClashCount,
    // heading of the list of problems
    ProblemsHeading,
    // %1 the program number
    InactiveTimerProblem,
    // %1 the program number, %2 the year
    ImpossibleDateProblem,
    // %1 the program number, %2 the date mode
    DateModeProblem,
    // %1 the program number, %2 the weekday
    WeekDayProblem,
    // %1 the program number, %2 the missing one
    MissingGoToProblem,
    // %1 the date, %2 the time, %3 the programs
    ClashProblem,
    // after a program number in a clash
    PriorityMark,
    // after a firing: %1 the program that follows
    FollowedBy,
    // in place of an empty list
    NoProblem,
    // File menu item
    ExportReport,
    // File menu item
    ExportCsv,
    // File menu item
    ImportCsv,
    // question before an import: %1 the number of programs read
    ReplaceOrAdd,
    // after an import: %1 the number of programs
    ImportDone,
    // after an import that added programs: %1 the list old -> new
    Renumbered,
    // import refused: %1 the number the project would hold
    TooManyPrograms,
    // heading of the project report
    ReportTitle,
    // %1 the Monday, %2 the Sunday
    TimetableHeading,
    // heading of the report
    ClashesHeading,
    // heading of the report
    ProgramsHeading,
    // column of the report
    NumberColumn,
    // column of the report
    TitleColumn,
    // column of the report
    FlagsColumn,
    // column of the report
    ScheduleColumn,
    // flag in the report
    TimerLabel,
    // File menu item that prints the project report
    PrintReport,
    TransferCancelled,      // transfer stopped by the user
    BackupBeforeTransmit,   // RS232 menu option: read the player before a transmit
    VerifyAfterTransmit,    // RS232 menu option: read the player back after a transmit
    VerifyPlayer,           // RS232 menu item: compare the player with the project
    OpenBackup,             // File menu item: open a project file of the backups folder
    PhaseBackup,            // progress caption while the player is read before a transmit
    PhaseVerify,            // progress caption while the player is read back
    CancelButton,           // button of the progress dialog
    BackupFailed,           // before the reason a backup could not be made
    Verified,               // last line of a transmit's success message
    TransmitCancelled,      // a transmit stopped half-way
    TransmitBackupQuestion, // after a cancelled transmit that made a backup
    ComparisonTitle,        // title of the comparison window
    ProgramColumn,          // comparison window column
    FieldColumn,            // comparison window column
    SentColumn,             // comparison window column
    ReadColumn,             // comparison window column
    PlayerMatches,          // verify found no difference
    FieldPresence,          // compared field
    FieldNumber,            // compared field
    FieldActionCount,       // compared field
    FieldTimerOn,           // compared field
    FieldActive,            // compared field
    FieldDateMode,          // compared field
    FieldPrioritary,        // compared field
    FieldActionKind,        // compared field, %1 the action
    FieldActionNumber,      // compared field, %1 the action
    FieldActionValue,       // compared field, %1 the action
    FieldWeekDay,           // compared field
    FieldDate,              // compared field
    FieldHour,              // compared field
    FieldMinute,            // compared field
    FieldName,              // compared field
    // File menu item: the submenu of the projects opened or saved last
    RecentProjects,
    // %1 a recent project file that is gone
    RecentProjectMissing,
    // Edit menu item
    DuplicateProgram,
    UndoItem,            // Edit menu item: undo the last step, none to undo
    RedoItem,            // Edit menu item: redo the step undone, none to redo
    UndoStep,            // Edit menu item, %1 the step to undo
    RedoStep,            // Edit menu item, %1 the step to redo
    StepTitle,           // undo step, %1 the program number
    StepComment,         // undo step, %1 the program number
    StepColor,           // undo step, %1 the program number
    StepNumber,          // undo step, %1 the program number
    StepActive,          // undo step, %1 the program number
    StepPriority,        // undo step, %1 the program number
    StepTimer,           // undo step, %1 the program number
    StepDateMode,        // undo step, %1 the program number
    StepTime,            // undo step, %1 the program number
    StepDate,            // undo step, %1 the program number
    StepWeekDay,         // undo step, %1 the program number
    StepActions,         // undo step, %1 the program number
    StepValues,          // undo step, %1 the program number
    StepNewProgram,      // undo step, %1 the program number
    StepDeleteProgram,   // undo step, %1 the program number
    StepProperties,      // undo step
    ColourBarName,       // name and tooltip of the program panel's colour bar
    NumberBoxName,       // name and tooltip of the program panel's number box
    TitleName,           // name and tooltip of the program panel's title
    ReduceName,          // name and tooltip of the program panel's reduce button
    ActionSlotName,      // name of an action button, %1 its slot
    FinalizeUnconfirmed, // after a transmit whose end the player did not answer
    BackupScheduleReset, // before the numbers of programs whose date the backup replaced
    NarrowedNumbers,     // warning after opening a file: %1 its NarrowedNumber lines
    NarrowedNumber,      // %1 line of the file, %2 number written there, %3 number kept
    StepNotApplied,      // warning: %1 the name of an undo step refused
    // Save As refused: %1 a project file open in another programmer, %2 its
    // process, %3 its machine.
    SaveHeldElsewhere,
    SharedNumbers, // after opening a file, before the numbers borne by several programs
    // Windows, dialogs and conveniences.
    ActionMenuTip,  // tooltip of an action row's folder glyph, %1 its slot
    UsersGuideItem, // Help menu item that opens the user's guide
    GuideNotFound,  // warning: the user's guide is not installed
    GuideNotOpened, // warning: %1 the guide the system could not open
    FileWritten,    // status bar after an export, %1 the file written
    // Backup and restore around a transmit.
    FieldBlock,           // compared field: bytes that no other field shows
    PhaseTransmit,        // progress caption while the project is written
    PhaseRestore,         // progress caption while a backup is written back
    TransmitFailedPartly, // a transmit that failed once it had begun to write
    BackupNamed,          // %1 the backup's file
    NoBackupMade,         // after a transmit that failed half-way without a backup
    BackupNotRestorable,  // %1 why the backup cannot go back exactly
    RestoreDiffers,       // after a restore whose read-back differs from the backup
    // Locks, files changed by other programs, exports.
    LockFileNote, // after every message about a lock: %1 the lock file
    // As OpenElsewhere and SaveHeldElsewhere, when the lock does not name its owner.
    OpenElsewhereUnknown,
    SaveHeldElsewhereUnknown,
    // Export refused: %1 the project file it would replace.
    ExportOntoProject,
    // At Save: %1 the project file another program changed, %2 where its
    // present content is kept when overwritten.
    ChangedOnDisk,
    OverwriteButton, // button of ChangedOnDisk
    // Inputs and recovery copies
    FlagsReadAsNo,           // warning after opening a file: %1 its FlagReadAsNo lines
    FlagReadAsNo,            // %1 line, %2 program number, %3 the flag's name, %4 its line
    RecoveryNotProtected,    // status bar: recovery copies cannot be written
    RecoveryProtectedAgain,  // status bar: recovery copies are written again
    UnreadableRecovery,      // at start-up: %1 where the copy was moved, %2 the error
    UnreadableRecoveryStays, // at start-up: %1 the error; the copy could not be moved
    // Guard rails before a mistake: import choices, renumbered jumps, the
    // findings listed under the transmit question.
    ImportAdd,             // button of the import question, the default
    ImportReplace,         // button of the import question
    StepImportAdded,       // undo step: %1 programs imported and added
    StepImportReplaced,    // undo step: %1 programs imported in place of the others
    RenumberJumps,         // %1 programs going to %2, the old number; %3 the new one
    FindingsHeading,       // above the findings under the transmit question
    FindingMissingJump,    // %1 a program, %2 the number it goes to
    FindingInactiveTimer,  // %1 a program
    FindingClash,          // %1 programs, %2 the time of day
    FindingImpossibleDate, // %1 a program, %2 its year
    FindingSharedNumber,   // %1 how many programs, %2 the number
    FindingsMore,          // %1 how many findings are not listed
    RenumberJump,          // RenumberJumps for one program
    Count                  // not a text: the number of keys
};

// Number of keys of each localised table (the enumerators are 0..KeyCount-1).
template <class Table> struct TableTraits; // defined for the localised tables only
template <class Table> inline constexpr int KeyCount = TableTraits<Table>::keyCount;

template <> struct TableTraits<ToolbarHints>
{
    static constexpr int keyCount = int(ToolbarHints::DeleteProgramHint) + 1;
};
template <> struct TableTraits<FileMenuTexts>
{
    static constexpr int keyCount = int(FileMenuTexts::Exit) + 1;
};
template <> struct TableTraits<EditMenuTexts>
{
    static constexpr int keyCount = int(EditMenuTexts::Paste) + 1;
};
template <> struct TableTraits<RS232MenuTexts>
{
    static constexpr int keyCount = int(RS232MenuTexts::Com6) + 1;
};
template <> struct TableTraits<LanguageMenuTexts>
{
    static constexpr int keyCount = int(LanguageMenuTexts::Spanish) + 1;
};
template <> struct TableTraits<HelpMenuTexts>
{
    static constexpr int keyCount = int(HelpMenuTexts::About) + 1;
};
template <> struct TableTraits<ProjectPropertiesTexts>
{
    static constexpr int keyCount = int(ProjectPropertiesTexts::CancelButton) + 1;
};
template <> struct TableTraits<AboutTexts>
{
    static constexpr int keyCount = int(AboutTexts::AboutWebAddress) + 1;
};
template <> struct TableTraits<MainMessages>
{
    static constexpr int keyCount = int(MainMessages::AssociatedProjectName) + 1;
};
template <> struct TableTraits<ProgramLimitMessage>
{
    static constexpr int keyCount = int(ProgramLimitMessage::TooManyPrograms) + 1;
};
template <> struct TableTraits<LinkMessages>
{
    static constexpr int keyCount = int(LinkMessages::LinkEepromReadError) + 1;
};
template <> struct TableTraits<PanelTexts>
{
    static constexpr int keyCount = int(PanelTexts::ActionsLabel) + 1;
};
template <> struct TableTraits<ActionTexts>
{
    static constexpr int keyCount = int(ActionTexts::SendEmail) + 1;
};
template <> struct TableTraits<DayNames>
{
    static constexpr int keyCount = int(DayNames::Sunday) + 1;
};
template <> struct TableTraits<ScheduleTexts>
{
    static constexpr int keyCount = int(ScheduleTexts::AtPrefix) + 1;
};

template <> struct TableTraits<AddedTexts>
{
    static constexpr int keyCount = int(AddedTexts::Count);
};

// The entry of a localised table in the given language.
QString Text(ToolbarHints key, Language language);
QString Text(FileMenuTexts key, Language language);
QString Text(EditMenuTexts key, Language language);
QString Text(RS232MenuTexts key, Language language);
QString Text(LanguageMenuTexts key, Language language);
QString Text(HelpMenuTexts key, Language language);
QString Text(ProjectPropertiesTexts key, Language language);
QString Text(AboutTexts key, Language language);
QString Text(MainMessages key, Language language);
QString Text(ProgramLimitMessage key, Language language);
QString Text(LinkMessages key, Language language);
QString Text(PanelTexts key, Language language);
QString Text(ActionTexts key, Language language);
QString Text(DayNames key, Language language);
QString Text(ScheduleTexts key, Language language);
QString Text(AddedTexts key, Language language);

// The message of a link result code 0..11 (0 is the success message).
inline constexpr int LinkMessageCount = KeyCount<LinkMessages>;
QString LinkMessage(int code, Language language);

// The name of a weekday 1..7, 1 being Monday (a program's weekday value).
QString DayName(int weekday, Language language);

// The words of the directory and transport submenus, the same in every language:
// entry 0 is "SONG", entries 1..10 the ten transport commands in menu order.
inline constexpr int TransportCommandCount = 11;
QString TransportCommandName(int entry);

} // namespace text
