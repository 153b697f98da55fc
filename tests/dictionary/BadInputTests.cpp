// Tables and entries with bad indexes, long code strings and patterns that
// would loop: each gives an entry without that part, never a crash or hang.
#include <gtest/gtest.h>

#include "MemoryTables.h"
#include "browserproxy/dictionary/EDForm.h"
#include "browserproxy/dictionary/EntryDsc.h"
#include "browserproxy/dictionary/EntryMarkers.h"

namespace {

constexpr uint32_t kEnglishToRussian = (2u << 16) | 1u;

// "table" with one translation "стол" whose code string is given.
CEntryDsc Entry(const MemoryTables& tables, const std::wstring& codeString, int16_t partOfSpeech = 1)
{
    CEntryDsc entry;
    CIPsp row;
    row.SetHeadword(L"table");
    row.SetPartOfSpeech(partOfSpeech);
    row.sourceForms = {L"table", L"tables", L""};
    CEntryRecord record;
    record.word = L"стол";
    record.partOfSpeech = partOfSpeech;
    record.codeString = codeString;
    record.targetForms = {L"стол", L"стола"};
    row.records.push_back(record);
    entry.rows.push_back(row);
    entry.SetSourceLanguage(1);
    entry.SetTargetLanguage(2);
    entry.mdsFolder = tables.folder;
    return entry;
}

std::vector<std::wstring> Values(const std::vector<FormLine>& lines)
{
    std::vector<std::wstring> values;
    for (const FormLine& line : lines)
        values.push_back(line.value + (line.comment.empty() ? L"" : L"|" + line.comment));
    return values;
}

std::vector<std::wstring> Layout(CEntryDsc& entry, MemoryTables& tables)
{
    std::vector<FormLine> lines;
    EXPECT_TRUE(entry.FillFormRecords(&lines, &tables));
    return Values(lines);
}

TEST(BadTables, SectionsWithAFeatureOutsideTheCodeStringAreSkipped)
{
    MemoryTables tables;
    tables.Add(L"erInfoNounn.mds",
               L"[1]\nPRIZN=0\n0=zero\n49=zero\n"
               L"[2]\nPRIZN=-5\n0=negative\n"
               L"[3]\nPRIZN=99\n0=beyond\n"
               L"[4]\nPRIZN=abc\n0=letters\n"
               L"[5]\nPRIZN=99999999999999\n0=huge\n"
               L"[6]\nPRIZN=1\n49=first\n"
               L"[7]\nPRIZN=2\n0=terminator\n");
    CEntryDsc entry = Entry(tables, L"1");
    EXPECT_EQ((std::vector<std::wstring>{L"first", L"terminator"}), Layout(entry, tables));
}

TEST(BadTables, CodeStringsLongerThanTheTablesExpect)
{
    MemoryTables tables;
    tables.Add(L"erInfoNounn.mds", L"[1]\nPRIZN=1\n49=first\n[2]\nPRIZN=30\n48=padded\n49=long\n");
    CEntryDsc entry = Entry(tables, std::wstring(5000, L'1'));
    entry.rows[0].records[0].extraCodeStrings = {L"2", std::wstring(300, wchar_t(0xFFFF)), L""};
    // The long string gives both lines; "2" is padded with zeros to 36
    // characters, so character 30 reads '0'; 0xFFFF reads as 0 (no key).
    EXPECT_EQ((std::vector<std::wstring>{L"first", L"long", L"padded"}), Layout(entry, tables));
}

TEST(BadTables, ModifierFilters)
{
    struct Case {
        const wchar_t* filter;
        int record;
        bool shown;
    };
    const Case cases[] = {
        {L"%5", 1, true},     // the row lists 5 but this record lacks it ... not optional when listed
        {L"%7", 1, true},     // no record of the row lists 7: optional passes
        {L"7", 1, false},     // ... a plain item fails
        {L"!7", 1, true},
        {L"5", 0, true},      // record 0 has modifier 5
        {L"!5", 0, false},
        {L"5", 1, false},
        {L"5,%7", 0, true},   // the last item decides
        {L"5,7", 0, false},
        {L"0", 0, false},     // a first item of 0 fails
        {L"abc", 0, false},
        {L",5", 0, false},
        {L"5,,7", 0, true},   // an empty item ends the list
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        MemoryTables tables;
        tables.Add(L"erInfoNounn.mds", std::wstring(L"[1]\nPRIZN=1\n49=line\nMOD1=") + cases[i].filter + L"\n");
        CEntryDsc entry = Entry(tables, L"1");
        CEntryRecord second = entry.rows[0].records[0];
        entry.rows[0].records.push_back(second);
        entry.rows[0].records[0].markCodes = {5};
        ModifierRecord modifiers;
        modifiers.modifierSet = std::wstring(1, wchar_t(5));
        modifiers.AddSlot(0, 0);
        entry.AddModifierRecord(modifiers, true, &tables);
        entry.SetCurrentRecord(cases[i].record);
        const bool shown = !Layout(entry, tables).empty();
        if (i == 0)
            EXPECT_FALSE(shown) << "case 0: %5 on a record without 5 while the row lists 5";
        else
            EXPECT_EQ(cases[i].shown, shown) << "case " << i;
    }
}

TEST(BadTables, UnionJoinsTheNextSectionWithAValue)
{
    MemoryTables tables;
    tables.Add(L"erInfoNounn.mds",
               L"[1]\nPRIZN=1\n49=a {-1}\nUNION=3\n[2]\nPRIZN=2\n49=b\n[3]\nPRIZN=1\n49=c\n");
    CEntryDsc entry = Entry(tables, L"11");
    std::vector<FormLine> lines;
    ASSERT_TRUE(entry.FillFormRecords(&lines, &tables));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(L"a {table} - b", lines[0].value);
    EXPECT_EQ(1, lines[0].joined);
    EXPECT_EQ(L"c", lines[1].value);
}

TEST(BadTables, PairLinesWithBrokenMarkup)
{
    MemoryTables tables;
    tables.Add(L"erInfoNounn.mds",
               L"[1]\nPRIZN=1\n49#S={1}\n49#T={9}\n"            // form 9 does not exist: no line
               L"[2]\nPRIZN=1\n49#S={-1}\n49#T=open {1\n"       // no closing brace: taken as it is
               L"[3]\nPRIZN=1\n49#S={-1}\n49#T=/@{1}@/\n"       // the condition held the braces
               L"[4]\nPRIZN=1\n49#S={2}\n49#T={1}\n"            // an empty source form: no line
               L"[5]\nPRIZN=1\n49#S=|{-1}\n49#T={-1}\n");
    CEntryDsc entry = Entry(tables, L"1");
    EXPECT_EQ((std::vector<std::wstring>{L"{table} - open {1", L"{Table} - {стол}"}), Layout(entry, tables));
}

TEST(BadTables, EmptyPartOfSpeechNameMakesNoSectionApply)
{
    MemoryTables tables;
    tables.Add(L"erOForms.mds", L"[NOUN]\n-1=noun {-1}\n0=noun form\n");
    CEntryDsc entry = Entry(tables, L"1", 0);
    EXPECT_EQ(L"стол", entry.LoadForms(0, 0, -1, L"", false, &tables));
    EXPECT_EQ(L"стол", entry.LoadForms(0, 0, 0, L"", false, &tables));
    entry.rows[0].records[0].partOfSpeech = 1;
    EXPECT_EQ(L"noun {стол}", entry.LoadForms(0, 0, -1, L"", false, &tables));
}

TEST(BadTables, FormReadsWithBadIndexesAreEmpty)
{
    MemoryTables tables;
    tables.Add(L"erOForms.mds", L"[NOUN]\n0={-5} and {77}\n1={99999999999}\n");
    CEntryDsc entry = Entry(tables, L"1");
    EXPECT_EQ(L"{стол} and {77}", entry.LoadForms(0, 0, 0, L"", false, &tables)) << "negative reads as the word";
    EXPECT_EQ(L"{}", entry.LoadForms(0, 0, 1, L"", false, &tables));
    const int bad[][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-32768, -1}};
    for (size_t i = 0; i < std::size(bad); ++i) {
        EXPECT_EQ(L"", entry.LoadForms(bad[i][0], bad[i][1], 0, L"", false, &tables)) << "case " << i;
        EXPECT_EQ(L"", entry.LoadOForms(bad[i][0], bad[i][1], 0, L"", &tables)) << "case " << i;
        EXPECT_EQ(L"", entry.GetRecordTitle(bad[i][0], bad[i][1], &tables)) << "case " << i;
    }
    entry.SetCurrentRow(5);
    std::vector<FormLine> lines{FormLine()};
    EXPECT_FALSE(entry.FillFormRecords(&lines, &tables));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(entry.FillFormRecordsEx(&lines, &tables));
    EXPECT_FALSE(entry.FillFormRecords(nullptr, &tables));
    EXPECT_FALSE(entry.FillFormRecords(&lines, nullptr));
    EXPECT_EQ(L"", entry.LoadFormsFor(0, false, &tables));
}

