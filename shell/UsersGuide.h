#pragma once

#include <QString>

// The user's guide the programmer opens from its Help menu.
namespace guide {

// The guide of the programmer in executableDir: its HTML or its Markdown text
// in the documentation folder of the install (bin/../share/doc/varno-programmer),
// else the one of the source tree it was built from. Empty when none exists.
QString Find(const QString &executableDir);

// The Markdown guide as an HTML page written into folder, its pictures still
// found beside the guide. The page's path, empty when it could not be written.
QString RenderHtml(const QString &markdownFile, const QString &folder);

} // namespace guide
