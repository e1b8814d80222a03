#include "CommandLine.h"

#include <QCommandLineParser>
#include <algorithm>
#include <iterator>

namespace {

enum OptionFlag : unsigned
{
    Port = 1,
    Timeout = 2,
    Output = 4,
    Force = 8,
    From = 16,
    Days = 32,
    Format = 64,
    Language = 128,
    Into = 256,
    NoBackup = 512,
    BackupDir = 1024,
    Verify = 2048,
    OutputDir = 4096,
};

struct OptionEntry
{
    OptionFlag flag;
    const char *name;
    const char *valueName; // nullptr for a switch
    const char *help;      // lines after the first are indented under it
};

const OptionEntry kOptions[] = {
    {Port, "port", "PORT",
     "COM1..COM6 (the machine's first six serial ports)\nor a device such as /dev/ttyUSB0; "
     "repeated, one\ntransfer per port at the same time"},
    {Timeout, "timeout", "MS",
     "how long to wait for each answer of the player, in\nmilliseconds (default 10000)"},
    // A command's own help names the kind of file it writes (see CommandEntry).
    {Output, "output", "FILE", "the file to write"},
    {Force, "force", nullptr, "replace that file when it exists"},
    {From, "from", "YYYY-MM-DD", "the first day (default today)"},
    {Days, "days", "N", "how many days, 1 to 3660 (default 7)"},
    {Format, "format", "json", "print the same data as JSON"},
    {Language, "language", "en|fr|es", "the language of the report (default en)"},
    {Into, "into", "BASE.prg", "the project whose properties the new file keeps"},
    {NoBackup, "no-backup", nullptr, "write without reading the player first"},
    {BackupDir, "backup-dir", "DIR",
     "where the backups go (default: the programmer's\nbackups folder; the 30 most recently "
     "written\nare kept)"},
    {Verify, "verify", nullptr, "read the player back and compare"},
    {OutputDir, "output-dir", "DIR",
     "with several ports: one file per port in DIR,\nnamed after the port"},
};

struct CommandEntry
{
    const char *name;
    bool takesFile;
    unsigned options; // OptionFlag bits
    const char *synopsis;
    const char *summary; // one line, for the general help
    const char *description;
    const char *output = nullptr; // the file --output names, as the synopsis writes it
};

const CommandEntry kCommands[] = {
    {"image", true, 0, "image FILE.prg", "print the bytes a transmit sends to the player",
     "Print the bytes a transmit of the project sends to the player, the project as\n"
     "the programmer holds it once opened: one line per step 1..255 (\"NNN: XX XX\n"
     "...\", the 24 bytes of the block sent at that step), then \"name: \" and the 64\n"
     "bytes of the project name."},
    {"check", true, 0, "check FILE.prg", "list the programs and warn about what a transmit does",
     "Load the project, list its programs and warn about what a transmit of it\n"
     "would do that the user may not expect: programs that are never sent, steps\n"
     "that send a program under another number, values the player cannot store,\n"
     "numbers of the file kept by their low 8 bits."},
    {"transmit", true, Port | Timeout | NoBackup | BackupDir | Verify,
     "transmit FILE.prg --port PORT [--timeout MS] [--no-backup] [--backup-dir DIR] [--verify]",
     "write the project into the player",
     "Write the project into the player: every slot 1..255, then the project name,\n"
     "the same bytes as the programmer's Transmit. First the player is read and what\n"
     "it holds saved in the backups folder, as a project file and its raw image (the\n"
     "path is printed); when that fails nothing is written. With --verify the player\n"
     "is read back and compared afterwards. Ctrl+C stops after the exchange under way\n"
     "(exit 130). A transmit that stops half-way prints the restore command that puts\n"
     "back what the player held."},
    {"receive", false, Port | Output | Force | Timeout | OutputDir,
     "receive --port PORT --output FILE.prg [--force] [--timeout MS]",
     "read the player's programs and name into a project file",
     "Read the player's programs and project name into a project file. The output\n"
     "is checked before the player is asked anything, and written whole at the end:\n"
     "a failed receive leaves no file behind and an existing one untouched.",
     "FILE.prg"},
    {"restore", true, Port | Timeout, "restore BACKUP.prg --port PORT [--timeout MS]",
     "put back exactly what the player held at a backup",
     "Write back into the player what it held when the backup was made, byte for\n"
     "byte: the raw image saved beside the backup (BACKUP.img, the 255 blocks and\n"
     "the name block as read), then the closing command; then read the player back\n"
     "and compare it with that image. Nothing is re-encoded from BACKUP.prg; when\n"
     "the image is missing or damaged nothing is written. Exit status 1 when the\n"
     "player then differs."},
    {"verify", true, Port | Timeout, "verify FILE.prg --port PORT [--timeout MS]",
     "compare the player with what a transmit of the file writes",
     "Read the player back and compare every slot and the project name with what a\n"
     "transmit of the file writes. Exit status 1 when they differ."},
    {"schedule", true, From | Days | Format, "schedule FILE.prg [--from YYYY-MM-DD] [--days N]",
     "print when the programs fire, the clashes and the problems",
     "Print every firing of the project in time order, one line each (date,\n"
     "weekday, time, program number and title), then the clashes (firings on the\n"
     "same day and minute, with their priority flags) and the problems (timers of\n"
     "inactive programs, values the player cannot hold, go-to targets missing)."},
    {"report", true, Output | Force | Language | From,
     "report FILE.prg --output REPORT.html [--language en|fr|es]",
     "write the project report as an HTML page",
     "Write the project report: properties and comment, the timetable of the week\n"
     "(the week holding --from, this week by default), the clashes and problems,\n"
     "and every program with its flags, schedule and actions as the programmer\n"
     "shows them.",
     "REPORT.html"},
    {"export", true, Output | Force, "export FILE.prg --output FILE.csv",
     "write the programs as CSV, one row a program",
     "Write the programs as UTF-8 comma-separated values with a header row, one\n"
     "row a program in project order.",
     "FILE.csv"},
    {"import", true, Output | Force | Into, "import FILE.csv --output FILE.prg [--into BASE.prg]",
     "write a project file holding the programs of a CSV file",
     "Read every row of the CSV file, checking every value, and write a project\n"
     "file with those programs; nothing is written when a value is wrong. The\n"
     "project's properties are those of BASE.prg, or a new project's.",
     "FILE.prg"},
};

const char kExitStatus[] =
    "Exit status: 0 done; 1 the file could not be loaded or written, or verify\n"
    "found differences; 2 usage error; 3 the player could not be reached or did\n"
    "not answer (the reason is on standard error); 130 stopped by Ctrl+C.\n";

const CommandEntry *findCommand(const QString &name)
{
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [&name](const CommandEntry &c) { return name == c.name; });
    return it == std::end(kCommands) ? nullptr : it;
}

