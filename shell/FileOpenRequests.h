#pragma once

#include <QObject>
#include <QString>

// The project files the system asks the programmer to open while it runs: on
// macOS the Finder sends them to the application object as file-open events
// (a double-click on a .prg, a file dropped on the Dock icon), not as
// arguments. Each becomes a projectRequested signal; one that arrives before
// anybody listens waits for the first listener.
class TFileOpenRequests : public QObject
{
    Q_OBJECT

public:
    explicit TFileOpenRequests(QObject *application);

    // The file that arrived before anybody listened, taken once.
    QString takeWaiting();

signals:
    void projectRequested(const QString &fileName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString waiting_;
};
