// The project report on A4 pages: tables across the page, whole words, the
// header row of a table again on every page it continues on.

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <gtest/gtest.h>
#include <model/Project.h>
#include <report/ProjectReport.h>
#include <shell/ReportPages.h>
#include <text/text.h>

namespace {

// The words of each line that a line break cuts in two.
QStringList splitWords(const QTextDocument &document)
{
    QStringList split;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const QTextLayout *layout = block.layout();
        for (int i = 0; i + 1 < layout->lineCount(); ++i) {
            const int end = layout->lineAt(i).textStart() + layout->lineAt(i).textLength();
            if (end > 0 && end < text.size() && text.at(end - 1).isLetterOrNumber() &&
                text.at(end).isLetterOrNumber())
                split << text.mid(qMax(0, end - 8), 16);
        }
    }
    return split;
}

TEST(ReportPages, tablesTakeThePageWidthKeepWordsWholeAndRepeatTheirHeader)
{
    TProject project;
    project.Group.Name = "Gare";
    for (int i = 0; i < 60; ++i) {
        TVARNOProg &p = *project.Programs.Add();
        p.TimerOn = 1;
        p.DateMode = 2;
        p.WeekDay = quint8(1 + i % 7);
        p.SetHour(8 + i % 10);
        p.Title = QStringLiteral("Announcement of the departure towards Wednesday");
        p.Comment = {"Platform announcement, repeated"};
    }
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                         QPageLayout::Millimeter);
    for (const text::Language language : {text::French, text::English, text::Spanish}) {
        SCOPED_TRACE(int(language));
        QTextDocument document;
        reportpages::LayOut(
            document, varno::report::ProjectReportHtml(project, QDate(2026, 12, 7), language), a4);
        EXPECT_GT(document.pageCount(), 2);
        EXPECT_EQ(splitWords(document), QStringList());

        const qreal body = document.pageSize().width() - 2 * document.documentMargin();
        QList<QTextTable *> tables;
        for (QTextFrame *frame : document.rootFrame()->childFrames())
            if (auto *table = qobject_cast<QTextTable *>(frame))
                tables << table;
        ASSERT_EQ(tables.size(), 3); // properties, timetable, programs
        for (QTextTable *table : tables.mid(1)) {
            EXPECT_EQ(table->format().headerRowCount(), 1);
            EXPECT_GE(document.documentLayout()->frameBoundingRect(table).width(), body * 0.98);
        }
    }
}

} // namespace