TEST(BadTables, TitleFormNumbersOutsideTheFormList)
{
    struct Case {
        const wchar_t* pattern;
        const wchar_t* title;
    };
    const Case cases[] = {
        {L"{-1} x", L" x"},   // the word itself, removed from the title
        {L"{1} y", L"а y"},  // "стола" less the word "стол"
        {L"{2} y", L" y"},    // beyond the forms
        {L"{-7} y", L" y"},   // negative, not -1
        {L"{99999999999} y", L" y"},
        {L"{ y", L"{ y"},     // no closing brace
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        MemoryTables tables;
        tables.Add(L"rInpNounn.mds", std::wstring(L"[OUT_ER]\n") + cases[i].pattern + L"=1(49)\n");
        CEntryDsc entry = Entry(tables, L"1");
        EXPECT_EQ(std::wstring(cases[i].title), entry.GetRecordTitle(0, 0, &tables)) << "case " << i;
    }
}

TEST(BadTables, TitleOfAnEmptyWordEnds)
{
    MemoryTables tables;
    tables.Add(L"rInpNounn.mds", L"[OUT_ER]\n{-1}title=1(49)\n");
    CEntryDsc entry = Entry(tables, L"1");
    entry.rows[0].records[0].word.clear();
    EXPECT_EQ(L"title", entry.GetRecordTitle(0, 0, &tables));
}

