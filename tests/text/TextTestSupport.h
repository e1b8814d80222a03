#pragma once

#include <QString>
#include <compare>
#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <text/text.h>

// Prints a text with its non-ASCII characters escaped, so that a no-break space or a
// lost accent shows in a failure message.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"';
    for (const QChar c : s) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            *os << char(c.unicode());
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(c.unicode()));
            *os << escaped;
        }
    }
    *os << '"';
}

namespace texttest {

inline QString q(const char16_t *s)
{
    return QString::fromUtf16(s);
}

inline constexpr text::Language kLanguages[] = {text::French, text::English, text::Spanish};

// Marks the entries of TransportCommandNames, which belong to no language.
inline constexpr auto kNoLanguage = text::Language(0);

// One entry of one table in one language.
struct Place
{
    std::string table;
    int key;
    text::Language language;
    auto operator<=>(const Place &) const = default;
};

inline void PrintTo(const Place &p, std::ostream *os)
{
    *os << p.table << '[' << p.key << "] language " << int(p.language);
}

template <class Table> inline constexpr const char *kTableName = nullptr;
template <> inline constexpr const char *kTableName<text::ToolbarHints> = "ToolbarHints";
template <> inline constexpr const char *kTableName<text::FileMenuTexts> = "FileMenuTexts";
template <> inline constexpr const char *kTableName<text::EditMenuTexts> = "EditMenuTexts";
template <> inline constexpr const char *kTableName<text::RS232MenuTexts> = "RS232MenuTexts";
template <> inline constexpr const char *kTableName<text::LanguageMenuTexts> = "LanguageMenuTexts";
template <> inline constexpr const char *kTableName<text::HelpMenuTexts> = "HelpMenuTexts";
template <>
inline constexpr const char *kTableName<text::ProjectPropertiesTexts> = "ProjectPropertiesTexts";
template <> inline constexpr const char *kTableName<text::AboutTexts> = "AboutTexts";
template <> inline constexpr const char *kTableName<text::MainMessages> = "MainMessages";
template <>
inline constexpr const char *kTableName<text::ProgramLimitMessage> = "ProgramLimitMessage";
template <> inline constexpr const char *kTableName<text::LinkMessages> = "LinkMessages";
template <> inline constexpr const char *kTableName<text::PanelTexts> = "PanelTexts";
template <> inline constexpr const char *kTableName<text::ActionTexts> = "ActionTexts";
template <> inline constexpr const char *kTableName<text::DayNames> = "DayNames";
template <> inline constexpr const char *kTableName<text::ScheduleTexts> = "ScheduleTexts";

template <class Table> Place at(Table key, text::Language language)
{
    return {kTableName<Table>, int(key), language};
}

inline Place transportEntry(int entry)
{
    return {"TransportCommandNames", entry, kNoLanguage};
}

using Entries = std::map<Place, QString>;

template <class Table> void collect(Entries &out, text::Language language)
{
    for (int key = 0; key < text::KeyCount<Table>; ++key)
        out[at(Table(key), language)] = text::Text(Table(key), language);
}

// Every localised table in the given language.
inline void collectLanguage(Entries &out, text::Language language)
{
    using namespace text;
    collect<ToolbarHints>(out, language);
    collect<FileMenuTexts>(out, language);
    collect<EditMenuTexts>(out, language);
    collect<RS232MenuTexts>(out, language);
    collect<LanguageMenuTexts>(out, language);
    collect<HelpMenuTexts>(out, language);
    collect<ProjectPropertiesTexts>(out, language);
    collect<AboutTexts>(out, language);
    collect<MainMessages>(out, language);
    collect<ProgramLimitMessage>(out, language);
    collect<LinkMessages>(out, language);
    collect<PanelTexts>(out, language);
    collect<ActionTexts>(out, language);
    collect<DayNames>(out, language);
    collect<ScheduleTexts>(out, language);
}

// Every entry of the sixteen tables: the localised ones in the three languages and
// the transport command names once.
inline Entries allEntries()
{
    Entries out;
    for (const text::Language language : kLanguages)
        collectLanguage(out, language);
    for (int entry = 0; entry < text::TransportCommandCount; ++entry)
        out[transportEntry(entry)] = text::TransportCommandName(entry);
    return out;
}

} // namespace texttest
