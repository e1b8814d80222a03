#include <QMap>
#include <QStringList>
#include <captions/ActionCaption.h>
#include <captions/ScheduleSummary.h>
#include <captions/ScheduleTexts.h>
#include <model/Project.h>
#include <model/Schedule.h>
#include <report/ProjectReport.h>
#include <text/text.h>

namespace {

using namespace varno::schedule;
using text::AddedTexts;

QString esc(const QString &s)
{
    return s.toHtmlEscaped();
}

// A dialog or panel label without its leading blanks, accelerator and colon.
QString label(QString s)
{
    s.remove(QLatin1Char('&'));
    s = s.trimmed();
    if (s.endsWith(QLatin1Char(':')))
        s.chop(1);
    return s.trimmed();
}

QString colourCss(quint32 colour)
{
    return QString::asprintf("#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                             (colour >> 16) & 0xFF);
}

void properties(QString &html, const TProject &project, text::Language l)
{
    using text::ProjectPropertiesTexts;
    const auto &g = project.Group;
    const QList<QPair<ProjectPropertiesTexts, QString>> rows = {
        {ProjectPropertiesTexts::NameLabel, g.Name},
        {ProjectPropertiesTexts::SubjectLabel, g.Subject},
        {ProjectPropertiesTexts::AuthorLabel, g.Author},
        {ProjectPropertiesTexts::CopyrightLabel, g.Copyright},
        {ProjectPropertiesTexts::CustomerLabel, g.Customer},
        {ProjectPropertiesTexts::CreationDateLabel, g.CreationDate},
        {ProjectPropertiesTexts::DiffusionDateLabel, g.DiffusionDate},
        {ProjectPropertiesTexts::PropertiesCommentsLabel, g.Comments.join(QLatin1Char('\n'))},
    };
    html += QStringLiteral("<h2>%1</h2>\n<table class=\"properties\">\n")
                .arg(esc(label(text::Text(ProjectPropertiesTexts::PropertiesCaption, l))));
    for (const auto &[key, value] : rows)
        html += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n")
                    .arg(esc(label(text::Text(key, l))),
                         esc(value).replace(QLatin1Char('\n'), QLatin1String("<br>")));
    html += QStringLiteral("</table>\n");
}

QString firingText(const Firing &f, text::Language l)
{
    QString s = QStringLiteral("%1 %2").arg(f.number, 3, 10, QLatin1Char('0')).arg(esc(f.title));
    if (f.priority)
        s += QLatin1Char(' ') + esc(text::Text(AddedTexts::PriorityMark, l));
    if (f.followedBy != 0)
        s += QStringLiteral(" &rarr; ") +
             esc(text::Text(AddedTexts::FollowedBy, l).arg(f.followedBy));
    return s;
}

void timetable(QString &html, const Schedule &s, text::Language l)
{
    html += QStringLiteral("<h2>%1</h2>\n")
                .arg(esc(text::Text(AddedTexts::TimetableHeading, l)
                             .arg(s.from.toString(QStringLiteral("dd/MM/yyyy")),
                                  s.from.addDays(6).toString(QStringLiteral("dd/MM/yyyy")))));
    // One row a minute at which something fires, one column a day.
    QMap<int, QList<QStringList>> rows;
    for (const Firing &f : s.firings) {
        auto &row = rows[f.minuteOfDay];
        if (row.isEmpty())
            row.resize(7);
        const QString cell =
            f.clashes ? QStringLiteral("<span class=\"clash\">%1</span>").arg(firingText(f, l))
                      : firingText(f, l);
        row[s.from.daysTo(f.date)] << cell;
    }
    // Across the page, its days' header again on every page it runs onto.
    html += QStringLiteral("<table class=\"timetable\" width=\"100%\">\n<thead><tr><th></th>");
    for (int d = 0; d < 7; ++d)
        html += QStringLiteral("<th>%1<br>%2</th>")
                    .arg(esc(text::DayName(d + 1, l)),
                         s.from.addDays(d).toString(QStringLiteral("dd/MM")));
    html += QStringLiteral("</tr></thead>\n");
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        html += QStringLiteral("<tr><th>%1</th>").arg(TimeText(it.key()));
        for (const QStringList &cell : it.value())
            html += QStringLiteral("<td>%1</td>").arg(cell.join(QLatin1String("<br>")));
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n");
}

void findings(QString &html, const Schedule &s, text::Language l)
{
    html += QStringLiteral("<h2>%1</h2>\n<ul class=\"problems\">\n")
                .arg(esc(text::Text(AddedTexts::ClashesHeading, l)));
    const QStringList lines = DescribeAll(s, l);
    for (const QString &line : lines)
        html += QStringLiteral("<li>%1</li>\n").arg(esc(line));
    if (lines.isEmpty())
        html += QStringLiteral("<li>%1</li>\n").arg(esc(text::Text(AddedTexts::NoProblem, l)));
    html += QStringLiteral("</ul>\n");
}

QString flags(const TVARNOProg &p, text::Language l)
{
    using text::PanelTexts;
    QStringList set;
    if (p.Active == 1)
        set << label(text::Text(PanelTexts::ActivateLabel, l));
    if (p.Prioritary == 1)
        set << label(text::Text(PanelTexts::PriorityLabel, l));
    if (p.TimerOn == 1)
        set << text::Text(AddedTexts::TimerLabel, l);
    return esc(set.join(QStringLiteral(", ")));
}

QString actions(const TVARNOProg &p, text::Language l)
{
    QStringList items;
    const int used = qMin<int>(p.ActionCount, TVARNOProg::ActionSlots);
    for (int slot = 0; slot < used; ++slot) {
        const auto c = varno::actions::CaptionOf(p.ActionKind[std::size_t(slot)],
                                                 p.ActionNumber[std::size_t(slot)],
                                                 p.ActionValue[std::size_t(slot)], l);
        QString item = esc(c.text);
        if (c.hasValue)
            item += QStringLiteral(" &ndash; ") + esc(c.valueText);
        items << QStringLiteral("<li>%1</li>").arg(item);
    }
    return items.isEmpty() ? QString() : QStringLiteral("<ol>%1</ol>").arg(items.join(QString()));
}

void programs(QString &html, const TProject &project, text::Language l)
{
    html += QStringLiteral("<h2>%1</h2>\n<table class=\"programs\" width=\"100%\">\n"
                           "<thead><tr><th>%2</th><th>%3</th><th>%4</th><th>%5</th><th>%6</th>"
                           "<th>%7</th></tr></thead>\n")
                .arg(esc(text::Text(AddedTexts::ProgramsHeading, l)),
                     esc(text::Text(AddedTexts::NumberColumn, l)),
                     esc(text::Text(AddedTexts::TitleColumn, l)),
                     esc(text::Text(AddedTexts::FlagsColumn, l)),
                     esc(text::Text(AddedTexts::ScheduleColumn, l)),
                     esc(label(text::Text(text::PanelTexts::ActionsLabel, l))),
                     esc(label(text::Text(text::PanelTexts::CommentsLabel, l))));
    for (const auto &program : project.Programs) {
        const TVARNOProg &p = *program;
        html += QStringLiteral("<tr><td><span class=\"swatch\" style=\"background:%1\"></span>"
                               "%2</td><td>%3</td><td>%4</td><td>%5</td><td>%6</td><td>%7</td>"
                               "</tr>\n")
                    .arg(colourCss(p.Color),
                         QStringLiteral("%1").arg(p.NumOfProg, 3, 10, QLatin1Char('0')),
                         esc(p.Title), flags(p, l), esc(ScheduleSummary(p, l)), actions(p, l),
                         esc(p.Comment.join(QLatin1Char('\n')))
                             .replace(QLatin1Char('\n'), QLatin1String("<br>")));
    }
    html += QStringLiteral("</table>\n");
}

} // namespace

namespace varno::report {

QString ProjectReportHtml(const TProject &project, const QDate &weekOf, text::Language language)
{
    const Schedule s = BuildSchedule(project, WeekStart(weekOf), 7);
    const QString title =
        text::Text(AddedTexts::ReportTitle, language) + QStringLiteral(" : ") + project.Group.Name;
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>%1</title>\n<style>\n"
                       "body { font-family: sans-serif; font-size: 10pt; }\n"
                       "table { border-collapse: collapse; margin-bottom: 1em; width: 100%; }\n"
                       "th, td { border: 1px solid #999; padding: 2px 4px; vertical-align: top; "
                       "text-align: left; }\n"
                       ".clash { color: #b00000; font-weight: bold; }\n"
                       ".swatch { display: inline-block; width: 0.8em; height: 0.8em; "
                       "margin-right: 4px; border: 1px solid #444; }\n"
                       "ol { margin: 0; padding-left: 1.5em; }\n"
                       "</style>\n</head>\n<body>\n<h1>%1</h1>\n")
            .arg(esc(title));
    properties(html, project, language);
    timetable(html, s, language);
    findings(html, s, language);
    programs(html, project, language);
    html += QStringLiteral("</body>\n</html>\n");
    return html;
}

} // namespace varno::report
