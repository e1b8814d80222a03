#include "ScheduleCommands.h"

#include "CommandLine.h"
#include "Output.h"
#include "OutputFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <captions/ScheduleTexts.h>
#include <functional>
#include <model/Clock.h>
#include <model/Errors.h>
#include <model/HeldProject.h>
#include <model/PreviousVersion.h>
#include <model/ProgramsCsv.h>
#include <model/ProjectFile.h>
#include <model/Schedule.h>
#include <report/ProjectReport.h>
#include <report/SaveBytes.h>
#include <text/text.h>

namespace {

using namespace varno::schedule;

// A usage fault found in an option's value.
struct UsageFault
{
    QString message;
};

QDate fromOption(const Invocation &call)
{
    if (!call.values.contains(QStringLiteral("from")))
        return varno::CurrentDateTime().date();
    const QString value = call.values.value(QStringLiteral("from"));
    const QDate date = QDate::fromString(value, Qt::ISODate);
    if (!date.isValid() || value.size() != 10)
        throw UsageFault{QStringLiteral("--from takes a date as YYYY-MM-DD, not '%1'").arg(value)};
    return date;
}

int daysOption(const Invocation &call)
{
    const QString value = call.values.value(QStringLiteral("days"), QStringLiteral("7"));
    bool ok = false;
    const int days = value.toInt(&ok);
    if (!ok || days < 1 || days > 3660)
        throw UsageFault{
            QStringLiteral("--days takes a number from 1 to 3660, not '%1'").arg(value)};
    return days;
}

text::Language languageOption(const Invocation &call)
{
    const QString value = call.values.value(QStringLiteral("language"), QStringLiteral("en"));
    if (value == QLatin1String("en"))
        return text::English;
    if (value == QLatin1String("fr"))
        return text::French;
    if (value == QLatin1String("es"))
        return text::Spanish;
    throw UsageFault{QStringLiteral("--language takes en, fr or es, not '%1'").arg(value)};
}

QString dateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QString dayText(const QDate &date)
{
    return text::DayName(date.dayOfWeek(), text::English);
}

void printText(const Schedule &s)
{
    for (const Firing &f : s.firings) {
        out() << dateText(f.date) << ' ' << QStringLiteral("%1").arg(dayText(f.date), -9) << ' '
              << TimeText(f.minuteOfDay) << ' '
              << QStringLiteral("%1").arg(f.number, 3, 10, QLatin1Char('0')) << ' ' << f.title;
        if (f.priority)
            out() << " (priority)";
        if (f.followedBy != 0)
            out() << " -> then program " << f.followedBy;
        out() << '\n';
    }
    out() << "Clashes: " << s.clashes.size() << '\n';
    for (const Clash &c : s.clashes)
        out() << "  " << DescribeClash(s, c, text::English) << '\n';
    out() << "Problems: " << s.problems.size() << '\n';
    for (const Problem &p : s.problems)
        out() << "  " << DescribeProblem(p, text::English) << '\n';
}

QString kindName(ProblemKind kind)
{
    switch (kind) {
    case ProblemKind::InactiveTimer:
        return QStringLiteral("inactive-timer");
    case ProblemKind::ImpossibleDate:
        return QStringLiteral("impossible-date");
    case ProblemKind::DateModeOutOfRange:
        return QStringLiteral("date-mode-out-of-range");
    case ProblemKind::WeekDayOutOfRange:
        return QStringLiteral("weekday-out-of-range");
    case ProblemKind::MissingGoTo:
        return QStringLiteral("missing-go-to-target");
    }
    return {};
}

void printJson(const Schedule &s)
{
    QJsonArray firings;
    for (const Firing &f : s.firings) {
        QJsonObject o{{"date", dateText(f.date)},
                      {"weekday", dayText(f.date)},
                      {"time", TimeText(f.minuteOfDay)},
                      {"number", f.number},
                      {"title", f.title},
                      {"priority", f.priority},
                      {"clash", f.clashes}};
        if (f.followedBy != 0)
            o.insert(QStringLiteral("followedBy"), f.followedBy);
        firings.append(o);
    }
    QJsonArray clashes;
    for (const Clash &c : s.clashes) {
        QJsonArray programs;
        for (int i : c.firings)
            programs.append(
                QJsonObject{{"number", s.firings[i].number}, {"priority", s.firings[i].priority}});
        clashes.append(QJsonObject{
            {"date", dateText(c.date)}, {"time", TimeText(c.minuteOfDay)}, {"programs", programs}});
    }
    QJsonArray problems;
    for (const Problem &p : s.problems)
        problems.append(QJsonObject{{"kind", kindName(p.kind)},
                                    {"number", p.number},
                                    {"value", p.value},
                                    {"text", DescribeProblem(p, text::English)}});
    const QJsonObject root{{"from", dateText(s.from)},
                           {"days", s.days},
                           {"firings", firings},
                           {"clashes", clashes},
                           {"problems", problems}};
    out() << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

int schedule(const Invocation &call)
{
    const QString format = call.values.value(QStringLiteral("format"));
    if (!format.isEmpty() && format != QLatin1String("json"))
        throw UsageFault{QStringLiteral("--format takes json, not '%1'").arg(format)};
    const QDate from = fromOption(call);
    const int days = daysOption(call);
    const Schedule s = BuildSchedule(varno::actions::LoadProjectAsHeld(call.file), from, days);
    if (format.isEmpty())
        printText(s);
    else
        printJson(s);
    return ExitOk;
}

bool reported(const QString &why)
{
    if (why.isEmpty())
        return false;
    report(why);
    return true;
}

// The output's lock is held while it is written: a programmer may have opened
// it since the checks.
int writeOutput(const Invocation &call, const std::function<void()> &write)
{
    return reported(writeHoldingLock(call.output, write)) ? ExitFailed : ExitOk;
}

int writeReport(const Invocation &call)
{
    const text::Language language = languageOption(call);
    const QDate week = fromOption(call);
    if (reported(whyExportCannotBeWritten(call.output, call.force)))
        return ExitFailed;
    const QByteArray html = varno::report::ProjectReportHtml(
                                varno::actions::LoadProjectAsHeld(call.file), week, language)
                                .toUtf8();
    return writeOutput(call, [&] { varno::report::SaveBytes(call.output, html); });
}

int exportCsv(const Invocation &call)
{
    if (reported(whyExportCannotBeWritten(call.output, call.force)))
        return ExitFailed;
    const QByteArray csv =
        varno::programscsv::Export(varno::actions::LoadProjectAsHeld(call.file).Programs);
    return writeOutput(call, [&] { varno::report::SaveBytes(call.output, csv); });
}

int importCsv(const Invocation &call)
{
    if (reported(whyOutputCannotBeWritten(call.output, call.force)))
        return ExitFailed;
    TProject project;
    if (call.values.contains(QStringLiteral("into")))
        project = varno::actions::LoadProjectAsHeld(call.values.value(QStringLiteral("into")));
    project.Programs = varno::programscsv::ImportFile(call.file);
    // As the programmer holds them once imported.
    varno::actions::HoldPrograms(project.Programs);
    // A project replaced with --force stays as the .bak, as with a receive.
    return writeOutput(call, [&] {
        varno::projectfile::KeepPreviousVersion(call.output);
        SaveProject(call.output, project);
    });
}

} // namespace

bool IsScheduleCommand(const QString &command)
{
    return command == QLatin1String("schedule") || command == QLatin1String("report") ||
           command == QLatin1String("export") || command == QLatin1String("import");
}

int RunScheduleCommand(const Invocation &call)
{
    try {
        if (call.command == QLatin1String("schedule"))
            return schedule(call);
        if (call.command == QLatin1String("report"))
            return writeReport(call);
        if (call.command == QLatin1String("export"))
            return exportCsv(call);
        return importCsv(call);
    } catch (const UsageFault &fault) {
        report(fault.message + QStringLiteral("; see 'varno-cli --help'"));
        return ExitUsage;
    } catch (const TVarnoError &e) {
        report(e.message());
        return ExitFailed;
    }
}
