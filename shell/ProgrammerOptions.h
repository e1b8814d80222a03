#pragma once

#include <QString>

// The programmer's options beyond the settings file, in a settings file of its
// own in the user's configuration folder: read when made, written on change.
class TProgrammerOptions
{
public:
    // <configuration folder>/options.ini
    static QString DefaultFile();

    explicit TProgrammerOptions(const QString &file = DefaultFile());

    const QString &file() const { return file_; }
    bool backupBeforeTransmit() const { return backup_; }
    bool verifyAfterTransmit() const { return verify_; }
    void setBackupBeforeTransmit(bool on);
    void setVerifyAfterTransmit(bool on);

    // Where backups go; not stored (tests point it elsewhere).
    QString BackupDirectory;

private:
    void write() const;

    QString file_;
    bool backup_ = true;
    bool verify_ = true;
};
