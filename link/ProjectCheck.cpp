#include <QHash>
#include <link/EepromImage.h>
#include <link/ProjectCheck.h>
#include <link/TransmitImage.h>
#include <model/Cp1252.h>
#include <model/Project.h>

namespace {

bool isKnownKind(quint8 kind)
{
    switch (kind) {
    case akTimerFile:
    case akDirectory:
    case akSleepMode:
    case akTransport:
    case akVolume:
    case akInternalOutput:
    case akExternalOutput:
    case akGoToProgram:
    case akFtpClient:
    case akSendEMail:
        return true;
    default:
        return false;
    }
}

QString programAt(const TProgList &programs, int position)
{
    return QStringLiteral("program %1 (position %2)")
        .arg(programs.at(position).NumOfProg)
        .arg(position + 1);
}

// Which program each step sends, and what the player keeps of it: the block
// lands under the number it carries, a later block over an earlier one.
void checkSteps(const TProgList &programs, QStringList &warnings)
{
    const std::vector<varno::eeprom::TransmitStep> steps = varno::eeprom::TransmitSteps(programs);
    QList<int> sentAt(programs.count(), 0);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].program >= 0)
            sentAt[steps[i].program] = int(i) + 1;
    }
    // With numbers that all differ and none 0, every program is sent under
    // its own number whatever the order of the list: nothing to say.
    if (!sentAt.contains(0))
        return;

    QHash<int, int> keptUnder; // number -> position of the program the player keeps
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const int step = int(i) + 1;
        const int position = steps[i].program;
        if (position < 0)
            continue;
        const int number = steps[i].block[1].Value;
        if (number != step)
            warnings << QStringLiteral("step %1 sends %2, not a program numbered %1")
                            .arg(step)
                            .arg(programAt(programs, position));
        if (number == 0) {
            warnings << QStringLiteral("%1 is sent with number 0, which names no slot of the "
                                       "player")
                            .arg(programAt(programs, position));
        } else if (keptUnder.contains(number)) {
            warnings << QStringLiteral("%1 is sent after %2 and replaces it in the player")
                            .arg(programAt(programs, position),
                                 programAt(programs, keptUnder.value(number)));
        }
        keptUnder.insert(number, position);
    }
    for (int position = 0; position < programs.count(); ++position) {
        if (sentAt[position] != 0)
            continue;
        const int number = programs.at(position).NumOfProg;
        QString warning = programAt(programs, position) + QStringLiteral(" is never sent");
        if (number != 0 && !keptUnder.contains(number))
            warning +=
                QStringLiteral("; the player keeps what it held under number %1").arg(number);
        warnings << warning;
    }
}

// A kind of 16 or more does not fit its four bits: the encoder keeps its low
// four bits and, in slots 2, 4 and 6, adds the rest to the kind before it.
void checkKinds(const TVARNOProg &p, const QString &where, QStringList &warnings)
{
    TTrameList block;
    ProgToTrames(p, block, false);
    const auto sentKind = [&block](int slot) {
        const quint8 byte = block[std::size_t(4 + slot / 2)].Value;
        return slot % 2 == 0 ? byte >> 4 : byte & 0x0F;
    };
    for (int slot = 0; slot < TVARNOProg::ActionSlots; ++slot) {
        const quint8 kind = p.ActionKind[std::size_t(slot)];
        if (kind <= 15)
            continue;
        QString warning = QStringLiteral("%1: action %2 has kind %3, which does not fit in four "
                                         "bits; the player receives kind %4 for it")
                              .arg(where)
                              .arg(slot + 1)
                              .arg(kind)
                              .arg(sentKind(slot));
        const int before = slot - 1;
        if (slot % 2 == 1 && sentKind(before) != (p.ActionKind[std::size_t(before)] & 0x0F))
            warning += QStringLiteral(", and kind %1 instead of %2 for action %3")
                           .arg(sentKind(before))
                           .arg(p.ActionKind[std::size_t(before)])
                           .arg(before + 1);
        warnings << warning;
    }
}

void checkProgram(const TVARNOProg &p, int position, QStringList &warnings)
{
    const QString where = QStringLiteral("program %1 (position %2)").arg(p.NumOfProg).arg(position);
    const auto warn = [&](const QString &what) { warnings << where + QStringLiteral(": ") + what; };

    if (p.WeekDay < 1 || p.WeekDay > 7)
        warn(QStringLiteral("weekday %1 is outside 1..7").arg(p.WeekDay));
    if (p.DateMode > 2)
        warn(QStringLiteral("date mode %1 is outside 0..2").arg(p.DateMode));
    if (p.ActionCount > TVARNOProg::ActionSlots)
        warn(QStringLiteral("action count %1 is outside 0..6").arg(p.ActionCount));
    const int used = qMin<int>(p.ActionCount, TVARNOProg::ActionSlots);
    for (int slot = 0; slot < used; ++slot) {
        const quint8 kind = p.ActionKind[std::size_t(slot)];
        if (kind <= 15 && !isKnownKind(kind))
            warn(QStringLiteral("action %1 has kind %2, which names no action")
                     .arg(slot + 1)
                     .arg(kind));
    }
    checkKinds(p, where, warnings);
    const int year = p.GetYear();
    if (year < 2000 || year > 2099)
        warn(QStringLiteral("year %1 reaches the player as %2").arg(year).arg(2000 + year % 100));
}

} // namespace

QStringList CheckProject(const TProject &project, const QList<TNarrowedNumber> &narrowed)
{
    QStringList warnings;
    for (const TNarrowedNumber &n : narrowed) {
        if (n.flag != TNarrowedNumber::TFlag::None)
            warnings << QStringLiteral("line %1: program %2: %3 \"%4\" is read as no (only "
                                       "\"yes\" sets it)")
                            .arg(n.line)
                            .arg(n.program)
                            .arg(n.what, n.spelling);
        else
            warnings << QStringLiteral("line %1: %2 %3 is stored as %4")
                            .arg(n.line)
                            .arg(n.what)
                            .arg(n.written)
                            .arg(n.held);
    }

    const QString &name = project.Group.Name;
    if (name.size() > TVARNOGroup::MaxNameLength)
        warnings << QStringLiteral("the project name has %1 characters; the player keeps the "
                                   "first %2")
                        .arg(name.size())
                        .arg(TVARNOGroup::MaxNameLength);
    if (!varno::cp1252::canEncode(name))
        warnings << QStringLiteral("the project name has characters the player cannot store; "
                                   "they are sent as '?'");

    checkSteps(project.Programs, warnings);
    for (int i = 0; i < project.Programs.count(); ++i)
        checkProgram(project.Programs.at(i), i + 1, warnings);
    return warnings;
}
