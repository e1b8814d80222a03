#pragma once

#include <QtGlobal>

namespace varno {

// Whether two file names that differ only in case name two files. Windows and
// macOS (by default) ignore case: there "Shop.prg" and "shop.prg" are one file.
constexpr Qt::CaseSensitivity FileNameCase()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

} // namespace varno
