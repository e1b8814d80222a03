// Small conveniences of the main window: the user's guide, Ctrl+Q, the names
// file dialogs propose, and the status line after a file is written.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>
#include <editor/UserDialogs.h>
#include <shell/Main.h>
#include <shell/ProgrammerOptions.h>
#include <shell/RecentProjects.h>
#include <shell/UsersGuide.h>
#include <text/text.h>

namespace {

// A project name as a file name every system accepts.
QString fileNameOf(const QString &projectName)
{
    QString name = projectName.trimmed();
    for (QChar &c : name)
        if (c.unicode() < 0x20 || QStringLiteral("<>:\"/\\|?*").contains(c))
            c = QLatin1Char('_');
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name;
}

} // namespace

void TForm1::buildConveniences()
{
    // Besides the Exit item's own way out.
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    UsersGuide1 = new QAction(this);
    UsersGuide1->setObjectName(QStringLiteral("UsersGuide1"));
    Help1->menu()->insertAction(About1, UsersGuide1);
    connect(UsersGuide1, &QAction::triggered, this, &TForm1::UsersGuide1Click);
}

void TForm1::translateConveniences()
{
    if (UsersGuide1)
        UsersGuide1->setText(text::Text(text::AddedTexts::UsersGuideItem, CurrentLanguage));
}

void TForm1::UsersGuide1Click()
{
    using text::AddedTexts;
    QString page = guide::Find(QCoreApplication::applicationDirPath());
    if (page.endsWith(QStringLiteral(".md")))
        page = guide::RenderHtml(page,
                                 QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    if (page.isEmpty()) {
        dialogs_.warn(this, text::Text(AddedTexts::GuideNotFound, CurrentLanguage));
        return;
    }
    if (!dialogs_.openDocument(QUrl::fromLocalFile(page)))
        dialogs_.warn(this, text::Text(AddedTexts::GuideNotOpened, CurrentLanguage)
                                .arg(QDir::toNativeSeparators(page)));
}

QString TForm1::lastProjectFolder() const
{
    QString last = ProjectFileName();
    if (last.isEmpty())
        last = TRecentProjects(options_->file()).files().value(0);
    return last.isEmpty() ? QString() : QFileInfo(last).absolutePath();
}

QString TForm1::proposedFileName(const QString &suffix) const
{
    const QString name = fileNameOf(Project().Name);
    if (name.isEmpty())
        return {};
    const QString file = name + QLatin1Char('.') + suffix;
    const QString folder = lastProjectFolder();
    return folder.isEmpty() ? file : QDir(folder).filePath(file);
}

QString TForm1::associatedProjectFile(const QString &projectName, const QString &folder) const
{
    const QString name = fileNameOf(projectName);
    if (folder.isEmpty() || name.isEmpty())
        return folder;
    const QString file = QDir(folder).filePath(name + QStringLiteral(".prg"));
    return QFileInfo(file).isFile() ? file : folder;
}

void TForm1::showFileWritten(const QString &fileName)
{
    StatusBar1->showMessage(text::Text(text::AddedTexts::FileWritten, CurrentLanguage)
                                .arg(QDir::toNativeSeparators(fileName)));
}
