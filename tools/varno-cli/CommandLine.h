#pragma once

#include "Commands.h"

#include <QHash>
#include <QStringList>

// What the arguments ask for, checked against the commands and their options.
struct Invocation
{
    enum class Action
    {
        Run,
        Help, // `message` is the help to print
        Version,
        UsageError, // `message` says what is wrong, in one line
    };
    Action action = Action::UsageError;
    QString command;
    QString file; // the project file of image, check, transmit and verify
    QString output;
    QString outputDir; // receive from several ports: one file per port there
    bool force = false;
    TransferOptions transfer;
    QHash<QString, QString> values; // --from, --days, --format, --language, --into as given
    QString message;
};

// `arguments` as the process got them, the program's name first.
Invocation ParseCommandLine(const QStringList &arguments);
