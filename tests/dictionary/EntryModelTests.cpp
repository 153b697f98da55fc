#include <gtest/gtest.h>

#include "browserproxy/dictionary/CharLibText.h"
#include "browserproxy/dictionary/EntryDsc.h"
#include "browserproxy/dictionary/PartOfSpeech.h"

namespace {

constexpr uint32_t kEnglishToRussian = (2u << 16) | 1u;
constexpr uint32_t kRussianToEnglish = (1u << 16) | 2u;

TEST(CharLibText, EmptyTextsStayEmpty)
{
    EXPECT_EQ("", CharLibToAnsi(L""));
    EXPECT_EQ(L"", CharLibToUnicode(2, ""));
    std::wstring empty;
    CharLibMakeUpper(2, empty);
    EXPECT_EQ(L"", empty);
}

TEST(CharLibText, UpperCasesByTheLanguage)
{
    std::wstring russian = L"\x0441\x0442\x043e\x043b table";  // "стол table"
    CharLibMakeUpper(2, russian);
    EXPECT_EQ(L"\x0421\x0422\x041e\x041b TABLE", russian);

    std::wstring english = L"caf\x00e9";
    CharLibMakeUpper(1, english);
    EXPECT_EQ(L"CAF\x00c9", english);
}

TEST(CharLibText, UpperCasesOneCyrillicCharacterWhole)
{
    // U+0433 has the low byte of '3': it must not become '3' or anything else.
    EXPECT_EQ(L'\x0413', CharLibUpperCharacter(2, L'\x0433'));
    EXPECT_EQ(L'G', CharLibUpperCharacter(1, L'g'));
    EXPECT_EQ(L'7', CharLibUpperCharacter(2, L'7'));
}

TEST(CharLibText, RoundTripsThroughTheCodePage)
{
    const std::wstring word = L"\x0441\x0442\x043e\x043b";
    const std::string ansi = CharLibToAnsi(word);
    ASSERT_EQ(4u, ansi.size());
    EXPECT_EQ(word, CharLibToUnicode(2, ansi));
}

TEST(ParseFormBlocks, OneBlockGivesOneArrayUnderTheUpperCasedName)
{
    FormMap map;
    ParseFormBlocks(1, L"table#1\ntable\ntables\n##\n", map);
    ASSERT_EQ(1u, map.size());
    ASSERT_TRUE(map.count(L"TABLE#1"));
    EXPECT_EQ((std::vector<std::wstring>{L"table", L"tables"}), map[L"TABLE#1"].forms);
}

TEST(ParseFormBlocks, EdgeCases)
{
    struct Case {
        const wchar_t* text;
        size_t arrays;
        const wchar_t* name;
        std::vector<std::wstring> forms;
    };
    const Case cases[] = {
        {L"table#1\ntable\ntables\n", 0, nullptr, {}},                      // no block end: lost
        {L"table#1\ntable\ntables\n##", 0, nullptr, {}},                    // "##" without line feed
        {L"go#3\n##\n", 1, L"GO#3", {}},                                    // name line only
        {L"go#3\ngo\nwent##\n", 1, L"GO#3", {L"go"}},                       // last line without feed
        {L"go#3\n  go \n\r\n##\n", 1, L"GO#3", {L"  go ", L"\r"}},          // nothing trimmed
        {L"a#1\nx\n##\na#1\ny\n##\n", 1, L"A#1", {L"y"}},                   // a later block replaces
        {L"a#1\nx\n##\ntrailing text", 1, L"A#1", {L"x"}},                  // text after the last end
        {L"##\n", 0, nullptr, {}},                                          // empty block
        {L"", 0, nullptr, {}},
        {L"\x0441\x0442\x043e\x043b#1\n\x0441\x0442\x043e\x043b\n##\n", 1, L"\x0421\x0422\x041e\x041b#1",
         {L"\x0441\x0442\x043e\x043b"}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        FormMap map;
        ParseFormBlocks(i + 1 == std::size(cases) ? 2 : 1, cases[i].text, map);
        EXPECT_EQ(cases[i].arrays, map.size()) << "case " << i;
        if (cases[i].name) {
            ASSERT_TRUE(map.count(cases[i].name)) << "case " << i;
            EXPECT_EQ(cases[i].forms, map[cases[i].name].forms) << "case " << i;
        }
    }
}

CEntryDsc EntryForAttaching()
{
    CEntryDsc entry;
    ParseFormBlocks(1, L"go#3\ngo\ngoes\nwent\n##\n", entry.sourceFormMap);
    ParseFormBlocks(2, L"\x0438\x0434\x0442\x0438#2003\n \x0438\x0434\x0443\n\t\x0448\x0451\x043b\n##\n",
                    entry.targetFormMap);
    CIPsp row;
    row.SetHeadword(L"go");
    row.SetPartOfSpeech(2003);
    CEntryRecord record;
    record.word = L"\x0438\x0434\x0442\x0438";  // "идти"
    record.partOfSpeech = 2003;
    row.records.push_back(record);
    entry.rows.push_back(row);
    return entry;
}

TEST(AttachForms, LooksRowsUpWithoutThePhraseOffsetAndRecordsWithIt)
{
    CEntryDsc entry = EntryForAttaching();
    EXPECT_EQ(2u, entry.GetSourceLanguage());
    EXPECT_EQ(1u, entry.GetTargetLanguage());
    entry.AttachForms(kEnglishToRussian);
    EXPECT_EQ((std::vector<std::wstring>{L"go", L"goes", L"went"}), entry.rows[0].sourceForms);
    EXPECT_EQ((std::vector<std::wstring>{L"\x0438\x0434\x0443", L"\x0448\x0451\x043b"}),
              entry.rows[0].records[0].targetForms)
        << "target forms lose their leading blanks";
    EXPECT_EQ(1u, entry.GetSourceLanguage());
    EXPECT_EQ(2u, entry.GetTargetLanguage());
}

TEST(AttachForms, SourceFormsKeepTheirBlanksAndUnknownKeysAttachNothing)
{
    CEntryDsc entry;
    ParseFormBlocks(1, L"go#3\n go\n##\n", entry.sourceFormMap);
    CIPsp row;
    row.SetHeadword(L"go");
    row.SetPartOfSpeech(3);
    CEntryRecord record;
    record.word = L"unknown";
    record.partOfSpeech = 3;
    row.records.push_back(record);
    entry.rows.push_back(row);
    entry.AttachForms(kEnglishToRussian);
    EXPECT_EQ((std::vector<std::wstring>{L" go"}), entry.rows[0].sourceForms);
    EXPECT_TRUE(entry.rows[0].records[0].targetForms.empty());
}

TEST(EntryDsc, TipTextOfARussianNounIsItsSeventhSourceForm)
{
    CEntryDsc entry;
    CIPsp row;
    row.SetHeadword(L"\x043d\x043e\x0436\x043d\x0438\x0446\x044b");
    row.SetPartOfSpeech(1);
    row.codeString = L"123p";
    for (int i = 0; i < 6; ++i)
        row.AddSourceForm(L"form" + std::to_wstring(i));
    entry.rows.push_back(row);
    entry.AttachForms(kRussianToEnglish);
    EXPECT_EQ(L"", entry.GetTipText().text) << "only six forms";
    entry.rows[0].AddSourceForm(L"form6");
    EXPECT_EQ(L"form6", entry.GetTipText().text);
    entry.rows[0].codeString = L"123x";
    EXPECT_EQ(entry.rows[0].headword, entry.GetTipText().text);
    entry.SetCurrentRow(1);
    EXPECT_EQ(L"", entry.GetTipText().text);
    entry.SetCurrentRow(-1);
    EXPECT_EQ(L"", entry.GetTipText().text);
}

TEST(EntryDsc, CheckedAccessNeverThrows)
{
    CEntryDsc entry = EntryForAttaching();
    EXPECT_EQ(nullptr, entry.Row(-1));
    EXPECT_EQ(nullptr, entry.Row(1));
    EXPECT_EQ(nullptr, entry.Record(0, 1));
    EXPECT_EQ(nullptr, entry.Record(0, -1));
    EXPECT_EQ(L"", entry.rows[0].GetSourceForm(-1));
    EXPECT_EQ(L"", entry.rows[0].GetSourceForm(5));
    EXPECT_EQ(-1, entry.CountGroupRecords(0, 3));
    EXPECT_EQ(-1, entry.GetGroupRecord(5, 0, 0));
    EXPECT_EQ(0, entry.CountGroupRecords(0, 0)) << "a record without dictionaries is in no group";
}

TEST(EntryDsc, CopiesAreDeep)
{
    CEntryDsc entry = EntryForAttaching();
    CEntryDsc copy = entry;
    copy.rows[0].records[0].word = L"changed";
    copy.sourceFormMap.clear();
    EXPECT_EQ(L"\x0438\x0434\x0442\x0438", entry.rows[0].records[0].word);
    EXPECT_EQ(1u, entry.sourceFormMap.size());
}

TEST(IPsp, UniqueStringsIgnoreCase)
{
    CIPsp row;
    row.AddUniqueString(L"Table");
    row.AddUniqueString(L"TABLE");
    row.AddUniqueString(L"\x0441\x0442\x043e\x043b");
    row.AddUniqueString(L"\x0421\x0422\x041e\x041b");
    EXPECT_EQ(2u, row.uniqueStrings.size());
}

TEST(SplitHashList, Cases)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"", L""}, {L"abc", L""}, {L"a#b#c", L"b/c"}, {L"#x#", L"x"}, {L"#x", L"x"}, {L"x#", L""},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(std::wstring(cases[i].second), SplitHashList(cases[i].first)) << "case " << i;
}