TEST(BadTables, InformationPatternsThatWouldLoopEnd)
{
    struct Case {
        const wchar_t* pattern;
        const wchar_t* value;
    };
    const Case cases[] = {
        {L"{0};{2};", L"table;"},           // form 2 is empty: dropped with its separator
        {L"{2}", L"{2}"},                   // only a reference whose form is empty
        {L"a;{2}", L"a;{2}"},               // no separator after it: the filling stops
        {L"<{2}", L"<{2}"},                 // ... the same after '<'
        {L"x;{7}>", L"x;>"},                // an angle end
        {L"{1}{1}{1}", L"tablestablestables"},
        {L"{0};<%1{2};%>", L"table;<%>"},
        {L"{{{{", L"{{{{"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        MemoryTables tables;
        tables.Add(L"erInpNounn.mds", std::wstring(L"[INFO]\n") + cases[i].pattern + L"=1(49)\n");
        CEntryDsc entry = Entry(tables, L"1");
        std::vector<FormLine> lines;
        ASSERT_TRUE(entry.FillFormRecordsEx(&lines, &tables)) << "case " << i;
        ASSERT_EQ(1u, lines.size()) << "case " << i;
        EXPECT_EQ(std::wstring(cases[i].value), lines[0].value) << "case " << i;
    }
}

TEST(BadTables, NoInformationConditionHoldsGivesOneEmptyLine)
{
    MemoryTables tables;
    tables.Add(L"erInpNounn.mds", L"[INFO]\n{0}=1(50)\n");
    CEntryDsc entry = Entry(tables, L"1");
    std::vector<FormLine> lines;
    ASSERT_TRUE(entry.FillFormRecordsEx(&lines, &tables));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(L"", lines[0].value);
    EXPECT_EQ(L"erinpnounn_info_0", lines[0].key);
}

TEST(BadTables, MarkerKeysWithBadNumbersAreSkipped)
{
    MemoryTables tables;
    tables.Add(L"erTransMarkRef.mds",
               L"[NOUN]\n(0)zero=5\n(-1)negative=5\n(9)beyond=5\nnone=5\n(x)letters=5\n(2)second=5\n(1)first=5\n"
               L"(3)skipped=-1\n");
    CEntryDsc entry = Entry(tables, L"1");
    ModifierRecord item;
    item.modifierSet = std::wstring(1, wchar_t(5));
    item.AddSlot(0, 0);
    EXPECT_EQ(L"first, second, ", BuildEntryMarkers(tables.folder, L"TransMarkRef", 1, entry, item, &tables, L"", false));
}

TEST(BadTables, MarkWordIndexesOutsideTheTextInsertNothing)
{
    MemoryTables tables;
    tables.Add(L"erTransMarkRef.mds", L"[NOUN]\n(1)<^m*MOD(5)>=1111\n");
    CEntryDsc entry = Entry(tables, L"1");
    entry.rows[0].records[0].markCodes = {uint16_t((100 << 8) | 5), uint16_t((140 << 8) | 5),
                                          uint16_t((129 << 8) | 5)};
    ModifierRecord item;
    item.text = L"big table";
    item.AddSlot(0, 0);
    EXPECT_EQ(L"", BuildEntryMarkers(tables.folder, L"TransMarkRef", 1, entry, item, &tables, L"", false));
    EXPECT_EQ(L"big <m>table", item.text) << "only word 1 exists; words -28 and 12 do not";

    ModifierRecord badSlot;
    badSlot.slots = {{7, 3}};
    badSlot.text = L"x";
    EXPECT_EQ(L"", BuildEntryMarkers(tables.folder, L"TransMarkRef", 1, entry, badSlot, &tables, L"", false));
    EXPECT_EQ(L"x", badSlot.text);
}

TEST(ModifierRecords, PairsAreNeverDropped)
{
    CEntryDsc entry;
    CIPsp row;
    row.records.resize(45);
    entry.rows.push_back(row);
    for (int k = 0; k < 45; ++k) {
        ModifierRecord record;
        record.text = L"same";
        record.AddSlot(k, 0);
        entry.AddModifierRecord(record, true, nullptr);
        entry.AddModifierRecord(record, true, nullptr);  // a pair already held changes nothing
    }
    ASSERT_EQ(1u, entry.Modifiers().size());
    EXPECT_EQ(45u, entry.Modifiers()[0].record.slots.size());
    ModifierRecord found;
    ASSERT_TRUE(entry.FindModifierRecord(0, 44, &found));
    EXPECT_FALSE(entry.FindModifierRecord(0, 45, &found));
    EXPECT_FALSE(entry.FindModifierRecord(-1, -1, &found)) << "free slots match nothing";
}

TEST(ModifierRecords, MergingByTextsAndSets)
{
    CEntryDsc entry;
    CIPsp row;
    row.records.resize(4);
    for (CEntryRecord& record : row.records)
        record.codeString = L"11";
    row.records[3].codeString = L"22";
    entry.rows.push_back(row);
    const auto make = [](int k, const std::wstring& set, const std::wstring& dictionary) {
        ModifierRecord record;
        record.text = L"word";
        record.dictionaryName = dictionary;
        record.modifierSet = set;
        record.AddSlot(k, 0);
        return record;
    };
    entry.AddModifierRecord(make(0, L"", L"A"), false, nullptr);
    entry.AddModifierRecord(make(1, L"\x05", L"B"), false, nullptr);  // the empty set takes the new one
    ASSERT_EQ(1u, entry.Modifiers().size());
    EXPECT_EQ(L"\x05", entry.Modifiers()[0].record.modifierSet);
    EXPECT_EQ(2u, entry.Modifiers()[0].record.slots.size());

    entry.AddModifierRecord(make(2, L"\x07", L"C"), true, nullptr);  // other dictionary: a new element
    EXPECT_EQ(2u, entry.Modifiers().size());

    // No TransMark table: the element's first modifier is no mark, so it
    // takes the new set and the pair.
    entry.AddModifierRecord(make(3, L"\x09", L"D"), false, nullptr);
    EXPECT_EQ(2u, entry.Modifiers().size());
    EXPECT_EQ(L"\x09", entry.Modifiers()[0].record.modifierSet);
    EXPECT_TRUE(entry.HasModifier(0, 3, 9));
}

TEST(ModifierRecords, IncompatibleSetsNestAndStartANewElement)
{
    MemoryTables tables;
    tables.Add(L"erTransMark.mds", L"[ADJ]\nm5=5\nm6=6\n");
    CEntryDsc entry;
    entry.SetSourceLanguage(1);
    entry.SetTargetLanguage(2);
    entry.mdsFolder = tables.folder;
    CIPsp row;
    row.records.resize(3);
    row.records[0].codeString = L"1";
    row.records[1].codeString = L"2";
    row.records[2].codeString = L"2";
    entry.rows.push_back(row);
    const auto make = [](int k, wchar_t modifier) {
        ModifierRecord record;
        record.text = L"word";
        record.code = 2;
        record.dictionaryName = L"A";
        record.modifierSet = std::wstring(1, modifier);
        record.AddSlot(k, 0);
        return record;
    };
    entry.AddModifierRecord(make(0, 5), true, &tables);
    entry.AddModifierRecord(make(1, 6), true, &tables);  // both marks: not compatible
    ASSERT_EQ(2u, entry.Modifiers().size());
    ASSERT_EQ(1u, entry.Modifiers()[0].nested.size());
    entry.AddModifierRecord(make(2, 6), true, &tables);  // same set as the nested record
    EXPECT_EQ(2u, entry.Modifiers()[0].nested[0].slots.size());
    EXPECT_TRUE(entry.HasModifier(0, 2, 6));
    EXPECT_TRUE(entry.HasModifier(0, 0, 5));
}

}  // namespace

namespace {

TEST(BadTables, CapitalOfACyrillicFormIsItsOwnCapital)
{
    MemoryTables tables;
    tables.Add(L"reInfoNounn.mds", L"[1]\nPRIZN=1\n49#S=|{0}\n49#T={-1}\n");
    CEntryDsc entry;
    CIPsp row;
    row.SetHeadword(L"\x0433\x043e\x0440\x0430");  // "гора": its first letter has the low byte of '3'
    row.SetPartOfSpeech(1);
    row.sourceForms = {L"\x0433\x043e\x0440\x0430"};
    CEntryRecord record;
    record.word = L"mountain";
    record.partOfSpeech = 1;
    record.codeString = L"1";
    row.records.push_back(record);
    entry.rows.push_back(row);
    entry.SetSourceLanguage(2);
    entry.SetTargetLanguage(1);
    entry.mdsFolder = tables.folder;
    std::vector<FormLine> lines;
    ASSERT_TRUE(entry.FillFormRecords(&lines, &tables));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(L"{\x0413\x043e\x0440\x0430} - {mountain}", lines[0].value);
}

}  // namespace
