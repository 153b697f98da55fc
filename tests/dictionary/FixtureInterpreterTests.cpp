// The form model and its interpreters over the fixture's tables and entries.
#include <gtest/gtest.h>

#include <memory>

#include "ChildProcess.h"
#include "FixtureEntries.h"
#include "MdsReaderTestSupport.h"
#include "MemoryTables.h"
#include "browserproxy/dictionary/CMdsTable.h"
#include "browserproxy/dictionary/EntryMarkers.h"
#include "platform/com/ComApartment.h"

namespace {

std::string Narrow(const std::wstring& text)
{
    std::string result;
    for (wchar_t c : text)
        result += c < 128 ? static_cast<char>(c) : '?';
    return result;
}

// The same expectations over the table sources held in memory and over the
// store the build packed ("mds\\mds.stg" beside the program), read through
// the table cache and the table reader.
enum class Tables { Memory, Store };

class FixtureTest : public testing::TestWithParam<Tables> {
protected:
    void SetUp() override
    {
        if (GetParam() == Tables::Memory) {
            LoadTableSources(memory_, fixture::TableSourceFolder());
            source_ = &memory_;
            folder_ = memory_.folder;
        } else {
            store_ = std::make_unique<CMdsTable>();
            source_ = store_.get();
            folder_ = testsupport::SiblingPath(L"mds") + L"\\";
        }
        ASSERT_NE(nullptr, source_->GetTable(folder_ + L"erTransOut.mds")) << "fixture tables not found";
    }
    CEntryDsc Prepare(CEntryDsc entry)
    {
        entry.mdsFolder = folder_;
        return entry;
    }

    platform::ComApartment apartment_{COINIT_APARTMENTTHREADED};
    MemoryTables memory_;
    std::unique_ptr<CMdsTable> store_;
    LayoutTableSource* source_ = nullptr;
    std::wstring folder_;
};

INSTANTIATE_TEST_SUITE_P(Fixture, FixtureTest, testing::Values(Tables::Memory, Tables::Store),
                         [](const testing::TestParamInfo<Tables>& info) {
                             return info.param == Tables::Memory ? "Memory" : "Store";
                         });

struct ExpectedLine {
    std::wstring value;
    std::wstring comment;
    std::wstring caption;
    std::wstring folder;
    std::wstring key;
    int joined;
    int bullet;
    int lid;
};

void ExpectLines(const std::vector<ExpectedLine>& expected, const std::vector<FormLine>& lines, const char* what)
{
    ASSERT_EQ(expected.size(), lines.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].value, lines[i].value) << what << " line " << i << ": " << Narrow(lines[i].value);
        EXPECT_EQ(expected[i].comment, lines[i].comment) << what << " line " << i;
        EXPECT_EQ(expected[i].caption, lines[i].caption) << what << " line " << i;
        EXPECT_EQ(expected[i].folder, lines[i].folder) << what << " line " << i;
        EXPECT_EQ(expected[i].key, lines[i].key) << what << " line " << i;
        EXPECT_EQ(expected[i].joined, lines[i].joined) << what << " line " << i;
        EXPECT_EQ(expected[i].bullet, lines[i].bullet) << what << " line " << i;
        EXPECT_EQ(expected[i].lid, lines[i].lid) << what << " line " << i;
    }
}

TEST_P(FixtureTest, FeatureLinesOfEachTranslation)
{
    struct Case {
        const char* what;
        CEntryDsc entry;
        int record;
        std::vector<ExpectedLine> lines;
    };
    Case cases[] = {
        {"table/стол", fixture::Table(), 0,
         {{L"masculine", L"", L"Gender", L"", L"erinfonounn_1_49", 0, 1, 2},
          {L"{tables} - {столы}", L"", L"Plural", L"forms", L"erinfonounn_2", 1, 1, 2}}},
        {"table/таблица", fixture::Table(), 1,
         {{L"feminine", L"", L"Gender", L"", L"erinfonounn_1_50", 0, 1, 2},
          {L"{tables} - {таблицы}", L"", L"Plural", L"forms", L"erinfonounn_2", 1, 1, 2}}},
        {"go/идти", fixture::Go(), 0,
         {{L"imperfective", L"", L"Aspect", L"", L"erinfoverbn_1_49", 0, 1, 1},
          {L"", L"intransitive", L"", L"", L"erinfoverbn_2_49", 0, 1, 1},
          {L"{Went} : {шёл}", L"", L"", L"forms", L"", 1, 0, 1},
          {L"{Went} : {ходил}", L"", L"", L"forms", L"", 1, 0, 1}}},
        {"cool/клёвый without its modifier", fixture::Cool(), 0,
         {{L"qualitative", L"", L"", L"", L"erinfoadjn_1_49", 0, 1, 2}}},
        {"стол/table", fixture::Stol(), 0,
         {{L"countable", L"", L"Countable", L"", L"reinfonounn_1_49", 0, 1, 1}}},
    };
    for (Case& c : cases) {
        CEntryDsc entry = Prepare(c.entry);
        entry.SetCurrentRow(0);
        entry.SetCurrentRecord(c.record);
        std::vector<FormLine> lines;
        ASSERT_TRUE(entry.FillFormRecords(&lines, source_)) << c.what;
        ExpectLines(c.lines, lines, c.what);
    }
}

