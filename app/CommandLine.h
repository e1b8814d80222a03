#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// The programmer's command line: --help, --version and a project file to open.
//
// Help and version are answered before the toolkit starts, so that they work
// without a display (and so that man pages can be made from them). The project
// file is read once the application exists, after the toolkit has taken its own
// options (-platform, -style...) out of the arguments.
class TCommandLine
{
public:
    TCommandLine();

    // Prints the help or the version when asked and returns true: the programmer
    // then leaves with success. Any other argument is left for later.
    bool answeredAlone(int argc, char **argv);

    // The project file named on the command line, as an absolute path, or empty.
    // An unknown option or a second file ends the programmer with a message.
    QString projectFile(const QStringList &arguments);

private:
    QCommandLineParser parser_;
};
