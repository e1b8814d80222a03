#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <chrono>

class TProject;
struct TNarrowedNumber;

struct TransferOptions
{
    QString port;      // the first of ports
    QStringList ports; // each named once; several run at the same time
    std::chrono::milliseconds timeout{10000};
    bool backup = true;  // transmit: read and save the player first
    QString backupDir;   // empty: the programmer's backups folder
    bool verify = false; // transmit: read back and compare afterwards
};

int printImage(const TProject &project);
int printCheck(const TProject &project, const QList<TNarrowedNumber> &narrowed);
int transmit(const TProject &project, const TransferOptions &options);
// `outputDir`, when set, takes one file per port, named after the port.
int receive(const QString &output, const QString &outputDir, bool force,
            const TransferOptions &options);
int verify(const TProject &project, const TransferOptions &options);
// Writes the raw image saved with a backup (BACKUP.img beside BACKUP.prg) back
// into the player, byte for byte, and verifies it.
int restore(const QString &backupFile, const TransferOptions &options);