TEST(PartOfSpeech, CaptionsAndNames)
{
    EXPECT_EQ(L"", GetPartOfSpeechCaption(0));
    EXPECT_EQ(L"Noun", GetPartOfSpeechCaption(1));
    EXPECT_EQ(L"Participle", GetPartOfSpeechCaption(2005));
    EXPECT_EQ(L"Phrase with insertion", GetPartOfSpeechCaption(2100));
    EXPECT_EQ(L"Phrase with insertion", GetPartOfSpeechCaption(2003));
    EXPECT_EQ(L"Unknown part of speech", GetPartOfSpeechCaption(1112));
    EXPECT_EQ(L"( generated word )", GetPartOfSpeechCaption(1111));
    EXPECT_EQ(130u, PartOfSpeechCaptionId(-5));

    EXPECT_EQ(L"Noun", PartOfSpeechName(2001));
    EXPECT_EQ(L"", PartOfSpeechName(2004));
    EXPECT_EQ(L"", PartOfSpeechName(0));
    EXPECT_EQ(L"Praedik", PartOfSpeechName(105));
    EXPECT_EQ(L"", LanguageLetter(128));
    EXPECT_EQ(L"l", LanguageLetter(256));
    EXPECT_EQ(1000, kPartOfSpeechDisplayOrder[21]);
}

}  // namespace

