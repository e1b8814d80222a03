#pragma once

#include <QApplication>

class TUserDialogs;

// The application object. An exception that escapes a command reaches notify(),
// which shows its message in an error box; the application keeps running.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int &argc, char **argv);

    void setDialogs(TUserDialogs *dialogs) { dialogs_ = dialogs; }
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows an error that escaped a command. Public so that it can be tested
    // without throwing through the event loop.
    void reportError(const QString &message);

private:
    TUserDialogs *dialogs_ = nullptr;
};
