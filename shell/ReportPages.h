#pragma once

#include <QString>

class QPageLayout;
class QPagedPaintDevice;
class QTextDocument;

// The project report on paper: its tables across the width of the page, no
// word split inside a narrow column, the header row of a table again at the
// top of every page it continues on.
namespace reportpages {

// Lays the report out on pages of layout as printing does, for a look at it.
void LayOut(QTextDocument &document, const QString &html, const QPageLayout &layout);

// Lays it out on the device's pages and draws it there.
void Print(const QString &html, QPagedPaintDevice &device);

} // namespace reportpages
