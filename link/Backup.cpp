#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <algorithm>
#include <link/Backup.h>
#include <link/BackupImage.h>
#include <link/EepromImage.h>
#include <link/Transfer.h>
#include <model/AppIdentity.h>
#include <model/AtomicWrite.h>
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

// Takes a name that neither a project file nor an image of the folder bears,
// by creating the project file empty: another process backing up in the same
// second cannot take it too.
QString reserveName(const QDir &dir, const QString &base, QString &error)
{
    for (int n = 1; n < 10000; ++n) {
        const QString name = n == 1 ? base : base.chopped(4) + QStringLiteral("-%1.prg").arg(n);
        const QString path = dir.filePath(name);
        if (QFileInfo::exists(path) || QFileInfo::exists(ImagePathFor(path)))
            continue;
        QFile reserved(path);
        if (reserved.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (QFileInfo::exists(path))
            continue; // taken meanwhile
        error = QStringLiteral("%1 cannot be written: %2")
                    .arg(QDir::toNativeSeparators(path), reserved.errorString());
        return {};
    }
    error = QStringLiteral("no free backup name in %1").arg(QDir::toNativeSeparators(dir.path()));
    return {};
}

} // namespace

QString DefaultDirectory()
{
    return identity::DataFolder(identity::BackupsFolder);
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

TProject ProjectFromImage(const transfer::TPlayerImage &image, QList<int> &resetSchedules)
{
    // Decoded as a receive decodes the same blocks.
    TReceivedPrograms received;
    TReceivedDecoder decoder(received);
    for (const QByteArray &bytes : image.Slots) {
        if (bytes.size() == eeprom::BlockSize)
            decoder.add(eeprom::FromBytes(bytes));
    }
    TProject project;
    project.Programs = std::move(received.programs);
    resetSchedules << received.resetSchedules;
    project.Group.Name = eeprom::ReceivedProjectName(image.Name);
    return project;
}

QString Save(const QString &directory, const transfer::TPlayerImage &image, const QDateTime &when,
             QString &error, QList<int> *resetSchedules, int kept)
{
    if (!QDir().mkpath(directory)) {
        error =
            QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(directory));
        return {};
    }
    QList<int> reset;
    const TProject project = ProjectFromImage(image, reset);
    if (resetSchedules)
        *resetSchedules = reset;
    // Transfers to several players at once back them up at the same time: the
    // choice of a free name, the save and the pruning go one at a time.
    static QMutex mutex;
    const QMutexLocker lock(&mutex);
    const QDir dir(directory);
    const QString path = reserveName(dir, FileName(when, project.Group.Name), error);
    if (path.isEmpty())
        return {};
    const QString imagePath = ImagePathFor(path);
    const auto abandon = [&](const QString &why) {
        error = why;
        QFile::remove(imagePath);
        QFile::remove(path);
        return QString();
    };
    QString why;
    if (!WriteFileAtomically(imagePath, ImageFileBytes(image), &why))
        return abandon(QStringLiteral("%1 cannot be written: %2")
                           .arg(QDir::toNativeSeparators(imagePath), why));
    try {
        SaveProject(path, project);
    } catch (const TVarnoError &e) {
        return abandon(e.message());
    }
    Prune(directory, kept, path);
    if (!QFileInfo::exists(path) || !QFileInfo::exists(imagePath))
        return abandon(
            QStringLiteral("%1 vanished once written").arg(QDir::toNativeSeparators(path)));
    return path;
}

void Prune(const QString &directory, int kept, const QString &keep)
{
    const QDir dir(directory);
    const QString keepPath = keep.isEmpty() ? QString() : QFileInfo(keep).absoluteFilePath();
    QList<QFileInfo> backups;
    bool keepIsBackup = false;
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files)) {
        if (!backupName().match(info.fileName()).hasMatch())
            continue;
        if (info.absoluteFilePath() == keepPath)
            keepIsBackup = true;
        else
            backups << info;
    }
    // Newest first, by the time each was written: a clock set ahead once, or
    // fallen back, makes the names lie about their order.
    std::stable_sort(backups.begin(), backups.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const QDateTime ta = a.lastModified(), tb = b.lastModified();
        return ta != tb ? ta > tb : a.fileName() > b.fileName();
    });
    const qsizetype others = std::max(0, kept - (keepIsBackup ? 1 : 0));
    for (qsizetype i = others; i < backups.size(); ++i) {
        QFile::remove(backups[i].absoluteFilePath());
        QFile::remove(ImagePathFor(backups[i].absoluteFilePath()));
    }
}

} // namespace varno::backup