#include "browserproxy/dictionary/CanonicalForm.h"

namespace {

TEST(CanonicalForm, IndexesOfTheTargetForms)
{
    CEntryRecord record;
    record.partOfSpeech = 1;
    record.targetForms = {L"a", L"b", L"c"};
    struct Case {
        const wchar_t* canon;
        bool found;
        const wchar_t* text;
        int16_t code;
        bool named;
    };
    const Case cases[] = {
        {L"1", true, L"b", 1, false},
        {L"{2}#3", true, L"c", 3, true},
        {L"{0}#2001", true, L"a", 2001, true},
        {L"3", false, L"", 0, false},        // past the forms
        {L"{3}#3", false, L"", 0, false},
        {L"-1", false, L"", 0, false},       // negative
        {L"{-2}#3", false, L"", 0, false},
        {L"#3", true, L"a", 3, true},        // no number reads as 0
        {L"", false, L"", 0, false},
        {L"99999999999", false, L"", 0, false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto form = ResolveCanonicalForm(record, cases[i].canon);
        ASSERT_EQ(cases[i].found, form.has_value()) << "case " << i;
        if (!form)
            continue;
        EXPECT_EQ(std::wstring(cases[i].text), form->text) << "case " << i;
        EXPECT_EQ(cases[i].code, form->partOfSpeech) << "case " << i;
        EXPECT_EQ(cases[i].named, form->namedPartOfSpeech) << "case " << i;
    }
}

}  // namespace
