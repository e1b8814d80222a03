#pragma once

// The player emulator as a process of its own, started as a user starts it: it
// prints the pseudo-terminal it answers on, the port to give varno-cli.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

class TPlayerProcess
{
public:
    TPlayerProcess() = default;
    explicit TPlayerProcess(const QStringList &options) { start(options); }
    TPlayerProcess(const TPlayerProcess &) = delete;
    TPlayerProcess &operator=(const TPlayerProcess &) = delete;
    ~TPlayerProcess()
    {
        process.terminate();
        process.waitForFinished(5000);
    }

    // options: the emulator's own (fault modes, pacing).
    void start(const QStringList &options = {})
    {
        process.start(QStringLiteral(VARNO_PLAYER_EMULATOR), options);
        ASSERT_TRUE(process.waitForStarted());
        ASSERT_TRUE(process.waitForReadyRead(10000));
        port = QString::fromUtf8(process.readLine()).trimmed();
        ASSERT_FALSE(port.isEmpty());
    }

    QProcess process;
    QString port;
};
