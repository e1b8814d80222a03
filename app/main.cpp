// VARNO Programmer: composes, saves and transmits the programs of a VARNO
// "Quillon" MP3 message player.

#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <editor/UserDialogs.h>
#include <model/ProjectRecovery.h>
#include <shell/Application.h>
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
    if (!displayAvailable()) {
        std::fputs("VARNO Programmer needs a graphical display (no DISPLAY or WAYLAND_DISPLAY "
                   "is set).\nUse varno-cli for work without a display, or set "
                   "QT_QPA_PLATFORM=offscreen to run without showing windows.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    TApplication app(argc, argv);
    TQtUserDialogs dialogs;
    app.setDialogs(&dialogs);
    // Next to the programmer, as it always was; an installed programmer (and
    // one whose folder cannot be written) keeps them in the user's folder.
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList systemFolders = {QStringLiteral(VARNO_INSTALL_BINDIR),
                                       QStringLiteral("/usr/bin"),
                                       QStringLiteral("/usr/local/bin")};
    const bool installed = std::any_of(systemFolders.cbegin(), systemFolders.cend(),
                                       [&dir](const QString &f) { return QDir(dir) == QDir(f); });
    TSettingsFile settings(installed ? QString() : dir,
                           QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    TForm1 window(dialogs, settings);
    window.show();
    window.startRecovery(TProjectRecovery::defaultFolder());
    // For the start-up benchmark: leave as soon as the event loop is idle.
    if (qEnvironmentVariableIsSet("VARNO_QUIT_WHEN_IDLE"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
