#include <QHash>
#include <QMap>
#include <QSet>
#include <link/EepromImage.h>
#include <link/ProjectCheck.h>
#include <link/TransmitImage.h>
#include <model/Cp1252.h>
#include <model/DateTime.h>
#include <model/Project.h>
#include <model/Schedule.h>
#include <text/text.h>

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
    // Shared numbers and years are said above in the transmit's own terms.
    for (const TFinding &finding : TransmitFindings(project))
        if (finding.kind != TFindingKind::SharedNumber &&
            finding.kind != TFindingKind::ImpossibleDate)
            warnings << FindingText(finding, text::English);
    return warnings;
}

namespace {

using varno::schedule::ProblemKind;

// Whether two timers of the same minute can fire on the same day: every day
// meets anything, a weekday meets itself and the dates on it, a date itself.
bool meet(const TVARNOProg &a, const TVARNOProg &b)
{
    if (a.DateMode == 1 || b.DateMode == 1)
        return true;
    const auto dateOf = [](const TVARNOProg &p) { return varno::datetime::datePart(p.GetDate()); };
    if (a.DateMode == 2 && b.DateMode == 2)
        return a.WeekDay == b.WeekDay;
    if (a.DateMode == 0 && b.DateMode == 0)
        return dateOf(a) == dateOf(b);
    const TVARNOProg &weekly = a.DateMode == 2 ? a : b;
    const TVARNOProg &dated = a.DateMode == 2 ? b : a;
    return dateOf(dated).dayOfWeek() == weekly.WeekDay;
}

// Programs whose timers can fire together, one finding per minute of the day.
void findClashes(const TProgList &programs, const QSet<int> &cannotFire, QList<TFinding> &findings)
{
    QMap<int, QList<int>> byMinute; // minute of the day -> positions
    for (int i = 0; i < programs.count(); ++i) {
        const TVARNOProg &p = programs.at(i);
        if (p.TimerOn == 1 && p.Active == 1 && !cannotFire.contains(i))
            byMinute[p.GetHour() * 60 + p.GetMinute()] << i;
    }
    for (auto it = byMinute.cbegin(); it != byMinute.cend(); ++it) {
        const QList<int> &at = it.value();
        QList<int> clashing;
        for (int i : at) {
            for (int j : at) {
                if (i != j && meet(programs.at(i), programs.at(j))) {
                    clashing << programs.at(i).NumOfProg;
                    break;
                }
            }
        }
        if (!clashing.isEmpty())
            findings << TFinding{TFindingKind::Clash, clashing, it.key()};
    }
}

} // namespace

QList<TFinding> TransmitFindings(const TProject &project)
{
    const TProgList &programs = project.Programs;
    QList<TFinding> findings;
    QSet<int> cannotFire; // positions whose timer cannot fire as it stands
    const varno::schedule::Schedule schedule = varno::schedule::BuildSchedule(project, {}, 0);
    for (const varno::schedule::Problem &problem : schedule.problems) {
        switch (problem.kind) {
        case ProblemKind::MissingGoTo:
            findings << TFinding{TFindingKind::MissingJump, {problem.number}, problem.value};
            break;
        case ProblemKind::InactiveTimer:
            findings << TFinding{TFindingKind::InactiveTimer, {problem.number}, 0};
            break;
        case ProblemKind::ImpossibleDate:
            findings << TFinding{TFindingKind::ImpossibleDate, {problem.number}, problem.value};
            cannotFire << problem.position;
            break;
        case ProblemKind::DateModeOutOfRange:
        case ProblemKind::WeekDayOutOfRange:
            cannotFire << problem.position;
            break;
        }
    }
    findClashes(programs, cannotFire, findings);
    QMap<int, int> bearers;
    for (const auto &p : programs)
        ++bearers[p->NumOfProg];
    for (auto it = bearers.cbegin(); it != bearers.cend(); ++it)
        if (it.value() > 1)
            findings << TFinding{TFindingKind::SharedNumber, {it.key()}, it.value()};
    return findings;
}

QString FindingText(const TFinding &finding, quint8 language)
{
    using text::AddedTexts;
    QStringList numbers;
    for (int n : finding.numbers)
        numbers << QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
    const QString programs = numbers.join(QStringLiteral(", "));
    const auto padded = [](int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); };
    switch (finding.kind) {
    case TFindingKind::MissingJump:
        return text::Text(AddedTexts::FindingMissingJump, language)
            .arg(programs, padded(finding.value));
    case TFindingKind::InactiveTimer:
        return text::Text(AddedTexts::FindingInactiveTimer, language).arg(programs);
    case TFindingKind::Clash:
        return text::Text(AddedTexts::FindingClash, language)
            .arg(programs, QStringLiteral("%1:%2")
                               .arg(finding.value / 60, 2, 10, QLatin1Char('0'))
                               .arg(finding.value % 60, 2, 10, QLatin1Char('0')));
    case TFindingKind::ImpossibleDate:
        return text::Text(AddedTexts::FindingImpossibleDate, language)
            .arg(programs)
            .arg(finding.value);
    case TFindingKind::SharedNumber:
        return text::Text(AddedTexts::FindingSharedNumber, language)
            .arg(finding.value)
            .arg(programs);
    }
    return {};
}

QStringList FindingLines(const QList<TFinding> &findings, quint8 language, int shown)
{
    QStringList lines;
    for (qsizetype i = 0; i < findings.size() && i < shown; ++i)
        lines << FindingText(findings[i], language);
    if (findings.size() > shown)
        lines << text::Text(text::AddedTexts::FindingsMore, language).arg(findings.size() - shown);
    return lines;
}
