#pragma once

#include "Commands.h"

#include <QStringList>
#include <functional>
#include <link/LinkResult.h>

class TComLink;
class TTransferObserver;

// What a transfer on one port came to.
struct PortResult
{
    int exit = 0;         // an ExitCode, or ExitInterrupted
    QString outcome;      // one word or a short phrase for the summary
    QString file;         // the backup made, or the file received
    QString verified;     // "yes", "no", or empty when not asked
    QStringList lines;    // the results, for standard output
    QStringList problems; // warnings and failures, for standard error
};

inline constexpr int ExitInterrupted = 130;

// One transfer on one port, given a link of its own and the observer to report to.
using PortJob =
    std::function<PortResult(const QString &port, TComLink &link, TTransferObserver &observer)>;

// Runs the job on every port of the options. One port runs here, with a
// progress bar; several run at the same time, each in a thread with its own
// link, with one progress line per port on a terminal and a summary table
// after. Ctrl+C stops every transfer after the exchange under way. Returns the
// exit status: 0 when every port succeeded, 130 when interrupted, else the
// first failure's.
int RunOnPorts(const char *command, const TransferOptions &options, const PortJob &job);
