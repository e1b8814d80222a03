#include <captions/ScheduleSummary.h>
#include <model/ProjectClasses.h>
#include <text/text.h>

namespace {

QString two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString ScheduleSummary(const TVARNOProg &p, text::Language language)
{
    using text::ScheduleTexts;
    if (p.TimerOn != 1)
        return QStringLiteral("...");
    const QString at = text::Text(ScheduleTexts::AtPrefix, language) + two(p.GetHour()) +
                       QStringLiteral(":") + two(p.GetMinute());
    switch (p.DateMode) {
    case 1:
        return text::Text(ScheduleTexts::EveryDay, language) + at;
    case 2: {
        // A weekday from outside data that names no day reads "...".
        const QString day = p.WeekDay >= 1 && p.WeekDay <= 7 ? text::DayName(p.WeekDay, language)
                                                             : QStringLiteral("...");
        return text::Text(ScheduleTexts::EveryPrefix, language) + day + at;
    }
    default:
        // Any other mode reads as "on the date", as the program panel shows it.
        return text::Text(ScheduleTexts::DatePrefix, language) + two(p.GetDay()) +
               QStringLiteral("/") + two(p.GetMonth()) + QStringLiteral("/") + two(p.GetYear()) +
               at;
    }
}