TEST_P(FixtureTest, ModifierConditionShowsItsLineOnceTheModifierIsKnown)
{
    CEntryDsc entry = Prepare(fixture::Cool());
    ModifierRecord record;
    record.text = L"клёвый";
    record.code = 2;
    record.modifierSet = std::wstring(1, wchar_t(5));
    record.AddSlot(0, 0);
    entry.AddModifierRecord(record, true, source_);

    std::vector<FormLine> lines;
    entry.SetCurrentRecord(0);
    ASSERT_TRUE(entry.FillFormRecords(&lines, source_));
    ExpectLines({{L"qualitative", L"", L"", L"", L"erinfoadjn_1_49", 0, 1, 2},
                 {L"", L"colloquial", L"", L"", L"erinfoadjn_2_49", 0, 1, 2}},
                lines, "клёвый");

    entry.SetCurrentRecord(1);
    ASSERT_TRUE(entry.FillFormRecords(&lines, source_));
    ExpectLines({{L"qualitative", L"", L"", L"", L"erinfoadjn_1_49", 0, 1, 2}}, lines, "прохладный");
}

TEST_P(FixtureTest, InformationLinesOfEachHeadword)
{
    struct Case {
        const char* what;
        CEntryDsc entry;
        std::wstring value;
        std::wstring key;
    };
    Case cases[] = {
        {"table", fixture::Table(), L"sg. table;pl. tables", L"erinpnounn_info_0"},
        {"go", fixture::Go(), L"goes, went, gone", L"erinpverbn_info_0"},
        {"big", fixture::Big(), L"bigger;biggest", L"erinpadjn_info_0"},
        {"byte", fixture::Byte(), L"sg. byte;pl. bytes", L"erinpnounn_info_0"},
        {"стол", fixture::Stol(), L"столы", L"reinpnounn_info_0"},
    };
    for (Case& c : cases) {
        CEntryDsc entry = Prepare(c.entry);
        std::vector<FormLine> lines;
        ASSERT_TRUE(entry.FillFormRecordsEx(&lines, source_)) << c.what;
        ASSERT_EQ(1u, lines.size()) << c.what;
        EXPECT_EQ(c.value, lines[0].value) << c.what << ": " << Narrow(lines[0].value);
        EXPECT_EQ(c.key, lines[0].key) << c.what;
        EXPECT_EQ(0x800000, lines[0].extra6) << c.what;
        EXPECT_EQ(2, lines[0].extra7) << c.what;
    }
}

TEST_P(FixtureTest, TitlesOfEachTranslation)
{
    struct Case {
        const char* what;
        CEntryDsc entry;
        int record;
        std::wstring title;
    };
    Case cases[] = {
        {"стол", fixture::Table(), 0, L" (m)"},
        {"таблица", fixture::Table(), 1, L" (f)"},
        {"идти (retry name, OUT section)", fixture::Go(), 0, L" (impf.)"},
        {"большой (fallback only)", fixture::Big(), 0, L""},
        {"байт", fixture::Byte(), 0, L" (m)"},
        {"table (Russian to English)", fixture::Stol(), 0, L"a "},
        {"bad record", fixture::Table(), 2, L""},
        {"negative record", fixture::Table(), -1, L""},
    };
    for (Case& c : cases) {
        CEntryDsc entry = Prepare(c.entry);
        EXPECT_EQ(c.title, entry.GetRecordTitle(0, c.record, source_)) << c.what;
    }
    CEntryDsc entry = Prepare(fixture::Table());
    EXPECT_EQ(L"", entry.GetRecordTitle(1, 0, source_)) << "bad row";
}

