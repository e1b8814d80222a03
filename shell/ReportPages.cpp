#include <QGuiApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>
#include <shell/ReportPages.h>

namespace reportpages {

namespace {

void setUp(QTextDocument &document, const QString &html)
{
    // Words stay whole; a cell grows to its longest word instead.
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(option);
    document.setHtml(html);
}

} // namespace

// As printing lays a document out: on the page's printable part, within a
// margin of 2 cm, in the pixels of the screen.
void LayOut(QTextDocument &document, const QString &html, const QPageLayout &layout)
{
    setUp(document, html);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal perPoint = (screen ? screen->logicalDotsPerInchY() : 96.0) / 72.0;
    document.setDocumentMargin(2 / 2.54 * 72 * perPoint);
    document.setPageSize(layout.paintRectPoints().size() * perPoint);
}

void Print(const QString &html, QPagedPaintDevice &device)
{
    QTextDocument document;
    setUp(document, html);
    document.print(&device);
}

} // namespace reportpages