QString optionLine(const QString &left, const QString &help)
{
    const QString indent(21, QLatin1Char(' '));
    QString help2 = help;
    help2.replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
    if (left.size() > 17)
        return QStringLiteral("  %1\n%2%3\n").arg(left, indent, help2);
    return QStringLiteral("  %1%2\n").arg(left, -19).arg(help2);
}

// `output` is what --output names, for the help of one command.
QString optionsHelp(unsigned options, const char *output = nullptr)
{
    QString text = QStringLiteral("Options:\n");
    for (const OptionEntry &o : kOptions) {
        if (!(options & o.flag))
            continue;
        QString left = QStringLiteral("--") + QLatin1String(o.name);
        const char *valueName = o.flag == Output && output ? output : o.valueName;
        if (valueName)
            left += QLatin1Char(' ') + QLatin1String(valueName);
        const QString help = output && o.flag == Force
                                 ? QStringLiteral("replace %1 when it exists").arg(output)
                                 : QString::fromLatin1(o.help);
        text += optionLine(left, help);
    }
    text += optionLine(QStringLiteral("-h, --help"), QStringLiteral("show this help"));
    return text;
}

QString generalHelp()
{
    QString text = QStringLiteral("Usage: varno-cli COMMAND [ARGUMENTS] [OPTIONS]\n\nCommands:\n");
    for (const CommandEntry &c : kCommands)
        text += optionLine(QString::fromLatin1(c.synopsis), QString::fromLatin1(c.summary));
    text +=
        QStringLiteral("\n'varno-cli COMMAND --help' shows what a command does and its options.\n"
                       "\n");
    text += optionsHelp(Port | Timeout | Output | Force | From | Days | Format | Language | Into |
                        NoBackup | BackupDir | Verify | OutputDir);
    text += optionLine(QStringLiteral("--version"), QStringLiteral("show the version"));
    return text + QLatin1Char('\n') + QLatin1String(kExitStatus);
}

QString commandHelp(const CommandEntry &c)
{
    return QStringLiteral("Usage: varno-cli %1\n\n%2\n\n%3\n%4")
        .arg(QLatin1String(c.synopsis), QLatin1String(c.description),
             optionsHelp(c.options, c.output), QLatin1String(kExitStatus));
}

