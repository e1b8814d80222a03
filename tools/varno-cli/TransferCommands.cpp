// transmit, receive and verify: the programmer's transfers, from a terminal.

#include "Commands.h"
#include "Output.h"
#include "OutputFile.h"
#include "Progress.h"

#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/LinkMessage.h>
#include <link/QtSerialDevice.h>
#include <link/Transfer.h>
#include <link/TransmitImage.h>
#include <map>
#include <model/Errors.h>
#include <model/ProjectFile.h>
#include <text/text.h>

namespace {

std::unique_ptr<TComLink> makeLink(const TransferOptions &options)
{
    return std::make_unique<TComLink>(std::make_unique<varno::link::TQtSerialDevice>(),
                                      options.timeout);
}

int finish(TLinkResult result)
{
    if (result != TLinkResult::Ok)
        return ExitLink;
    out() << LinkResultMessage(result, text::English) << Qt::endl;
    return ExitOk;
}

} // namespace

int transmit(const TProject &project, const TransferOptions &options)
{
    auto link = makeLink(options);
    TerminalProgress progress(*link, "transmit");
    return finish(varno::transfer::RunTransmit(*link, options.port, project, progress));
}

int receive(const QString &output, bool force, const TransferOptions &options)
{
    // Refused before the player is asked anything: a receive takes minutes.
    if (const QString why = whyOutputCannotBeWritten(output, force); !why.isEmpty()) {
        report(why);
        return ExitFailed;
    }
    auto link = makeLink(options);
    TerminalProgress progress(*link, "receive");
    TReceivedPrograms received;
    const TLinkResult result = varno::transfer::RunReceive(*link, options.port, received, progress);
    if (result != TLinkResult::Ok)
        return ExitLink;
    TProject project;
    project.Programs = std::move(received.programs);
    QString name;
    const TLinkResult named = varno::transfer::ReadProjectName(*link, options.port, name, progress);
    if (named == TLinkResult::Ok)
        project.Group.Name = name;
    for (int number : received.resetSchedules)
        report(QStringLiteral("warning: program %1: the date or time stored in the player did "
                              "not exist; it was given the current date and time")
                   .arg(number));
    try {
        SaveProject(output, project);
    } catch (const TVarnoError &e) {
        report(e.message());
        return ExitFailed;
    }
    if (named != TLinkResult::Ok) {
        // The programs are kept all the same; the file's name line is only a
        // placeholder then, which must not pass for the player's name.
        out() << "Received " << project.Programs.count() << " programs into " << output
              << "; the project name could not be read, so the file holds the programs "
                 "without it\n";
        out().flush();
        return ExitLink;
    }
    out() << "Received " << project.Programs.count() << " programs of \"" << project.Group.Name
          << "\" into " << output << Qt::endl;
    return ExitOk;
}

namespace {

// What the player holds after a transmit: each block lands in the slot its
// number names, a later one over an earlier one.
std::map<int, TTrameList> expectedSlots(const TProject &project)
{
    std::map<int, TTrameList> stored;
    for (TTrameList &block : varno::eeprom::TransmitBlocks(project.Programs))
        stored[block[1].Value] = std::move(block);
    return stored;
}

QStringList differingFields(const TTrameList &expected, const TTrameList &actual)
{
    QStringList fields;
    const auto byte = [](const TTrameList &b, int k) { return b[std::size_t(k)].Value; };
    const auto differs = [&](int k, quint8 mask) {
        return (byte(expected, k) & mask) != (byte(actual, k) & mask);
    };
    if (differs(1, 0xFF))
        fields << "number";
    if (differs(2, 0x0F))
        fields << "action count";
    if (differs(2, 0x10))
        fields << "timer on";
    if (differs(2, 0x20))
        fields << "active";
    if (differs(3, 0x0F))
        fields << "date mode";
    if (differs(3, 0x10))
        fields << "prioritary";
    for (int slot = 0; slot < 6; ++slot) {
        const int k = 4 + slot / 2;
        if (differs(k, slot % 2 == 0 ? 0xF0 : 0x0F))
            fields << QStringLiteral("action %1 kind").arg(slot + 1);
        if (differs(7 + slot, 0xFF))
            fields << QStringLiteral("action %1 number").arg(slot + 1);
        if (differs(18 + slot, 0xFF))
            fields << QStringLiteral("action %1 value").arg(slot + 1);
    }
    if (differs(13, 0xF0))
        fields << "weekday";
    if (differs(13, 0x0F) || differs(14, 0xFF) || differs(15, 0xFF))
        fields << "date";
    if (differs(16, 0xFF))
        fields << "hour";
    if (differs(17, 0xFF))
        fields << "minute";
    return fields;
}

} // namespace

int verify(const TProject &project, const TransferOptions &options)
{
    auto link = makeLink(options);
    TerminalProgress progress(*link, "verify");
    const std::map<int, TTrameList> expected = expectedSlots(project);
    // Printed once the bar has ended, so that no line lands on the bar's line.
    QStringList differences;
    const TLinkResult opened = link->OpenComPort(options.port);
    if (opened != TLinkResult::Ok) {
        progress.linkFailure(opened);
        return ExitLink;
    }
    progress.transferStarted();
    for (int slot = 1; slot <= varno::eeprom::SlotCount; ++slot) {
        TTrameList actual;
        const TLinkResult result = link->ReadBlock(quint8(slot), actual);
        if (result != TLinkResult::Ok) {
            progress.linkFailure(result);
            link->CloseComPort();
            return ExitLink;
        }
        progress.slotDone(slot);
        const auto it = expected.find(slot);
        const bool shouldBeEmpty = it == expected.end() || IsEmptySlot(it->second);
        if (shouldBeEmpty) {
            if (!IsEmptySlot(actual)) {
                differences << QStringLiteral("slot %1: the player holds program %2, the "
                                              "project none")
                                   .arg(slot)
                                   .arg(actual[1].Value);
            }
            continue;
        }
        if (IsEmptySlot(actual)) {
            differences << QStringLiteral("program %1: missing from the player").arg(slot);
            continue;
        }
        const QStringList fields = differingFields(it->second, actual);
        if (!fields.isEmpty()) {
            differences << QStringLiteral("program %1: %2").arg(slot).arg(fields.join(", "));
        }
    }
    link->CloseComPort();
    progress.finalizationStep();
    QString name;
    if (varno::transfer::ReadProjectName(*link, options.port, name, progress) != TLinkResult::Ok)
        return ExitLink;
    QByteArray sent = varno::eeprom::ProjectNameBlock(project.Group.Name);
    if (const qsizetype end = sent.indexOf('\0'); end >= 0)
        sent.truncate(end);
    if (name != varno::eeprom::ProjectNameFromBlock(sent)) {
        differences << QStringLiteral("name: the player holds \"%1\", the project \"%2\"")
                           .arg(name, project.Group.Name);
    }
    if (differences.isEmpty()) {
        out() << "The player holds exactly what a transmit of this project writes." << Qt::endl;
        return ExitOk;
    }
    for (const QString &line : std::as_const(differences))
        out() << line << '\n';
    out() << differences.size() << (differences.size() == 1 ? " difference" : " differences")
          << Qt::endl;
    return ExitFailed;
}
