// varno-cli: the programmer's command-line companion. It reads project files with
// the same code as the programmer and shows what the player would receive.

#include <link/EepromImage.h>
#include <link/TransmitImage.h>
#include <model/Errors.h>
#include <model/ProjectCheck.h>
#include <model/ProjectFile.h>

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

const char kUsage[] = "Usage: varno-cli COMMAND FILE.prg\n"
                      "\n"
                      "Commands:\n"
                      "  image FILE.prg   print the bytes a transmit sends to the player:\n"
                      "                   one line per step 1..255 (\"NNN: XX XX ...\", the\n"
                      "                   24 bytes of the block sent at that step), then\n"
                      "                   \"name: \" and the 64 bytes of the project name\n"
                      "  check FILE.prg   load the file, list its programs and warn about\n"
                      "                   duplicate numbers and values out of range\n"
                      "\n"
                      "Options:\n"
                      "  -h, --help       show this help\n"
                      "  --version        show the version\n"
                      "\n"
                      "Exit status: 0 done, 1 the file could not be loaded, 2 usage error.\n";

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

QString hexBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

int printImage(const TProject &project)
{
    const auto blocks = varno::eeprom::TransmitBlocks(project.Programs);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        out() << QStringLiteral("%1: ").arg(i + 1, 3, 10, QLatin1Char('0'))
              << hexBytes(varno::eeprom::toBytes(blocks[i])) << '\n';
    }
    out() << "name: " << hexBytes(varno::eeprom::ProjectNameBlock(project.Group.Name)) << '\n';
    return ExitOk;
}

// Control characters (a name read back from a player holds zero bytes) are shown
// as escapes so that the output stays on its lines.
QString printable(const QString &text)
{
    QString shown;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

int printCheck(const TProject &project)
{
    out() << "Project: " << printable(project.Group.Name) << '\n';
    out() << "Programs: " << project.Programs.count() << '\n';
    QStringList numbers;
    for (const auto &program : project.Programs)
        numbers << QString::number(program->NumOfProg);
    out() << "Numbers: " << numbers.join(QStringLiteral(", ")) << '\n';
    for (const QString &warning : CheckProject(project))
        out() << "warning: " << warning << '\n';
    return ExitOk;
}

int usageError(const QString &message)
{
    err() << "varno-cli: " << message << '\n' << kUsage;
    return ExitUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varno-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.1"));

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.contains(QStringLiteral("-h")) || args.contains(QStringLiteral("--help"))) {
        out() << kUsage;
        return ExitOk;
    }
    if (args.contains(QStringLiteral("--version"))) {
        out() << "varno-cli " << QCoreApplication::applicationVersion() << '\n';
        return ExitOk;
    }
    if (args.isEmpty())
        return usageError(QStringLiteral("no command given"));

    const QString &command = args.first();
    if (command != QLatin1String("image") && command != QLatin1String("check"))
        return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
    if (args.size() != 2)
        return usageError(QStringLiteral("%1 takes exactly one project file").arg(command));

    TProject project;
    try {
        project = LoadProject(args.at(1));
    } catch (const TVarnoError &e) {
        out().flush();
        err() << e.message() << '\n';
        return ExitFailed;
    }
    return command == QLatin1String("image") ? printImage(project) : printCheck(project);
}
