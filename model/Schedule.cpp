#include <QMap>
#include <algorithm>
#include <model/Project.h>
#include <model/Schedule.h>

namespace varno::schedule {
namespace {

struct Timer
{
    int position;
    const TVARNOProg *program;
};

bool firesOn(const TVARNOProg &p, const QDate &day)
{
    switch (p.DateMode) {
    case 0:
        return p.GetYear() >= FirstYear && p.GetYear() <= LastYear &&
               datetime::DatePart(p.GetDate()) == day;
    case 1:
        return true;
    case 2:
        return p.WeekDay >= 1 && p.WeekDay <= 7 && day.dayOfWeek() == p.WeekDay;
    default:
        return false;
    }
}

// What keeps a program whose timer is on from firing, if anything.
bool valueProblem(const TVARNOProg &p, Problem &problem)
{
    if (p.DateMode > 2) {
        problem.kind = ProblemKind::DateModeOutOfRange;
        problem.value = p.DateMode;
        return true;
    }
    if (p.DateMode == 2 && (p.WeekDay < 1 || p.WeekDay > 7)) {
        problem.kind = ProblemKind::WeekDayOutOfRange;
        problem.value = p.WeekDay;
        return true;
    }
    if (p.DateMode == 0 && (p.GetYear() < FirstYear || p.GetYear() > LastYear)) {
        problem.kind = ProblemKind::ImpossibleDate;
        problem.value = p.GetYear();
        return true;
    }
    return false;
}

} // namespace

quint8 FollowUpOf(const TVARNOProg &p)
{
    const int used = qMin<int>(p.ActionCount, TVARNOProg::ActionSlots);
    for (int slot = 0; slot < used; ++slot) {
        const quint8 kind = p.ActionKind[std::size_t(slot)];
        if (varno::actions::EndsActionList(kind))
            return kind == akGoToProgram ? p.ActionNumber[std::size_t(slot)] : 0;
    }
    return 0;
}

QDate WeekStart(const QDate &date)
{
    return date.addDays(1 - date.dayOfWeek());
}

Schedule BuildSchedule(const TProject &project, const QDate &from, int days)
{
    Schedule s;
    s.from = from;
    s.days = qMax(days, 0);

    QList<Timer> timers;
    for (int i = 0; i < project.Programs.count(); ++i) {
        const TVARNOProg &p = project.Programs.at(i);
        Problem problem{ProblemKind::InactiveTimer, i, p.NumOfProg, 0};
        if (p.TimerOn == 1 && p.Active != 1)
            s.problems << problem;
        else if (p.TimerOn == 1 && valueProblem(p, problem))
            s.problems << problem;
        else if (p.TimerOn == 1)
            timers << Timer{i, &p};
        const quint8 target = FollowUpOf(p);
        if (target != 0 && !project.Programs.ProgramNumberExists(target))
            s.problems << Problem{ProblemKind::MissingGoTo, i, p.NumOfProg, target};
    }

    for (int d = 0; d < s.days; ++d) {
        const QDate day = from.addDays(d);
        const qsizetype firstOfDay = s.firings.size();
        for (const Timer &t : timers) {
            const TVARNOProg &p = *t.program;
            if (!firesOn(p, day))
                continue;
            s.firings << Firing{day,           p.GetHour() * 60 + p.GetMinute(),
                                t.position,    p.NumOfProg,
                                p.Title,       p.Prioritary == 1,
                                FollowUpOf(p), false};
        }
        // Project order within a minute, as the timers were gathered.
        std::stable_sort(
            s.firings.begin() + firstOfDay, s.firings.end(),
            [](const Firing &a, const Firing &b) { return a.minuteOfDay < b.minuteOfDay; });
        for (qsizetype i = firstOfDay; i < s.firings.size();) {
            qsizetype end = i + 1;
            while (end < s.firings.size() && s.firings[end].minuteOfDay == s.firings[i].minuteOfDay)
                ++end;
            if (end - i > 1) {
                Clash clash{day, s.firings[i].minuteOfDay, {}};
                for (qsizetype k = i; k < end; ++k) {
                    s.firings[k].clashes = true;
                    clash.firings << int(k);
                }
                s.clashes << clash;
            }
            i = end;
        }
    }
    return s;
}

} // namespace varno::schedule
