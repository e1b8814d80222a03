#pragma once

// Runs varno-cli as a user does and keeps what it printed.

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline CliResult runCli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(VARNO_CLI_PATH), args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
