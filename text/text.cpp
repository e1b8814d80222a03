#include <text/Lookup.h>

namespace text::detail {

QString lookup(const Entry *table, int keyCount, int key, Language language)
{
    if (key < 0 || key >= keyCount)
        return {};
    const int index = (language >= French && language <= Spanish) ? language : StartupLanguage;
    const Entry text = table[(index - 1) * keyCount + key];
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

} // namespace text::detail