Invocation usageError(const QString &message)
{
    Invocation call;
    call.action = Invocation::Action::UsageError;
    call.message = message;
    return call;
}

// Qt's own wording of a parse failure, in the style of the other messages.
QString parseError(const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString &name = unknown.first();
        return QStringLiteral("unknown option '%1%2'")
            .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
    }
    QString text = parser.errorText();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

} // namespace

Invocation ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, {}});
    parser.addOption({QStringLiteral("version"), {}});
    for (const OptionEntry &o : kOptions) {
        if (o.valueName)
            parser.addOption({QLatin1String(o.name), {}, QLatin1String(o.valueName)});
        else
            parser.addOption({QLatin1String(o.name), {}});
    }
    if (!parser.parse(arguments))
        return usageError(parseError(parser));

    const QStringList positional = parser.positionalArguments();
    const QString command = positional.value(0);
    const CommandEntry *entry = findCommand(command);
    if (!command.isEmpty() && !entry)
        return usageError(QStringLiteral("unknown command '%1'").arg(command));

    Invocation call;
    call.command = command;
    if (parser.isSet(QStringLiteral("help"))) {
        call.action = Invocation::Action::Help;
        call.message = entry ? commandHelp(*entry) : generalHelp();
        return call;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        call.action = Invocation::Action::Version;
        return call;
    }
    if (!entry)
        return usageError(QStringLiteral("no command given"));

    for (const OptionEntry &o : kOptions) {
        if (!(entry->options & o.flag) && parser.isSet(QLatin1String(o.name)))
            return usageError(
                QStringLiteral("%1 takes no --%2").arg(command, QLatin1String(o.name)));
    }

    const QStringList operands = positional.mid(1);
    if (entry->takesFile) {
        if (operands.isEmpty())
            return usageError(QStringLiteral("%1 needs a project file").arg(command));
        if (operands.size() > 1)
            return usageError(QStringLiteral("%1 takes one project file, not %2")
                                  .arg(command)
                                  .arg(operands.size()));
        call.file = operands.first();
    } else if (!operands.isEmpty()) {
        return usageError(
            QStringLiteral("%1 takes no project file; name the file to write with --output")
                .arg(command));
    }

    call.transfer.ports = parser.values(QStringLiteral("port"));
    call.transfer.port = call.transfer.ports.value(0);
    call.output = parser.value(QStringLiteral("output"));
    call.outputDir = parser.value(QStringLiteral("output-dir"));
    call.transfer.backup = !parser.isSet(QStringLiteral("no-backup"));
    call.transfer.backupDir = parser.value(QStringLiteral("backup-dir"));
    call.transfer.verify = parser.isSet(QStringLiteral("verify"));
    if ((entry->options & Port) && call.transfer.port.isEmpty())
        return usageError(QStringLiteral("%1 needs --port PORT").arg(command));
    if (call.transfer.ports.removeDuplicates() > 0)
        return usageError(QStringLiteral("each --port may be named once"));
    if ((entry->options & OutputDir) && call.transfer.ports.size() > 1 && call.outputDir.isEmpty())
        return usageError(
            QStringLiteral("%1 with several ports needs --output-dir DIR").arg(command));
    if ((entry->options & Output) && call.output.isEmpty() && call.outputDir.isEmpty())
        return usageError(QStringLiteral("%1 needs --output %2")
                              .arg(command, QString::fromLatin1(entry->synopsis)
                                                .section(QStringLiteral("--output "), 1)
                                                .section(QLatin1Char(' '), 0, 0)));
    if (!call.output.isEmpty() && !call.outputDir.isEmpty())
        return usageError(QStringLiteral("--output and --output-dir exclude each other"));
    for (const char *name : {"from", "days", "format", "language", "into"})
        if (parser.isSet(QLatin1String(name)))
            call.values.insert(QLatin1String(name), parser.value(QLatin1String(name)));
    call.force = parser.isSet(QStringLiteral("force"));
    if (parser.isSet(QStringLiteral("timeout"))) {
        const QString value = parser.value(QStringLiteral("timeout"));
        bool ok = false;
        const int ms = value.toInt(&ok);
        if (!ok || ms <= 0)
            return usageError(
                QStringLiteral("--timeout takes a number of milliseconds above 0, not '%1'")
                    .arg(value));
        call.transfer.timeout = std::chrono::milliseconds(ms);
    }
    call.action = Invocation::Action::Run;
    return call;
}
