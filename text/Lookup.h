#pragma once

// Shared by the table files of this library only; not part of its interface.

#include <cstddef>
#include <string_view>
#include <text/text.h>

namespace text::detail {

using Entry = std::u16string_view;

// Entry (language, key) of a table of keyCount keys laid out language by language:
// all French entries, then all English, then all Spanish. Applies the rules of
// text.h for a language or key out of range.
QString lookup(const Entry *table, int keyCount, int key, Language language);

// Lookup in a localised table by its named key. A table whose number of entries is
// not three times its key count does not compile.
template <class Table, std::size_t N>
QString entry(const Entry (&table)[N], Table key, Language language)
{
    static_assert(N == std::size_t(LanguageCount) * std::size_t(KeyCount<Table>),
                  "a localised table needs one entry per key in each language");
    return lookup(table, KeyCount<Table>, int(key), language);
}

} // namespace text::detail
