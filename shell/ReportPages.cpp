#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>
#include <shell/ReportPages.h>

namespace reportpages {

void LayOut(QTextDocument &document, const QString &html, const QPageLayout &layout)
{
    // Words stay whole; a cell grows to its longest word instead.
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(option);
    document.setHtml(html);
    // The page in the pixels the document lays its fonts out in, so that a
    // 10-point text prints at 10 points.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal perPoint = (screen ? screen->logicalDotsPerInchY() : 96.0) / 72.0;
    const QRectF page = layout.fullRectPoints();
    // One margin all round, at least what a printer leaves white.
    constexpr qreal kLeast = 12 / 25.4 * 72; // 12 mm
    const QMarginsF m = layout.marginsPoints();
    document.setDocumentMargin(
        qMax(kLeast, qMax(qMax(m.left(), m.right()), qMax(m.top(), m.bottom()))) * perPoint);
    document.setPageSize(page.size() * perPoint);
}

void Print(const QString &html, QPagedPaintDevice &device)
{
    QTextDocument document;
    QPageLayout layout = device.pageLayout();
    // The document draws its own margins on the whole page.
    const QMarginsF margins = layout.marginsPoints();
    layout.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(layout);
    layout.setMargins(margins);
    LayOut(document, html, layout);
    document.print(&device);
}

} // namespace reportpages
