// varno-cli: the programmer's command-line companion. It reads project files
// and talks to the player with the same code as the programmer.

#include "Commands.h"
#include "Output.h"

#include <QCoreApplication>
#include <QStringList>
#include <model/Errors.h>
#include <model/ProjectFile.h>

namespace {

const char kUsage[] = "Usage: varno-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
                      "\n"
                      "Commands:\n"
                      "  image FILE.prg     print the bytes a transmit sends to the player:\n"
                      "                     one line per step 1..255 (\"NNN: XX XX ...\", the\n"
                      "                     24 bytes of the block sent at that step), then\n"
                      "                     \"name: \" and the 64 bytes of the project name\n"
                      "  check FILE.prg     load the file, list its programs and warn about\n"
                      "                     duplicate numbers and values out of range\n"
                      "  transmit FILE.prg --port PORT\n"
                      "                     write the project into the player\n"
                      "  receive --port PORT --output FILE.prg [--force]\n"
                      "                     read the player's programs and name into a project\n"
                      "                     file (an existing file is kept unless --force)\n"
                      "  verify FILE.prg --port PORT\n"
                      "                     read the player back and compare every slot and the\n"
                      "                     name with what a transmit of the file writes\n"
                      "\n"
                      "Options:\n"
                      "  --port PORT        COM1..COM6 (the machine's first six serial ports) or\n"
                      "                     a device such as /dev/ttyUSB0\n"
                      "  --timeout MS       how long to wait for each answer of the player\n"
                      "                     (default 10000)\n"
                      "  -h, --help         show this help\n"
                      "  --version          show the version\n"
                      "\n"
                      "Exit status: 0 done; 1 the file could not be loaded or written, or verify\n"
                      "found differences; 2 usage error; 3 the player could not be reached or did\n"
                      "not answer (the reason is on standard error).\n";

int usageError(const QString &message)
{
    err() << "varno-cli: " << message << '\n' << kUsage;
    return ExitUsage;
}

struct Arguments
{
    QStringList positional;
    QString port;
    QString output;
    QString timeout;
    bool force = false;
    QString error;
};

Arguments parse(const QStringList &args)
{
    Arguments a;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const auto value = [&](QString &into) {
            if (i + 1 >= args.size())
                a.error = arg + QStringLiteral(" needs a value");
            else
                into = args[++i];
        };
        if (arg == QLatin1String("--port"))
            value(a.port);
        else if (arg == QLatin1String("--output"))
            value(a.output);
        else if (arg == QLatin1String("--timeout"))
            value(a.timeout);
        else if (arg == QLatin1String("--force"))
            a.force = true;
        else if (arg.startsWith(QLatin1String("--")))
            a.error = QStringLiteral("unknown option \"%1\"").arg(arg);
        else
            a.positional << arg;
        if (!a.error.isEmpty())
            break;
    }
    return a;
}

bool load(const QString &fileName, TProject &project)
{
    try {
        project = LoadProject(fileName);
        return true;
    } catch (const TVarnoError &e) {
        out().flush();
        err() << e.message() << '\n';
        return false;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varno-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.1"));

    const QStringList raw = QCoreApplication::arguments().mid(1);
    if (raw.contains(QStringLiteral("-h")) || raw.contains(QStringLiteral("--help"))) {
        out() << kUsage;
        return ExitOk;
    }
    if (raw.contains(QStringLiteral("--version"))) {
        out() << "varno-cli " << QCoreApplication::applicationVersion() << '\n';
        return ExitOk;
    }
    const Arguments args = parse(raw);
    if (!args.error.isEmpty())
        return usageError(args.error);
    if (args.positional.isEmpty())
        return usageError(QStringLiteral("no command given"));

    const QString command = args.positional.first();
    const QStringList operands = args.positional.mid(1);
    TransferOptions transfer;
    transfer.port = args.port;
    if (!args.timeout.isEmpty()) {
        bool ok = false;
        const int ms = args.timeout.toInt(&ok);
        if (!ok || ms <= 0)
            return usageError(QStringLiteral("--timeout takes a number of milliseconds"));
        transfer.timeout = std::chrono::milliseconds(ms);
    }
    const bool needsPort = command == QLatin1String("transmit") ||
                           command == QLatin1String("receive") ||
                           command == QLatin1String("verify");
    if (needsPort && transfer.port.isEmpty())
        return usageError(QStringLiteral("%1 needs --port").arg(command));

    if (command == QLatin1String("receive")) {
        if (!operands.isEmpty())
            return usageError(QStringLiteral("receive takes no file; use --output"));
        if (args.output.isEmpty())
            return usageError(QStringLiteral("receive needs --output FILE.prg"));
        return receive(args.output, args.force, transfer);
    }

    const QStringList fileCommands = {QStringLiteral("image"), QStringLiteral("check"),
                                      QStringLiteral("transmit"), QStringLiteral("verify")};
    if (!fileCommands.contains(command))
        return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
    if (operands.size() != 1)
        return usageError(QStringLiteral("%1 takes exactly one project file").arg(command));
    TProject project;
    if (!load(operands.first(), project))
        return ExitFailed;
    if (command == QLatin1String("image"))
        return printImage(project);
    if (command == QLatin1String("check"))
        return printCheck(project);
    if (command == QLatin1String("transmit"))
        return transmit(project, transfer);
    return verify(project, transfer);
}
