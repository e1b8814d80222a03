#include <QtPrinters.h>
#include <captions/ActionCaption.h>
#include <captions/ScheduleSummary.h>
#include <captions/ScheduleTexts.h>
#include <gtest/gtest.h>
#include <model/Clock.h>
#include <model/Project.h>
#include <report/ProjectReport.h>
#include <text/text.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 34, 56));

// Every kind of action in every slot position, every date mode, clashes and
// problems: what a station's week may hold.
TProject busyProject()
{
    TProject project;
    project.Group.Name = QStringLiteral("Gare <Sud> & Co");
    project.Group.Comments = {QStringLiteral("first line"), QStringLiteral("second line")};
    const quint8 kinds[] = {
        akTimerFile,      akDirectory,   akSleepMode, akTransport, akVolume, akInternalOutput,
        akExternalOutput, akGoToProgram, akFtpClient, akSendEMail, 13};
    for (int i = 0; i < 60; ++i) {
        TVARNOProg &p = *project.Programs.Add();
        p.Title = QStringLiteral("Annonce \"%1\" <b>").arg(i);
        p.TimerOn = quint8(i % 5 != 4);
        p.Active = quint8(i % 7 != 6);
        p.Prioritary = quint8(i % 3 == 0);
        p.DateMode = quint8(i % 3);
        p.WeekDay = quint8(1 + i % 7);
        p.SetHour(8 + i % 4);
        p.SetMinute((i % 2) * 30);
        p.ActionCount = quint8(1 + i % 6);
        for (int s = 0; s < TVARNOProg::ActionSlots; ++s) {
            p.ActionKind[std::size_t(s)] = kinds[(i + s) % std::size(kinds)];
            p.ActionNumber[std::size_t(s)] = quint8(1 + (i * 7 + s) % 250);
            p.ActionValue[std::size_t(s)] = quint8(i * 3 + s);
        }
    }
    return project;
}

TEST(ProjectReport, holdsEveryProgramsCaptionsInEachLanguage)
{
    varno::ScopedFixedClock clock{kNow};
    const TProject project = busyProject();
    const QDate week(2026, 12, 9);
    const auto schedule =
        varno::schedule::BuildSchedule(project, varno::schedule::WeekStart(week), 7);
    ASSERT_FALSE(schedule.clashes.isEmpty());
    ASSERT_FALSE(schedule.problems.isEmpty());

    for (text::Language language : {text::French, text::English, text::Spanish}) {
        SCOPED_TRACE(int(language));
        const QString html = varno::report::ProjectReportHtml(project, week, language);
        EXPECT_TRUE(html.contains(QStringLiteral("Gare &lt;Sud&gt; &amp; Co")));
        for (const auto &program : project.Programs) {
            const TVARNOProg &p = *program;
            EXPECT_TRUE(html.contains(p.Title.toHtmlEscaped())) << p.Title;
            EXPECT_TRUE(html.contains(ScheduleSummary(p, language).toHtmlEscaped()));
            for (int s = 0; s < p.ActionCount; ++s) {
                const auto c = varno::actions::CaptionOf(p.ActionKind[std::size_t(s)],
                                                         p.ActionNumber[std::size_t(s)],
                                                         p.ActionValue[std::size_t(s)], language);
                EXPECT_TRUE(html.contains(QStringLiteral("<li>") + c.text.toHtmlEscaped()))
                    << c.text;
                if (c.hasValue) {
                    EXPECT_TRUE(html.contains(c.valueText.toHtmlEscaped()));
                }
            }
        }
        for (const QString &line : varno::schedule::DescribeAll(schedule, language))
            EXPECT_TRUE(html.contains(line.toHtmlEscaped())) << line;
        // No text of one language leaks into another's report.
        const QString otherTimer = text::Text(
            text::AddedTexts::TimerLabel, language == text::French ? text::Spanish : text::French);
        EXPECT_FALSE(html.contains(QStringLiteral(", ") + otherTimer + QStringLiteral("</td>")));
    }
}

} // namespace
