// transmit, receive and verify: the programmer's transfers, from a terminal.

#include "Commands.h"
#include "Output.h"

#include <QFileInfo>
#include <cstdio>
#include <link/ComLink.h>
#include <link/EepromImage.h>
#include <link/LinkMessage.h>
#include <link/QtSerialDevice.h>
#include <link/Transfer.h>
#include <link/TransmitImage.h>
#include <map>
#include <model/Errors.h>
#include <model/PreviousVersion.h>
#include <model/ProjectFile.h>
#include <text/text.h>
#include <unistd.h>

namespace {

// A bar that redraws itself on a terminal, or a line now and then otherwise.
class TerminalProgress : public TTransferObserver
{
public:
    TerminalProgress(TComLink &link, const char *what) : link_(link), what_(what)
    {
        interactive_ = isatty(fileno(stderr));
    }

    void slotDone(int slot) override
    {
        if (interactive_) {
            const int filled = slot * 40 / 255;
            err() << '\r' << what_ << " [" << QString(filled, QLatin1Char('#'))
                  << QString(40 - filled, QLatin1Char(' ')) << "] " << slot << "/255";
            err().flush();
        } else if (slot % 64 == 0 || slot == 255) {
            err() << what_ << ": slot " << slot << "/255\n";
        }
    }
    void finalizationStep() override
    {
        if (interactive_)
            err() << '\n';
        err() << what_ << ": project name\n";
    }
    void linkFailure(TLinkResult result) override
    {
        if (interactive_)
            err() << '\n';
        err() << "error: " << LinkResultMessage(result, text::English, link_.lastErrorReason())
              << '\n';
        err().flush();
    }

private:
    TComLink &link_;
    const char *what_;
    bool interactive_ = false;
};

std::unique_ptr<TComLink> makeLink(const TransferOptions &options)
{
    return std::make_unique<TComLink>(std::make_unique<varno::link::TQtSerialDevice>(),
                                      options.timeout);
}

int finish(TLinkResult result)
{
    if (result != TLinkResult::Ok)
        return ExitLink;
    out() << LinkResultMessage(result, text::English) << '\n';
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
    if (QFileInfo::exists(output) && !force) {
        err() << "varno-cli: " << output << " exists; add --force to replace it\n";
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
    // Without the name the programs are still saved, under "New Project".
    const TLinkResult named = varno::transfer::ReadProjectName(*link, options.port, name, progress);
    if (named == TLinkResult::Ok)
        project.Group.Name = name;
    for (int number : received.resetSchedules)
        err() << "warning: program " << number
              << ": the date or time stored in the player did not exist; it was given the "
                 "current date and time\n";
    try {
        KeepPreviousVersion(output);
        SaveProject(output, project);
    } catch (const TVarnoError &e) {
        err() << e.message() << '\n';
        return ExitFailed;
    }
    out() << "Received " << project.Programs.count() << " programs of \"" << project.Group.Name
          << "\" into " << output << '\n';
    return named == TLinkResult::Ok ? ExitOk : ExitLink;
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
    int differences = 0;
    const TLinkResult opened = link->OpenComPort(options.port);
    if (opened != TLinkResult::Ok) {
        progress.linkFailure(opened);
        return ExitLink;
    }
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
                out() << "slot " << slot << ": the player holds program " << actual[1].Value
                      << ", the project none\n";
                ++differences;
            }
            continue;
        }
        if (IsEmptySlot(actual)) {
            out() << "program " << slot << ": missing from the player\n";
            ++differences;
            continue;
        }
        const QStringList fields = differingFields(it->second, actual);
        if (!fields.isEmpty()) {
            out() << "program " << slot << ": " << fields.join(QStringLiteral(", ")) << '\n';
            ++differences;
        }
    }
    link->CloseComPort();
    QString name;
    if (varno::transfer::ReadProjectName(*link, options.port, name, progress) != TLinkResult::Ok)
        return ExitLink;
    QByteArray sent = varno::eeprom::ProjectNameBlock(project.Group.Name);
    if (const qsizetype end = sent.indexOf('\0'); end >= 0)
        sent.truncate(end);
    if (name != varno::eeprom::ProjectNameFromBlock(sent)) {
        out() << "name: the player holds \"" << name << "\", the project \"" << project.Group.Name
              << "\"\n";
        ++differences;
    }
    if (differences == 0) {
        out() << "The player holds exactly what a transmit of this project writes.\n";
        return ExitOk;
    }
    out() << differences << (differences == 1 ? " difference\n" : " differences\n");
    return ExitFailed;
}