TEST_P(FixtureTest, MarkersOfTranslationsAndHeadwords)
{
    const std::wstring folder = folder_;
    CEntryDsc cool = Prepare(fixture::Cool());
    ModifierRecord item;
    item.text = L"клёвый";
    item.modifierSet = std::wstring(1, wchar_t(5));
    item.AddSlot(0, 0);

    ModifierRecord copy = item;
    EXPECT_EQ(L"colloquial, ", BuildEntryMarkers(folder, L"TransMarkRef", 2, cool, copy, source_, L"", false));
    EXPECT_EQ(L"<colloq.>клёвый", copy.text) << "a '^' label goes into the text before word 0";

    copy = item;
    EXPECT_EQ(L"ertransmarkref_adj_0, ",
              BuildEntryMarkers(folder, L"TransMarkRef", 2, cool, copy, source_, L"", true));
    copy = item;
    EXPECT_EQ(L"informal, ", BuildEntryMarkers(folder, L"TransMarkRef", 2, cool, copy, source_, L"COMMENT_", false));

    copy = item;
    copy.slots = {{1, 0}};
    copy.modifierSet.clear();
    EXPECT_EQ(L"", BuildEntryMarkers(folder, L"TransMarkRef", 2, cool, copy, source_, L"", false))
        << "прохладный has neither the mark nor the modifier";

    CEntryDsc go = Prepare(fixture::Go());
    ModifierRecord goItem;
    goItem.AddSlot(0, 0);
    EXPECT_EQ(L"goes, ", BuildEntryMarkers(folder, L"TransMarkRef", 3, go, goItem, source_, L"INP_", false));
    EXPECT_EQ(L"irregular, ", BuildEntryMarkers(folder, L"InpMarkRef", 3, go, goItem, source_, L"", false));

    CEntryDsc table = Prepare(fixture::Table());
    ModifierRecord tableItem;
    tableItem.modifierSet = std::wstring(1, wchar_t(3));
    tableItem.AddSlot(0, 0);
    EXPECT_EQ(L"pl.,plural, ", BuildEntryMarkers(folder, L"TransMarkRef", 1, table, tableItem, source_, L"", false));
    EXPECT_EQ(L"ertransmarkref_noun_0_0,ertransmarkref_noun_0_1, ",
              BuildEntryMarkers(folder, L"TransMarkRef", 1, table, tableItem, source_, L"", true));
    EXPECT_EQ(L"@countable@ n., ", BuildEntryMarkers(folder, L"InpMarkRef", 1, table, tableItem, source_, L"", false));
    EXPECT_EQ(L"", BuildEntryMarkers(folder, L"InpMarkRef", 1000, table, tableItem, source_, L"", false));

    CEntryDsc stol = Prepare(fixture::Stol());
    EXPECT_EQ(L"", BuildEntryMarkers(folder, L"TransMarkRef", 1, stol, tableItem, source_, L"", false))
        << "no marker table for Russian to English";
}

TEST_P(FixtureTest, TransMarksOfEachWordClass)
{
    const CEntryDsc cool = Prepare(fixture::Cool());
    EXPECT_TRUE(cool.HasTransMark(2, 5, source_));
    EXPECT_FALSE(cool.HasTransMark(2, 4, source_));
    EXPECT_TRUE(cool.HasTransMark(3, 4, source_));
    EXPECT_TRUE(cool.HasTransMark(5, 4, source_));
    EXPECT_TRUE(cool.HasTransMark(1, 3, source_));
    memory_.requested.clear();
    EXPECT_FALSE(cool.HasTransMark(100, 5, source_));
    EXPECT_TRUE(memory_.requested.empty()) << "code 100 opens no table";
}

TEST_P(FixtureTest, FormTablesOfTheFixture)
{
    const CEntryDsc go = Prepare(fixture::Go());
    EXPECT_EQ(L"{#шёл#}{#ходил#}", go.LoadOForms(0, 0, 7, L"", source_));
    EXPECT_EQ(L"{#шёл#}", go.LoadOForms(0, 0, 7, L"1(49)", source_)) << "a caller condition keeps one piece";
    EXPECT_EQ(L"идти", go.LoadForms(0, 0, -1, L"OFormsRef", false, source_));
    EXPECT_EQ(L"to {go}", go.LookupForms(0, 0, -1, L"FormsRef", source_));
    EXPECT_EQ(L"go", go.LookupForms(0, -1, 2, L"FormsRef", source_)) << "record -1 gives the headword";
    const CEntryDsc big = Prepare(fixture::Big());
    EXPECT_EQ(L"<большой", big.LoadForms(0, 0, -1, L"OFormsRef", false, source_));
    EXPECT_EQ(L"большие", big.LoadForms(0, 0, 3, L"", false, source_)) << "no table rule: the plain form";
    EXPECT_EQ(L"", big.LoadForms(0, 0, 9, L"", false, source_)) << "past the forms";
}

}  // namespace

namespace {

TEST_P(FixtureTest, GrammarLinesReadEachTableOnce)
{
    CEntryDsc entry = Prepare(fixture::Table());
    std::vector<FormLine> lines;
    ASSERT_TRUE(entry.FillFormRecords(&lines, source_));
    const long loads = testsupport::MdsReaderLoadCount();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(entry.FillFormRecords(&lines, source_));
        ASSERT_TRUE(entry.FillFormRecordsEx(&lines, source_));
        entry.GetRecordTitle(0, 0, source_);
    }
    ASSERT_TRUE(entry.FillFormRecords(&lines, source_));
    EXPECT_EQ(2u, lines.size()) << "the borrowed table is still readable after the forms went";
    if (GetParam() == Tables::Store) {
        EXPECT_EQ(loads + 2, testsupport::MdsReaderLoadCount()) << "only the input-form and title tables were new";
    }
}

}  // namespace
