#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryFile>
#include <model/AtomicWrite.h>
#include <model/Cp1252.h>
#include <model/FileRead.h>
#include <shell/InstalledCopy.h>
#include <shell/SettingsFile.h>

namespace {

constexpr int kLineCount = 7;

QString languageWord(text::Language language)
{
    switch (language) {
    case text::French:
        return QStringLiteral("French");
    case text::Spanish:
        return QStringLiteral("Spanish");
    default: // English, and any index the lookups read as English
        return QStringLiteral("English");
    }
}

text::Language languageFromWord(const QString &word)
{
    if (word == QLatin1String("English"))
        return text::English;
    if (word == QLatin1String("Spanish"))
        return text::Spanish;
    return text::French; // "French", but also an empty or unknown word
}

// True when a file can be created in dir: a temporary file is made and removed.
bool canCreateFilesIn(const QString &dir)
{
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(TSettingsFile::fileName() + QStringLiteral(".XXXXXX")));
    return probe.open(); // removed again when probe goes
}

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

} // namespace

TSettingsFile::TSettingsFile(const QString &executableDir, const QString &configurationDir)
{
    // A folder that holds its own writable settings file keeps using it, installed
    // or not (a portable copy). Otherwise an installed copy uses the user's folder,
    // even where it could write beside itself (root in /usr/bin), and any other
    // copy (a build folder) the folder of its executable when it can.
    const QString beside = QDir(executableDir).filePath(fileName());
    const bool keepsItsOwnFile = !executableDir.isEmpty() && QFileInfo(beside).isWritable();
    if (keepsItsOwnFile || configurationDir.isEmpty() ||
        (!isInstalledCopy(executableDir) && canCreateFilesIn(executableDir))) {
        path_ = beside;
    } else {
        path_ = QDir(configurationDir).filePath(fileName());
        configurationDir_ = configurationDir;
        usesConfigurationDirectory_ = true;
    }
}

QByteArray TSettingsFile::format(const TSettings &settings)
{
    const QString project =
        varno::cp1252::CanEncode(settings.ProjectFileName) ? settings.ProjectFileName : QString();
    const QString lines[kLineCount] = {
        QStringLiteral("Settings File of VARNO \"Quillon\" Programmer"),
        QStringLiteral("Language :"),
        languageWord(settings.Language),
        QStringLiteral("Com Port selected :"),
        settings.ComPortName,
        QStringLiteral("Last projet used"),
        project,
    };
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += varno::cp1252::Encode(line) + "\r\n";
    return bytes;
}

TSettings TSettingsFile::parse(const QByteArray &bytes)
{
    // Only the first seven lines are cut out; whatever follows is never looked at.
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (lines.size() < kLineCount && start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(line);
        start = end + 1;
    }
    while (lines.size() < kLineCount)
        lines.append(QByteArray());

    TSettings settings;
    settings.Language = languageFromWord(varno::cp1252::Decode(lines.at(2)));
    // No port named means the first port, the one the port menu marks then.
    const QString port = varno::cp1252::Decode(lines.at(4));
    if (!port.trimmed().isEmpty())
        settings.ComPortName = port;
    settings.ProjectFileName = varno::cp1252::Decode(lines.at(6));
    return settings;
}

bool TSettingsFile::WriteSettings(const TSettings &settings, QString *error) const
{
    if (usesConfigurationDirectory_ && !QDir().mkpath(configurationDir_)) {
        setError(error, QStringLiteral("The settings file %1 cannot be written: its folder "
                                       "cannot be created.")
                            .arg(QDir::toNativeSeparators(path_)));
        return false;
    }
    // A file that already says so is left alone: a close that changed nothing
    // does not wait for the disk.
    const QByteArray bytes = format(settings);
    QString unread;
    if (varno::ReadSmallFile(path_, &unread) == bytes)
        return true;
    // Written beside and then put in place, so a failed write leaves the old file.
    QString reason;
    if (!varno::WriteFileAtomically(path_, bytes, &reason)) {
        setError(error, QStringLiteral("The settings file %1 cannot be written: %2")
                            .arg(QDir::toNativeSeparators(path_), reason));
        return false;
    }
    return true;
}

bool TSettingsFile::ReadSettings(TSettings &settings, QString *error) const
{
    settings = TSettings();
    if (!QFileInfo::exists(path_) && !WriteSettings(TSettings(), error))
        return false;

    QString reason;
    const std::optional<QByteArray> bytes = varno::ReadSmallFile(path_, &reason);
    if (!bytes) {
        setError(
            error,
            QStringLiteral("The settings file %1 %2").arg(QDir::toNativeSeparators(path_), reason));
        return false;
    }
    settings = parse(*bytes);
    return true;
}

int standardPortIndex(const QString &name)
{
    for (int i = 1; i <= 6; ++i)
        if (name == QStringLiteral("COM%1").arg(i))
            return i;
    return 0;
}
