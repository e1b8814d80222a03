#include <QSettings>
#include <QStandardPaths>
#include <link/Backup.h>
#include <shell/ProgrammerOptions.h>

namespace {

const QString kBackup = QStringLiteral("transfer/backupBeforeTransmit");
const QString kVerify = QStringLiteral("transfer/verifyAfterTransmit");

} // namespace

QString TProgrammerOptions::DefaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/options.ini");
}

TProgrammerOptions::TProgrammerOptions(const QString &file)
    : BackupDirectory(varno::backup::DefaultDirectory()), file_(file)
{
    const QSettings settings(file_, QSettings::IniFormat);
    backup_ = settings.value(kBackup, true).toBool();
    verify_ = settings.value(kVerify, true).toBool();
}

void TProgrammerOptions::setBackupBeforeTransmit(bool on)
{
    backup_ = on;
    write();
}

void TProgrammerOptions::setVerifyAfterTransmit(bool on)
{
    verify_ = on;
    write();
}

void TProgrammerOptions::write() const
{
    QSettings settings(file_, QSettings::IniFormat);
    settings.setValue(kBackup, backup_);
    settings.setValue(kVerify, verify_);
}
