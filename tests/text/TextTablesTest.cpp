// Shape of the localisation tables: sizes, completeness, characters and blanks, and
// how lookups treat values outside the tables.

#include "TextTestSupport.h"

#include <climits>
#include <gtest/gtest.h>
#include <set>

namespace {

using namespace text;
using texttest::allEntries;
using texttest::at;
using texttest::Entries;
using texttest::Place;
using texttest::q;

TEST(TextTables, everyTableHasItsNumberOfKeys)
{
    EXPECT_EQ(KeyCount<ToolbarHints>, 4);
    EXPECT_EQ(KeyCount<FileMenuTexts>, 8);
    EXPECT_EQ(KeyCount<EditMenuTexts>, 6);
    EXPECT_EQ(KeyCount<RS232MenuTexts>, 10);
    EXPECT_EQ(KeyCount<LanguageMenuTexts>, 4);
    EXPECT_EQ(KeyCount<HelpMenuTexts>, 2);
    EXPECT_EQ(KeyCount<ProjectPropertiesTexts>, 11);
    EXPECT_EQ(KeyCount<AboutTexts>, 4);
    EXPECT_EQ(KeyCount<MainMessages>, 9);
    EXPECT_EQ(KeyCount<ProgramLimitMessage>, 1);
    EXPECT_EQ(KeyCount<LinkMessages>, 12);
    EXPECT_EQ(KeyCount<PanelTexts>, 11);
    EXPECT_EQ(KeyCount<ActionTexts>, 22);
    EXPECT_EQ(KeyCount<DayNames>, 7);
    EXPECT_EQ(KeyCount<ScheduleTexts>, 4);
    EXPECT_EQ(LinkMessageCount, 12);
    EXPECT_EQ(TransportCommandCount, 11);

    // 115 keys in three languages and the 11 transport command names.
    EXPECT_EQ(allEntries().size(), 3u * 115u + 11u);
}

TEST(TextTables, languageIndicesAreTheStoredValues)
{
    // The settings file stores these numbers; English is the language before it is read.
    EXPECT_EQ(int(French), 1);
    EXPECT_EQ(int(English), 2);
    EXPECT_EQ(int(Spanish), 3);
    EXPECT_EQ(int(StartupLanguage), 2);
}

TEST(TextTables, everyEntryIsPresentInEveryLanguage)
{
    for (const auto &[place, entry] : allEntries())
        EXPECT_FALSE(entry.isEmpty()) << testing::PrintToString(place);
}

TEST(TextTables, everyCharacterIsAPrintableWesternEuropeanCharacter)
{
    // The single-byte Western European set: printable ASCII and U+00A0..U+00FF.
    // Typographic quotes, dashes or control characters would not survive it.
    for (const auto &[place, entry] : allEntries()) {
        for (const QChar c : entry) {
            const char16_t u = c.unicode();
            EXPECT_TRUE((u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF))
                << testing::PrintToString(place) << " holds U+" << std::hex << unsigned(u);
        }
    }
}

TEST(TextTables, noBreakSpacesAreExactlyInTheMarkedTexts)
{
    const std::set<Place> marked = {
        at(MainMessages::DeleteConfirm, Spanish),
        at(MainMessages::TransmitConfirm, Spanish),
        at(MainMessages::ProgressPrefix, Spanish),
        at(MainMessages::SaveChangesConfirm, Spanish),
        at(MainMessages::ReceiveConfirm, Spanish),
        at(MainMessages::LoadAssociatedProjectConfirm, Spanish),
        at(MainMessages::AssociatedProjectName, English),
        at(MainMessages::AssociatedProjectName, Spanish),
        at(LinkMessages::LinkPlayerNotReady, Spanish),
        at(PanelTexts::CommentsLabel, Spanish),
        at(PanelTexts::InputsLabel, Spanish),
        at(PanelTexts::ClockLabel, Spanish),
        at(PanelTexts::DateLabel, Spanish),
        at(PanelTexts::EveryLabel, Spanish),
        at(ActionTexts::TimerFile, Spanish),
        at(ActionTexts::Directory, Spanish),
        at(ActionTexts::DirectorySong, Spanish),
        at(ActionTexts::DirectoryPrefix, Spanish),
    };
    ASSERT_EQ(marked.size(), 18u);

    const QChar nbsp(0x00A0);
    int total = 0;
    for (const auto &[place, entry] : allEntries()) {
        const auto count = entry.count(nbsp);
        total += int(count);
        if (!marked.contains(place)) {
            EXPECT_EQ(count, 0) << testing::PrintToString(place);
            continue;
        }
        ASSERT_EQ(count, 1) << testing::PrintToString(place);
        // It stands where a blank would, directly before the colon or question mark.
        const auto i = entry.indexOf(nbsp);
        ASSERT_TRUE(i > 0 && i + 1 < entry.size()) << testing::PrintToString(place);
        EXPECT_NE(entry[i - 1], QChar(' ')) << testing::PrintToString(place);
        EXPECT_TRUE(entry[i + 1] == QChar(':') || entry[i + 1] == QChar('?'))
            << testing::PrintToString(place);
    }
    EXPECT_EQ(total, 18);
}

// Number of ordinary blanks at the start (or end) of every entry that has some.
using BlankCounts = std::map<Place, int>;

int leadingBlanks(const QString &s)
{
    int n = 0;
    while (n < s.size() && s[n] == QChar(' '))
        ++n;
    return n;
}

int trailingBlanks(const QString &s)
{
    int n = 0;
    while (n < s.size() && s[s.size() - 1 - n] == QChar(' '))
        ++n;
    return n;
}

TEST(TextTables, leadingBlanksAreExactlyTheListedOnes)
{
    BlankCounts expected;
    for (const text::Language language : texttest::kLanguages) {
        for (const auto key :
             {ProjectPropertiesTexts::NameLabel, ProjectPropertiesTexts::SubjectLabel,
              ProjectPropertiesTexts::AuthorLabel, ProjectPropertiesTexts::CopyrightLabel,
              ProjectPropertiesTexts::CustomerLabel, ProjectPropertiesTexts::CreationDateLabel,
              ProjectPropertiesTexts::DiffusionDateLabel,
              ProjectPropertiesTexts::PropertiesCommentsLabel})
            expected[at(key, language)] = 1;
        for (const auto key :
             {PanelTexts::ActivateLabel, PanelTexts::PriorityLabel, PanelTexts::CommentsLabel,
              PanelTexts::InputsLabel, PanelTexts::ActionsLabel})
            expected[at(key, language)] = 13;
        expected[at(MainMessages::ProgressSuffix, language)] = 1;
    }
    expected[at(PanelTexts::TimerModeLabel, French)] = 12;
    expected[at(PanelTexts::TimerModeLabel, English)] = 12;
    expected[at(PanelTexts::TimerModeLabel, Spanish)] = 13;
    expected[at(ScheduleTexts::AtPrefix, French)] = 1;
    expected[at(ScheduleTexts::AtPrefix, English)] = 1;

    for (const auto &[place, entry] : allEntries()) {
        const auto it = expected.find(place);
        EXPECT_EQ(leadingBlanks(entry), it == expected.end() ? 0 : it->second)
            << testing::PrintToString(place);
    }
}

TEST(TextTables, trailingBlanksAreExactlyTheListedOnes)
{
    BlankCounts expected;
    for (const text::Language language : texttest::kLanguages) {
        for (const auto key : {MainMessages::ProgressPrefix, MainMessages::ProgressSuffix,
                               MainMessages::AssociatedProjectName})
            expected[at(key, language)] = 1;
        for (const auto key : {ActionTexts::GoToProgram, ActionTexts::OutputPrefix})
            expected[at(key, language)] = 1;
        for (const auto key :
             {ScheduleTexts::DatePrefix, ScheduleTexts::EveryPrefix, ScheduleTexts::AtPrefix})
            expected[at(key, language)] = 1;
    }
    // The Spanish question ends with its question mark.
    expected[at(MainMessages::LoadAssociatedProjectConfirm, French)] = 1;
    expected[at(MainMessages::LoadAssociatedProjectConfirm, English)] = 1;

    for (const auto &[place, entry] : allEntries()) {
        const auto it = expected.find(place);
        EXPECT_EQ(trailingBlanks(entry), it == expected.end() ? 0 : it->second)
            << testing::PrintToString(place);
    }
}

TEST(TextTables, noTwoBlanksFollowEachOtherAfterTheLeadingOnes)
{
    for (const auto &[place, entry] : allEntries()) {
        const QString rest = entry.mid(leadingBlanks(entry));
        for (qsizetype i = 1; i < rest.size(); ++i)
            EXPECT_FALSE(rest[i - 1].isSpace() && rest[i].isSpace())
                << testing::PrintToString(place) << " at " << i;
    }
}

TEST(TextLookup, aLanguageOutsideOneToThreeReadsAsEnglish)
{
    Entries english;
    texttest::collectLanguage(english, English);
    for (const int language : {0, 4, 255}) {
        Entries read;
        texttest::collectLanguage(read, Language(language));
        ASSERT_EQ(read.size(), english.size());
        for (auto r = read.begin(), e = english.begin(); r != read.end(); ++r, ++e)
            EXPECT_EQ(r->second, e->second)
                << "language " << language << ", " << testing::PrintToString(e->first);
    }
    EXPECT_EQ(Text(FileMenuTexts::FileMenu, Language(0)), q(u"&File"));
    EXPECT_EQ(LinkMessage(9, Language(4)), q(u"Transmission Error : MP3 player not ready"));
    EXPECT_EQ(DayName(3, Language(255)), q(u"Wednesday"));
}

TEST(TextLookup, keysOutsideTheirTableGiveAnEmptyString)
{
    EXPECT_TRUE(Text(MainMessages(9), English).isEmpty());
    EXPECT_TRUE(Text(MainMessages(-1), Spanish).isEmpty());
    EXPECT_TRUE(Text(ProgramLimitMessage(1), French).isEmpty());
    // The next table's first entry must not leak through the end of a table.
    EXPECT_TRUE(Text(ToolbarHints(4), French).isEmpty());
    EXPECT_TRUE(Text(ToolbarHints(-4), English).isEmpty());
    EXPECT_TRUE(Text(ActionTexts(22), Language(0)).isEmpty());

    EXPECT_TRUE(LinkMessage(-1, English).isEmpty());
    EXPECT_TRUE(LinkMessage(12, English).isEmpty());
    EXPECT_TRUE(LinkMessage(255, Spanish).isEmpty());
    EXPECT_TRUE(LinkMessage(INT_MIN, French).isEmpty());
    EXPECT_TRUE(LinkMessage(INT_MAX, French).isEmpty());
    EXPECT_EQ(LinkMessage(0, English), q(u"Transmission on COM port OK"));
    EXPECT_EQ(LinkMessage(11, English), q(u"Reading in EEPROM Error"));

    EXPECT_TRUE(DayName(0, English).isEmpty());
    EXPECT_TRUE(DayName(8, English).isEmpty());
    EXPECT_TRUE(DayName(INT_MIN, Spanish).isEmpty());
    EXPECT_TRUE(DayName(INT_MAX, Spanish).isEmpty());
    EXPECT_EQ(DayName(1, English), q(u"Monday"));
    EXPECT_EQ(DayName(7, English), q(u"Sunday"));

    EXPECT_TRUE(TransportCommandName(-1).isEmpty());
    EXPECT_TRUE(TransportCommandName(11).isEmpty());
    EXPECT_TRUE(TransportCommandName(INT_MIN).isEmpty());
    EXPECT_EQ(TransportCommandName(0), q(u"SONG"));
    EXPECT_EQ(TransportCommandName(10), q(u"USB Mode"));
}

TEST(TextLookup, switchingLanguagesGivesTheTextsOfStartingInThatLanguage)
{
    Entries spanishFirst;
    texttest::collectLanguage(spanishFirst, Spanish);

    // Spanish, then French, then Spanish again.
    Entries french;
    texttest::collectLanguage(french, French);
    Entries spanishAgain;
    texttest::collectLanguage(spanishAgain, Spanish);
    Entries frenchFirst;
    texttest::collectLanguage(frenchFirst, French);

    EXPECT_EQ(spanishAgain, spanishFirst);
    EXPECT_EQ(french, frenchFirst);
}

} // namespace
