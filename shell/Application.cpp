#include <QTextStream>
#include <editor/UserDialogs.h>
#include <model/AppIdentity.h>
#include <model/Errors.h>
#include <shell/Application.h>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    varno::identity::UseProgrammerNames();
    // No display name: the platform would append it to every window title.
    // The desktop entry ties the windows to the programmer instead.
    setDesktopFileName(QStringLiteral("varno-programmer"));
    setApplicationVersion(QStringLiteral("2.1"));
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const TVarnoError &e) {
        reportError(e.message());
    } catch (const std::exception &e) {
        reportError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void TApplication::reportError(const QString &message)
{
    if (dialogs_)
        dialogs_->showError(activeWindow(), message);
    else
        QTextStream(stderr) << message << '\n';
}
