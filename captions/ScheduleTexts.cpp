#include <QStringList>
#include <captions/ScheduleTexts.h>
#include <text/text.h>

namespace varno::schedule {

QString TimeText(int minuteOfDay)
{
    return QString::asprintf("%02d:%02d", minuteOfDay / 60, minuteOfDay % 60);
}

QString DescribeProblem(const Problem &problem, text::Language language)
{
    using text::AddedTexts;
    const auto t = [&](AddedTexts key) {
        return text::Text(key, language).arg(problem.number).arg(problem.value);
    };
    switch (problem.kind) {
    case ProblemKind::InactiveTimer:
        return text::Text(AddedTexts::InactiveTimerProblem, language).arg(problem.number);
    case ProblemKind::ImpossibleDate:
        return t(AddedTexts::ImpossibleDateProblem);
    case ProblemKind::DateModeOutOfRange:
        return t(AddedTexts::DateModeProblem);
    case ProblemKind::WeekDayOutOfRange:
        return t(AddedTexts::WeekDayProblem);
    case ProblemKind::MissingGoTo:
        return t(AddedTexts::MissingGoToProblem);
    }
    return {};
}

QString DescribeClash(const Schedule &schedule, const Clash &clash, text::Language language)
{
    QStringList programs;
    for (int index : clash.firings) {
        const Firing &f = schedule.firings.at(index);
        QString item = QString::number(f.number);
        if (f.priority)
            item += QLatin1Char(' ') + text::Text(text::AddedTexts::PriorityMark, language);
        programs << item;
    }
    return text::Text(text::AddedTexts::ClashProblem, language)
        .arg(clash.date.toString(QStringLiteral("dd/MM/yyyy")), TimeText(clash.minuteOfDay),
             programs.join(QStringLiteral(", ")));
}

QStringList DescribeAll(const Schedule &schedule, text::Language language)
{
    QStringList lines;
    for (const Clash &clash : schedule.clashes)
        lines << DescribeClash(schedule, clash, language);
    for (const Problem &problem : schedule.problems)
        lines << DescribeProblem(problem, language);
    return lines;
}

} // namespace varno::schedule
