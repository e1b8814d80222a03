// VARNO Programmer: composes, saves and transmits the programs of a VARNO
// "Quillon" MP3 message player.

#include "CommandLine.h"

#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <editor/UserDialogs.h>
#include <model/ProjectRecovery.h>
#include <shell/Application.h>
#include <shell/FileOpenRequests.h>
#include <shell/Main.h>
#include <shell/SettingsFile.h>

namespace {

// Without a display the toolkit would abort; say why instead.
bool displayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    TCommandLine commandLine;
    if (commandLine.answeredAlone(argc, argv))
        return EXIT_SUCCESS;
    if (!displayAvailable()) {
        std::fputs("VARNO Programmer needs a graphical display (no DISPLAY or WAYLAND_DISPLAY "
                   "is set).\nUse varno-cli for work without a display, or set "
                   "QT_QPA_PLATFORM=offscreen to run without showing windows.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    TApplication app(argc, argv);
    TFileOpenRequests openRequests(&app);
    const QString projectFile = commandLine.projectFile(QCoreApplication::arguments());
    TQtUserDialogs dialogs;
    app.setDialogs(&dialogs);
    TSettingsFile settings(QCoreApplication::applicationDirPath(),
                           QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    TForm1 window(dialogs, settings, projectFile);
    window.restoreWindowPlacement();
    window.show();
    window.startRecovery(TProjectRecovery::defaultFolder());
    QObject::connect(&openRequests, &TFileOpenRequests::projectRequested, &window,
                     &TForm1::openRequestedProject);
    if (const QString waiting = openRequests.takeWaiting(); !waiting.isEmpty())
        window.openRequestedProject(waiting);
    // For the start-up benchmark: leave as soon as the event loop is idle.
    if (qEnvironmentVariableIsSet("VARNO_QUIT_WHEN_IDLE"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
