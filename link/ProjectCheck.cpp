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

TProjectCheck about(TCheckKind kind, const TProgList &programs, int position)
{
    TProjectCheck check;
    check.kind = kind;
    check.program = programs.at(position).NumOfProg;
    check.position = position + 1;
    return check;
}

// Which program each step sends, and what the player keeps of it: the block
// lands under the number it carries, a later block over an earlier one.
void checkSteps(const TProgList &programs, QList<TProjectCheck> &checks)
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
        if (number != step) {
            TProjectCheck check = about(TCheckKind::StepSendsOther, programs, position);
            check.step = step;
            checks << check;
        }
        if (number == 0) {
            checks << about(TCheckKind::SentAsZero, programs, position);
        } else if (keptUnder.contains(number)) {
            TProjectCheck check = about(TCheckKind::ReplacesEarlier, programs, position);
            const int earlier = keptUnder.value(number);
            check.earlierProgram = programs.at(earlier).NumOfProg;
            check.earlierPosition = earlier + 1;
            checks << check;
        }
        keptUnder.insert(number, position);
    }
    for (int position = 0; position < programs.count(); ++position) {
        if (sentAt[position] != 0)
            continue;
        const int number = programs.at(position).NumOfProg;
        TProjectCheck check = about(TCheckKind::NeverSent, programs, position);
        if (number != 0 && !keptUnder.contains(number))
            check.value = number;
        checks << check;
    }
}

// A kind of 16 or more does not fit its four bits: the encoder keeps its low
// four bits and, in slots 2, 4 and 6, adds the rest to the kind before it.
void checkKinds(const TProgList &programs, int position, QList<TProjectCheck> &checks)
{
    const TVARNOProg &p = programs.at(position);
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
        TProjectCheck check = about(TCheckKind::KindTooWide, programs, position);
        check.action = slot + 1;
        check.value = kind;
        check.sent = sentKind(slot);
        const int before = slot - 1;
        if (slot % 2 == 1 && sentKind(before) != (p.ActionKind[std::size_t(before)] & 0x0F)) {
            check.beforeAction = before + 1;
            check.beforeValue = p.ActionKind[std::size_t(before)];
            check.beforeSent = sentKind(before);
        }
        checks << check;
    }
}

void checkProgram(const TProgList &programs, int position, QList<TProjectCheck> &checks)
{
    const TVARNOProg &p = programs.at(position);
    const auto check = [&](TCheckKind kind, int value) {
        TProjectCheck found = about(kind, programs, position);
        found.value = value;
        return found;
    };
    if (p.WeekDay < 1 || p.WeekDay > 7)
        checks << check(TCheckKind::WeekDayOutOfRange, p.WeekDay);
    if (p.DateMode > 2)
        checks << check(TCheckKind::DateModeOutOfRange, p.DateMode);
    if (p.ActionCount > TVARNOProg::ActionSlots)
        checks << check(TCheckKind::ActionCountOutOfRange, p.ActionCount);
    const int used = qMin<int>(p.ActionCount, TVARNOProg::ActionSlots);
    for (int slot = 0; slot < used; ++slot) {
        const quint8 kind = p.ActionKind[std::size_t(slot)];
        if (kind <= 15 && !isKnownKind(kind)) {
            TProjectCheck found = check(TCheckKind::UnknownKind, kind);
            found.action = slot + 1;
            checks << found;
        }
    }
    checkKinds(programs, position, checks);
    const int year = p.GetYear();
    if (year < 2000 || year > 2099) {
        TProjectCheck found = check(TCheckKind::YearOutOfRange, year);
        found.sent = 2000 + year % 100;
        checks << found;
    }
}

} // namespace

namespace varno::projectcheck {

QList<TProjectCheck> ProjectChecks(const TProject &project, const QList<TNarrowedNumber> &narrowed)
{
    QList<TProjectCheck> checks;
    for (const TNarrowedNumber &n : narrowed) {
        TProjectCheck check;
        check.kind = n.flag != TNarrowedNumber::TFlag::None ? TCheckKind::FlagReadAsNo
                                                            : TCheckKind::NarrowedNumber;
        check.program = n.program;
        check.narrowed = n;
        checks << check;
    }

    const QString &name = project.Group.Name;
    if (name.size() > TVARNOGroup::MaxNameLength) {
        TProjectCheck check;
        check.kind = TCheckKind::NameTooLong;
        check.value = int(name.size());
        checks << check;
    }
    if (!varno::cp1252::CanEncode(name)) {
        TProjectCheck check;
        check.kind = TCheckKind::NameNotEncodable;
        checks << check;
    }

    checkSteps(project.Programs, checks);
    for (int i = 0; i < project.Programs.count(); ++i)
        checkProgram(project.Programs, i, checks);
    for (const TFinding &finding : TransmitFindings(project)) {
        TProjectCheck check;
        check.kind = TCheckKind::Transmit;
        check.finding = finding;
        checks << check;
    }
    return checks;
}

} // namespace varno::projectcheck

namespace {

using varno::schedule::ProblemKind;

// Whether two timers of the same minute can fire on the same day: every day
// meets anything, a weekday meets itself and the dates on it, a date itself.
bool meet(const TVARNOProg &a, const TVARNOProg &b)
{
    if (a.DateMode == 1 || b.DateMode == 1)
        return true;
    const auto dateOf = [](const TVARNOProg &p) { return varno::datetime::DatePart(p.GetDate()); };
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

namespace varno::projectcheck {

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

} // namespace varno::projectcheck
