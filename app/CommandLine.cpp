#include "CommandLine.h"

#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace {

void print(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

} // namespace

TCommandLine::TCommandLine()
{
    parser_.setApplicationDescription(
        QStringLiteral("Composes, saves and transmits the programs of a VARNO \"Quillon\" MP3 "
                       "message player. Opens FILE.prg when one is given, otherwise the project "
                       "open last."));
    // Not addHelpOption(): its --help-all promises the toolkit's options, which
    // the help printed before the toolkit starts cannot list.
    parser_.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("Shows this help.")));
    parser_.addVersionOption();
    parser_.addPositionalArgument(QStringLiteral("FILE.prg"),
                                  QStringLiteral("The project file to open."),
                                  QStringLiteral("[FILE.prg]"));
}

bool TCommandLine::answeredAlone(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The toolkit's options are still there: read "-platform" as one word, and
    // ignore what is not ours (parse() keeps going after an unknown option).
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.parse(arguments);
    if (parser_.isSet(QStringLiteral("help"))) {
        // Without an application object the parser cannot know the program's name.
        print(parser_.helpText().replace(QStringLiteral("<executable_name>"),
                                         QStringLiteral("varno-programmer")));
        return true;
    }
    if (parser_.isSet(QStringLiteral("version"))) {
        print(QStringLiteral("%1 %2\n").arg(QStringLiteral("varno-programmer"),
                                            QStringLiteral(VARNO_VERSION)));
        return true;
    }
    return false;
}

QString TCommandLine::projectFile(const QStringList &arguments)
{
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    if (!parser_.parse(arguments) || parser_.positionalArguments().size() > 1) {
        const QString message = parser_.errorText().isEmpty()
                                    ? QStringLiteral("only one project file can be opened")
                                    : parser_.errorText();
        std::fprintf(stderr, "varno-programmer: %s\n%s", message.toLocal8Bit().constData(),
                     "Try 'varno-programmer --help' for more information.\n");
        std::exit(2);
    }
    const QStringList files = parser_.positionalArguments();
    return files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();
}
