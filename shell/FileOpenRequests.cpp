#include <QFileOpenEvent>
#include <QMetaMethod>
#include <shell/FileOpenRequests.h>
#include <utility>

TFileOpenRequests::TFileOpenRequests(QObject *application) : QObject(application)
{
    application->installEventFilter(this);
}

QString TFileOpenRequests::takeWaiting()
{
    return std::exchange(waiting_, QString());
}

bool TFileOpenRequests::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FileOpen)
        return QObject::eventFilter(watched, event);
    const QString file = static_cast<QFileOpenEvent *>(event)->file();
    if (file.isEmpty())
        return false;
    if (isSignalConnected(QMetaMethod::fromSignal(&TFileOpenRequests::projectRequested)))
        emit projectRequested(file);
    else
        waiting_ = file;
    return true;
}
