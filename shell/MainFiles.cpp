// Files and windows of the main window: the recent projects, project files
// dropped on the window, files other programs change, files exports may not
// replace, Duplicate program, and the windows' places from one run to the next.

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <editor/UserDialogs.h>
#include <model/ExportTarget.h>
#include <model/PreviousVersion.h>
#include <shell/Main.h>
#include <shell/ProgrammerOptions.h>
#include <shell/ProjectClaim.h>
#include <shell/RecentProjects.h>
#include <shell/ScheduleWindow.h>
#include <shell/WindowPlacement.h>
#include <text/text.h>

namespace {

const QString kMainWindow = QStringLiteral("mainWindow");
const QString kScheduleWindow = QStringLiteral("scheduleWindow");
const QString kScheduleOpen = QStringLiteral("scheduleWindow/open");

// The first local project file among the dropped ones.
QString droppedProject(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls()) {
        const QFileInfo file(url.toLocalFile());
        if (url.isLocalFile() &&
            file.suffix().compare(QLatin1String("prg"), Qt::CaseInsensitive) == 0)
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace

void TForm1::buildFilesItems()
{
    // Before Exit in the File menu, last in the Edit menu.
    QMenu *file = File1->menu();
    QAction *beforeExit = nullptr;
    for (QAction *a : file->actions())
        if (a->isSeparator())
            beforeExit = a;
    auto *recent = new QMenu(file);
    RecentProjects1 = recent->menuAction();
    RecentProjects1->setObjectName(QStringLiteral("RecentProjects1"));
    file->insertAction(beforeExit, RecentProjects1);
    file->insertSeparator(RecentProjects1);
    refreshRecentMenu();

    DuplicateProgram1 = new QAction(this);
    DuplicateProgram1->setObjectName(QStringLiteral("DuplicateProgram1"));
    DuplicateProgram1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    Edit1->menu()->addAction(DuplicateProgram1);
    connect(DuplicateProgram1, &QAction::triggered, this, &TForm1::DuplicateProgram1Click);

    setAcceptDrops(true);
}

void TForm1::translateFilesItems()
{
    RecentProjects1->setText(text::Text(text::AddedTexts::RecentProjects, CurrentLanguage));
    DuplicateProgram1->setText(text::Text(text::AddedTexts::DuplicateProgram, CurrentLanguage));
}

void TForm1::refreshRecentMenu()
{
    QMenu *menu = RecentProjects1->menu();
    menu->clear();
    const QStringList files = TRecentProjects(options_->file()).files();
    for (int i = 0; i < files.size(); ++i) {
        QString shown = QDir::toNativeSeparators(files[i]);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *item = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        const QString file = files[i];
        connect(item, &QAction::triggered, this, [this, file] { OpenRecentProject(file); });
    }
    RecentProjects1->setEnabled(!files.isEmpty());
}

void TForm1::rememberRecent(const QString &fileName)
{
    TRecentProjects(options_->file()).add(fileName);
    if (RecentProjects1) // the last project loads before the menus are complete
        refreshRecentMenu();
}

void TForm1::OpenRecentProject(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile()) {
        TRecentProjects(options_->file()).remove(fileName);
        refreshRecentMenu();
        dialogs_.warn(this, text::Text(text::AddedTexts::RecentProjectMissing, CurrentLanguage)
                                .arg(QDir::toNativeSeparators(fileName)));
        return;
    }
    if (!AskSaveChanges())
        return;
    LoadProjectFile(fileName);
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!transferRunning() && !droppedProject(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    const QString file = droppedProject(event->mimeData());
    if (transferRunning() || file.isEmpty())
        return;
    event->acceptProposedAction();
    // Asked once the drop is over, so that the program the file came from is
    // not held while the save question waits.
    openRequestedProject(file);
}

void TForm1::openRequestedProject(const QString &fileName)
{
    const QString file = QFileInfo(fileName).absoluteFilePath();
    QTimer::singleShot(0, this, [this, file] {
        if (!transferRunning() && AskSaveChanges())
            LoadProjectFile(file);
    });
}

TForm1::TChangedFileChoice TForm1::choiceForChangedFile()
{
    using text::AddedTexts;
    if (!document_.fileState().differsFrom(TFileState::of(ProjectFileName())))
        return TChangedFileChoice::Overwrite;
    const text::Language l = CurrentLanguage;
    const QString question =
        text::Text(AddedTexts::ChangedOnDisk, l)
            .arg(QDir::toNativeSeparators(ProjectFileName()),
                 QFileInfo(varno::projectfile::PreviousVersionPath(ProjectFileName())).fileName());
    switch (dialogs_.askChoice(
        this, question,
        {text::Text(AddedTexts::OverwriteButton, l), text::Text(text::FileMenuTexts::SaveAs, l)})) {
    case 0:
        return TChangedFileChoice::Overwrite;
    case 1:
        return TChangedFileChoice::SaveAs;
    default:
        return TChangedFileChoice::Cancel;
    }
}

bool TForm1::refusedAsExport(const QString &fileName)
{
    const TExportTarget target = TExportTarget::check(fileName);
    // The window's own file even when it is gone from the disk: an export
    // there would stand in for the project at its next open.
    const bool ownFile =
        !ProjectFileName().isEmpty() && SameProjectFile(fileName, ProjectFileName());
    if (ownFile || target.refusal == TExportTarget::Refusal::ProjectFile) {
        dialogs_.warn(this, text::Text(text::AddedTexts::ExportOntoProject, CurrentLanguage)
                                .arg(QDir::toNativeSeparators(fileName)));
        return true;
    }
    if (target.refusal == TExportTarget::Refusal::HeldElsewhere) {
        dialogs_.warn(this, LockHeldMessage(TLockMessage::NotReplaced, fileName, target.ownerPid,
                                            target.ownerHost, target.lockFile, CurrentLanguage));
        return true;
    }
    return false;
}

void TForm1::DuplicateProgram1Click()
{
    if (!SelectedPanel())
        return;
    if (PanelList().size() >= TProgList::MaxPrograms) {
        dialogs_.warn(this,
                      text::Text(text::ProgramLimitMessage::TooManyPrograms, CurrentLanguage));
        return;
    }
    // What is typed in the open panel belongs to the copy.
    const TVARNOProg *source = SelectedPanel()->Prog;
    if (!ProgPanel->isHidden())
        ActualizeBVProg();
    document_.addProgram(source); // added and opened as New Program does
}

void TForm1::restoreWindowPlacement()
{
    const QSettings settings(options_->file(), QSettings::IniFormat);
    placement::restore(settings, kMainWindow, *this);
    // The schedule window comes back where it was when it was open at the end.
    if (settings.value(kScheduleOpen).toBool())
        QTimer::singleShot(0, this, &TForm1::Schedule1Click);
}

void TForm1::restoreSchedulePlacement()
{
    const QSettings settings(options_->file(), QSettings::IniFormat);
    if (placement::restore(settings, kScheduleWindow, *ScheduleWindow1))
        return;
    // Opened for the first time: beside the main window when there is room.
    ScheduleWindow1->setGeometry(placement::nextTo(frameGeometry(), ScheduleWindow1->size(),
                                                   placement::areaFor(frameGeometry()),
                                                   placement::frameOf(*ScheduleWindow1, this)));
}

void TForm1::saveWindowPlacement()
{
    QSettings settings(options_->file(), QSettings::IniFormat);
    placement::save(settings, kMainWindow, *this);
    if (ScheduleWindow1)
        placement::save(settings, kScheduleWindow, *ScheduleWindow1);
    placement::keep(settings, kScheduleOpen, ScheduleWindow1 && ScheduleWindow1->isVisible());
}
