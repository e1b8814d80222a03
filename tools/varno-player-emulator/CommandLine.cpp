#include "CommandLine.h"

#include <QCommandLineParser>

namespace varno::emulator {

namespace {

bool readCount(const QCommandLineParser &parser, const QCommandLineOption &option, int lowest,
               int highest, int &value, QString &message)
{
    bool ok = false;
    const QString text = parser.value(option);
    value = text.toInt(&ok);
    if (ok && value >= lowest && value <= highest)
        return true;
    message = QStringLiteral("--%1 takes a whole number from %2 to %3, not \"%4\"")
                  .arg(option.names().constFirst())
                  .arg(lowest)
                  .arg(highest)
                  .arg(text);
    return false;
}

} // namespace

TParseOutcome ParseCommandLine(const QStringList &arguments, TCommandLine &commandLine,
                               QString &message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays the VARNO player's side of the serial line on a pseudo-terminal.\n"
                       "Prints the port device to open on its first line of output."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Also make a symbolic link <path> to the port."),
                                  QStringLiteral("path"));
    const QCommandLineOption load(QStringLiteral("load"),
                                  QStringLiteral("Start from the memory in <file>."),
                                  QStringLiteral("file"));
    const QCommandLineOption save(
        QStringLiteral("save"),
        QStringLiteral("Write the memory to <file> after each finalize and on exit."),
        QStringLiteral("file"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Never answer."));
    const QCommandLineOption noise(QStringLiteral("noise"),
                                   QStringLiteral("Send stray bytes before each acknowledgement."));
    const QCommandLineOption noTrailing(
        QStringLiteral("no-trailing-ack"),
        QStringLiteral("Send no acknowledgement after the data of a read."));
    const QCommandLineOption wrongTrailing(
        QStringLiteral("wrong-trailing-ack"),
        QStringLiteral("Send 0xEE instead of the acknowledgement after the data of a read."));
    const QCommandLineOption noFinalize(
        QStringLiteral("no-finalize-ack"),
        QStringLiteral("Take the finalize command without acknowledging it."));
    const QCommandLineOption hangUp(
        QStringLiteral("hang-up-after"),
        QStringLiteral("Close the line at the first command after <n> program blocks."),
        QStringLiteral("n"));
    const QCommandLineOption corrupt(
        QStringLiteral("corrupt-date"),
        QStringLiteral("Store program block <slot> with an impossible date (month 13)."),
        QStringLiteral("slot"));
    const QCommandLineOption corruptStored(
        QStringLiteral("corrupt-slot"),
        QStringLiteral("Store program block <slot> with one wrong byte (its first action value)."),
        QStringLiteral("slot"));
    const QCommandLineOption latency(
        QStringLiteral("latency"),
        QStringLiteral("Deliver each reply <ms> milliseconds late, as a USB serial adapter "
                       "does with its latency timer."),
        QStringLiteral("ms"));
    const QCommandLineOption slow(
        QStringLiteral("slow"),
        QStringLiteral("Give every byte its line time at 57600 baud (10 bits, 173.6 us)."));
    const QCommandLineOption writeDelay(
        QStringLiteral("write-delay"),
        QStringLiteral("Take <ms> milliseconds to store each block or byte before "
                       "acknowledging."),
        QStringLiteral("ms"));
    const QCommandLineOption log(
        QStringLiteral("log"),
        QStringLiteral("Print every byte in both directions on standard error."));
    parser.addOptions({help, link, load, save, silent, noise, noTrailing, wrongTrailing, noFinalize,
                       hangUp, corrupt, corruptStored, latency, slow, writeDelay, log});

    if (!parser.parse(arguments)) {
        message = parser.errorText();
        return TParseOutcome::Error;
    }
    if (parser.isSet(help)) {
        message = parser.helpText();
        return TParseOutcome::Help;
    }
    if (!parser.positionalArguments().isEmpty()) {
        message = QStringLiteral("unexpected argument \"%1\"")
                      .arg(parser.positionalArguments().constFirst());
        return TParseOutcome::Error;
    }
    if (parser.isSet(noTrailing) && parser.isSet(wrongTrailing)) {
        message = QStringLiteral("--no-trailing-ack and --wrong-trailing-ack exclude each other");
        return TParseOutcome::Error;
    }

    TCommandLine result;
    TFaults &faults = result.Options.Faults;
    faults.Silent = parser.isSet(silent);
    faults.Noise = parser.isSet(noise);
    faults.NoTrailingAck = parser.isSet(noTrailing);
    faults.WrongTrailingAck = parser.isSet(wrongTrailing);
    faults.NoFinalizeAck = parser.isSet(noFinalize);
    int number = 0;
    if (parser.isSet(hangUp)) {
        if (!readCount(parser, hangUp, 0, 1'000'000, number, message))
            return TParseOutcome::Error;
        faults.HangUpAfterBlocks = number;
    }
    if (parser.isSet(corrupt)) {
        if (!readCount(parser, corrupt, 1, 255, number, message))
            return TParseOutcome::Error;
        faults.CorruptDateSlot = number;
    }
    if (parser.isSet(corruptStored)) {
        if (!readCount(parser, corruptStored, 1, 255, number, message))
            return TParseOutcome::Error;
        faults.CorruptStoredSlot = number;
    }
    if (parser.isSet(latency)) {
        if (!readCount(parser, latency, 0, 1000, number, message))
            return TParseOutcome::Error;
        result.Options.Latency = std::chrono::milliseconds(number);
    }
    result.Options.Slow = parser.isSet(slow);
    if (parser.isSet(writeDelay)) {
        if (!readCount(parser, writeDelay, 0, 3'600'000, number, message))
            return TParseOutcome::Error;
        result.Options.WriteDelay = std::chrono::milliseconds(number);
    }
    result.Log = parser.isSet(log);
    result.LinkPath = parser.value(link).toStdString();
    result.LoadPath = parser.value(load).toStdString();
    result.SavePath = parser.value(save).toStdString();
    commandLine = std::move(result);
    return TParseOutcome::Run;
}

} // namespace varno::emulator
