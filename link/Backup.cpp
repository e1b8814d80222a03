#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <QStandardPaths>
#include <link/Backup.h>
#include <link/Transfer.h>
#include <model/Errors.h>
#include <model/Project.h>
#include <model/ProjectFile.h>

namespace varno::backup {

namespace {

// Only the files this folder's backups are named like are counted and pruned.
const QRegularExpression &backupName()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\d{4}-\d{2}-\d{2}_\d{2}-\d{2}-\d{2}_.*\.prg$)"));
    return pattern;
}

} // namespace

QString DefaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/backups");
}

QString FileName(const QDateTime &when, const QString &projectName)
{
    QString name = projectName.trimmed();
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("<>:\"/\\|?*").contains(c))
            c = QLatin1Char('_');
    }
    // Names the system treats specially ("." and "..") are no names.
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QLatin1Char('_'));
    return when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss_")) + name + QStringLiteral(".prg");
}

QString Save(const QString &directory, const TProject &project, const QDateTime &when,
             QString &error, int kept)
{
    if (!QDir().mkpath(directory)) {
        error =
            QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(directory));
        return {};
    }
    // Transfers to several players at once back them up at the same time: the
    // choice of a free name and the save go one at a time.
    static QMutex mutex;
    const QMutexLocker lock(&mutex);
    const QDir dir(directory);
    const QString base = FileName(when, project.Group.Name);
    QString path = dir.filePath(base);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(base.chopped(4) + QStringLiteral("-%1.prg").arg(n));
    try {
        SaveProject(path, project);
    } catch (const TVarnoError &e) {
        error = e.message();
        return {};
    }
    Prune(directory, kept);
    return path;
}

void Prune(const QString &directory, int kept)
{
    QDir dir(directory);
    QStringList backups;
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        if (backupName().match(name).hasMatch())
            backups << name;
    }
    // The names begin with the date and time: name order is age order.
    for (qsizetype i = 0; i + kept < backups.size(); ++i)
        dir.remove(backups[i]);
}

} // namespace varno::backup

namespace varno::transfer {

TLinkResult ReceiveProject(TComLink &link, const QString &portName, TProject &project,
                           QList<int> &resetSchedules, TTransferObserver &observer)
{
    TReceivedPrograms received;
    const TLinkResult result = RunReceive(link, portName, received, observer);
    project.Programs = std::move(received.programs);
    resetSchedules = received.resetSchedules;
    if (result != TLinkResult::Ok)
        return result;
    QString name;
    const TLinkResult named = ReadProjectName(link, portName, name, observer);
    if (named == TLinkResult::Ok)
        project.Group.Name = name;
    return named;
}

} // namespace varno::transfer
