#pragma once

#include <QtGlobal>

namespace text {

// The user-interface language, as the main window keeps it and the settings
// file stores it. Another value reads as English (text.h).
enum Language : quint8
{
    French = 1,
    English = 2,
    Spanish = 3
};
inline constexpr int LanguageCount = 3;
inline constexpr Language StartupLanguage = English;

} // namespace text
