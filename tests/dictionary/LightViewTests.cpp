// The light entry view over the fixture's entries and the built mds.stg:
// items written by hand from the layout rules, under the option words the
// word popup uses.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "FixtureEntries.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "KernelDictionaryDouble.h"
#include "browserproxy/dictionary/CDictMarkers.h"
#include "browserproxy/dictionary/CEdLightInfo.h"
#include "browserproxy/dictionary/CGrammarString.h"
#include "platform/com/ComApartment.h"

namespace {

// The word list's option word, as the popup's list maps it.
constexpr int kHeadwordCaption = 0x1;
constexpr int kDictionaryLayout = 0x2;
constexpr int kGrammarLines = 0x40;
constexpr int kMarkers = 0x80;
constexpr int kPopupOptions = kHeadwordCaption | kDictionaryLayout;

class TestView : public CEdLightInfo {
 public:
  void SetOptions(int word) {
    headwordCaption_ = (word & 0x1) ? 1 : 0;
    dictionaryLayout_ = (word & 0x2) ? 1 : 0;
    noDictionaryCaptions_ = (word & 0x2) ? 0 : 1;
    wordListFlag_ = (word & 0x8) ? 1 : 0;
    grammarLines_ = (word & 0x40) ? 1 : 0;
    markersOn_ = (word & 0x80) ? 1 : 0;
    SetHideInactiveDictionaries(1);
    SetDisplayFlags(word);
  }
  int OnItemRemoved(int index) override {
    removed.push_back(index);
    return CEdLightInfo::OnItemRemoved(index);
  }
  std::vector<int> removed;
};

struct Golden {
  std::wstring text;
  int kind;
  int num[7];
  int captionFlag = 0;
  int drawingKind = -1;  // -1: no drawing object
  int indent = 0;
};

const wchar_t kGeneral[] = L"General dictionary";
const wchar_t kComputer[] = L"\"Computer dictionary\", specialized dictionary";

void ExpectItems(const std::vector<Golden>& expected, const CEdLightInfo& view, const char* what) {
  const auto& items = view.Items();
  ASSERT_EQ(expected.size(), items.size()) << what;
  for (size_t i = 0; i < items.size(); ++i) {
    const Golden& e = expected[i];
    const LightInfoItem& got = items[i];
    EXPECT_EQ(e.text, got.text) << what << " item " << i;
    EXPECT_EQ(e.kind, got.kind) << what << " item " << i;
    const int nums[7] = {got.num1, got.num2, got.num3, got.num4, got.num5, got.num6, got.num7};
    for (int n = 0; n < 7; ++n) EXPECT_EQ(e.num[n], nums[n]) << what << " item " << i << " num" << n + 1;
    EXPECT_EQ(e.captionFlag, got.captionFlag) << what << " item " << i;
    EXPECT_EQ(e.drawingKind, got.drawing ? got.drawing->GetKind() : -1) << what << " item " << i;
    if (auto* grammar = dynamic_cast<const CGrammarString*>(got.drawing.get())) {
      EXPECT_EQ(e.indent, grammar->GetIndent()) << what << " item " << i;
      EXPECT_EQ(e.text, grammar->GetText()) << what << " item " << i;
    }
  }
}

class LightViewTest : public testing::Test {
 protected:
  void SetUp() override {
    kernel_ = testsupport::MakeKernelDictionary({{"general", {1, 1}}, {"computer", {72, 2}}}, &kernelLog_);
    ASSERT_EQ(S_OK, view_.InitData(kernel_.Get()));
    ASSERT_TRUE(view_.Tables());
    ASSERT_EQ(L"", view_.MdsFolder()) << "the tables come from the program's mds folder";
  }
  void Build(std::vector<CEntryDsc> entries, int options) {
    entries_ = std::move(entries);
    view_.SetOptions(options);
    view_.Build(&entries_, entries_.front().firstText);
  }

  platform::ComApartment apartment_{COINIT_APARTMENTTHREADED};
  testsupport::KernelDictionaryLog kernelLog_;
  platform::ComPtr<IUnknown> kernel_;
  TestView view_;
  std::vector<CEntryDsc> entries_;
};

TEST_F(LightViewTest, FixtureEntriesUnderThePopupOptions) {
  struct Case {
    const char* what;
    CEntryDsc entry;
    std::vector<Golden> items;
  };
  Case cases[] = {
      {"table", fixture::Table(),
       {{L"table", 0, {0, 0, 0, 0, -1, 0, 0}},
        {L"table", 1, {0, 0, -1, -1, -1, 0, -1}},
        {kGeneral, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
        {L"стол", 0, {0, 0, 0, 0, -1, 0, 0}},
        {kComputer, 0, {0, 0, 1, 0, -1, 0, 0}, 1},
        {L"таблица", 0, {0, 0, 1, 0, -1, 0, 1}}}},
      {"go", fixture::Go(),
       {{L"go", 0, {0, 0, 0, 0, -1, 0, 0}},
        {L"to go", 1, {0, 0, -1, -1, -1, 0, -1}},
        {kGeneral, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
        {L"идти", 0, {0, 0, 0, 0, -1, 0, 0}},
        {L"ходить", 0, {0, 0, 1, 1, -1, 0, 1}}}},
      {"big", fixture::Big(),
       {{L"big", 0, {0, 0, 0, 0, -1, 0, 0}},
        {L"big", 1, {0, 0, -1, -1, -1, 0, -1}},
        {kGeneral, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
        {L"большой", 0, {0, 0, 0, 0, -1, 0, 0}}}},
      {"cool", fixture::Cool(),
       {{L"cool", 0, {0, 0, 0, 0, -1, 0, 0}},
        {L"cool", 1, {0, 0, -1, -1, -1, 0, -1}},
        {kGeneral, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
        {L"<colloq.>клёвый", 0, {0, 0, 0, 0, -1, 0, 0}},
        {L"прохладный", 0, {0, 0, 1, 1, -1, 0, 1}}}},
      {"byte", fixture::Byte(),
       {{L"byte", 0, {0, 0, 0, 0, -1, 0, 0}},
        {L"byte", 1, {0, 0, -1, -1, -1, 0, -1}},
        {kComputer, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
        {L"байт", 0, {0, 0, 0, 0, -1, 0, 0}}}},
      {"стол", fixture::Stol(),
       {{L"стол", 0, {0, 0, 0, 0, -1, 0, 0}},
        {L"стол", 1, {0, 0, -1, -1, -1, 0, -1}},
        {kGeneral, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
        {L"table", 0, {0, 0, 0, 0, -1, 0, 0}}}},
  };
  for (Case& c : cases) {
    Build({c.entry}, kPopupOptions);
    ExpectItems(c.items, view_, c.what);
  }
}

TEST_F(LightViewTest, GroupsCarryCaptionsMarksAndComments) {
  Build({fixture::Table()}, kPopupOptions);
  ASSERT_EQ(1u, view_.Groups().size());
  const EntryGroup& table = view_.Groups()[0];
  EXPECT_EQ(L"Noun countable", table.caption) << "the piece between two @ of the row marks";
  EXPECT_EQ(L"# n., ", table.marks);
  EXPECT_EQ(L"table", table.headword);
  ASSERT_EQ(2u, table.senses.size());
  EXPECT_EQ(72, table.senses[1].dictionaryKind);
  EXPECT_EQ(2, table.senses[1].dictionaryNumber);
  EXPECT_EQ(1, table.senses[0].dictionaryKind);
  EXPECT_EQ(L"computer", table.senses[1].dictionaryKey);

  Build({fixture::Cool()}, kPopupOptions);
  const EntryGroup& cool = view_.Groups()[0];
  EXPECT_EQ(L"Adjective", cool.caption);
  EXPECT_EQ(L"", cool.marks);
  ASSERT_EQ(2u, cool.senses.size());
  EXPECT_EQ(L"colloquial, ", cool.senses[0].marks);
  EXPECT_EQ(L"about people, informal, ", cool.senses[0].comment);
  EXPECT_EQ(L"", cool.senses[1].marks);
  EXPECT_EQ(L"", cool.senses[1].comment);

  Build({fixture::Go()}, kPopupOptions);
  const EntryGroup& go = view_.Groups()[0];
  EXPECT_EQ(L"#irregular, ", go.marks);
  EXPECT_EQ(L"goes, ", go.senses[0].inputMarks);
}

TEST_F(LightViewTest, GrammarLinesUnderTitlesRunsAndTranslations) {
  Build({fixture::Table()}, kPopupOptions | kGrammarLines);
  ExpectItems({{L"table", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"table", 1, {0, 0, -1, -1, -1, 0, -1}},
               {L"sg. table;pl. tables", 0, {0, 0, -1, -1, -1, 0, -1}, 0, 1, 0},
               {kGeneral, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
               {L"masculine", 0, {0, 0, -1, -1, -1, 0, -1}, 0, 1, 10},
               {L"стол", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"Plural - tables - столы", 0, {0, 0, -1, -1, -1, 0, -1}, 0, 1, 50},
               {kComputer, 0, {0, 0, 1, 0, -1, 0, 0}, 1},
               {L"feminine", 0, {0, 0, -1, -1, -1, 0, -1}, 0, 1, 10},
               {L"таблица", 0, {0, 0, 1, 0, -1, 0, 1}},
               {L"Plural - tables - таблицы", 0, {0, 0, -1, -1, -1, 0, -1}, 0, 1, 50}},
              view_, "table with grammar lines");

  // Translations that take part in a group are left to the grammar lines.
  Build({fixture::Go()}, kPopupOptions | kGrammarLines);
  ExpectItems({{L"go", 0, {0, 0, 0, 0, -1, 0, 0}}}, view_, "go with grammar lines");
}

TEST_F(LightViewTest, PlainLayoutNumbersSensesInTheirGroup) {
  Build({fixture::Table()}, kHeadwordCaption);
  ExpectItems({{L"table", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"table", 1, {0, 0, -1, -1, -1, 0, -1}},
               {L"стол", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"таблица", 0, {0, 0, 1, 1, -1, 0, 1}}},
              view_, "plain");
  Build({fixture::Table()}, kDictionaryLayout);
  EXPECT_EQ(L"table", view_.Items().front().text) << "no caption item: the title comes first";
  EXPECT_EQ(1, view_.Items().front().kind);
}

TEST_F(LightViewTest, NounGroupsComeBeforeVerbGroups) {
  std::vector<CEntryDsc> entries = {fixture::Go(), fixture::Table()};
  Build(std::move(entries), kPopupOptions);
  ExpectItems({{L"go", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"table", 1, {1, 0, -1, -1, -1, 0, -1}},
               {kGeneral, 0, {1, 0, 0, 0, -1, 0, 0}, 1},
               {L"стол", 0, {1, 0, 0, 0, -1, 0, 0}},
               {kComputer, 0, {1, 0, 1, 0, -1, 0, 0}, 1},
               {L"таблица", 0, {1, 0, 1, 0, -1, 0, 1}},
               {L"to go", 1, {0, 0, -1, -1, -1, 1, -1}},
               {kGeneral, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
               {L"идти", 0, {0, 0, 0, 0, -1, 1, 0}},
               {L"ходить", 0, {0, 0, 1, 1, -1, 1, 1}}},
              view_, "go and table");
}

TEST_F(LightViewTest, MarkersShowTheActiveDictionaryOnly) {
  Build({fixture::Table()}, kPopupOptions | kMarkers);
  ExpectItems({{L"table", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"mmm", 0, {-1, -1, -1, -1, -1, -1, -1}, 0, CDictMarkers::kKind},
               {L"table", 1, {0, 0, -1, -1, -1, 0, -1}},
               {L"стол", 0, {0, 0, 0, 0, -1, 0, 0}}},
              view_, "table with markers");
  ASSERT_EQ(1u, view_.ActiveMarkers().size());
  EXPECT_EQ(L"general", view_.ActiveMarkers()[0].key) << "the first dictionary seen becomes active";
  auto* markers = dynamic_cast<const CDictMarkers*>(view_.Items()[1].drawing.get());
  ASSERT_NE(nullptr, markers);
  ASSERT_EQ(2u, markers->MarkerCount());
  EXPECT_EQ(kGeneral, markers->Marker(0)->text);
  EXPECT_EQ(1, markers->Marker(0)->active);
  EXPECT_EQ(kComputer, markers->Marker(1)->text);
  EXPECT_EQ(0, markers->Marker(1)->active);

  // The active marker stays; a word only in another dictionary loses its title.
  Build({fixture::Byte()}, kPopupOptions | kMarkers);
  ExpectItems({{L"byte", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"mmm", 0, {-1, -1, -1, -1, -1, -1, -1}, 0, CDictMarkers::kKind}},
              view_, "byte with markers");
  EXPECT_EQ(std::vector<int>{2}, view_.removed);
}

TEST_F(LightViewTest, ActiveDictionariesComeFirstAndCaptionsAreHighlighted) {
  view_.ActiveMarkers().push_back({L"", L"computer", 1});
  view_.HighlightDictionaries().push_back(L"computer");
  Build({fixture::Table()}, kPopupOptions);
  ExpectItems({{L"table", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"table", 1, {0, 0, -1, -1, -1, 0, -1}},
               {kComputer, 0, {0, 0, 1, 0, -1, 0, 0}, 1},
               {L"таблица", 0, {0, 0, 1, 0, -1, 0, 1}}},
              view_, "hidden inactive run");
  EXPECT_EQ(1, view_.Items()[2].highlighted);
}

// "CANON" of the NOUN section is a bare form index: the modifier record takes
// that form and no caption; without the TransOut table it would take the
// output form and the caption of the record's part of speech.
void ExpectCanonicalFormFromTransOut(std::vector<CEntryDsc>& entries, const char* what) {
  const auto& modifiers = entries[0].Modifiers();
  ASSERT_EQ(2u, modifiers.size()) << what;
  EXPECT_EQ(L"стол", modifiers[0].record.text) << what;
  EXPECT_EQ(L"", modifiers[0].record.caption) << what;
  EXPECT_EQ(1, modifiers[0].record.code) << what;
  EXPECT_EQ(L"таблица", modifiers[1].record.text) << what;
}

TEST_F(LightViewTest, TheTransOutTableDecidesTheCanonicalForm) {
  Build({fixture::Table()}, kPopupOptions);
  ExpectCanonicalFormFromTransOut(entries_, "program's mds folder");
}

TEST_F(LightViewTest, TheLayoutFolderOfTheRegistryHoldsTheTransOutTable) {
  testsupport::TempFolder product;
  std::wstring mds = product.Path() + L"mds\\";
  ASSERT_TRUE(CreateDirectoryW(mds.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(testsupport::SiblingPath(L"mds\\mds.stg").c_str(), (mds + L"mds.stg").c_str(), FALSE));
  const wchar_t folders[] = L"Software\\Norvasoft\\NRVA9\\Folders";
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, folders, L"NRVAED", product.Path());
  TestView view;
  view.InitData(kernel_.Get());
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, folders, L"NRVAED");
  EXPECT_EQ(mds, view.MdsFolder());
  std::vector<CEntryDsc> entries = {fixture::Table()};
  view.SetOptions(kPopupOptions);
  view.Build(&entries, L"table");
  ExpectCanonicalFormFromTransOut(entries, "registry's layout folder");
}

// Translations of the row of an entry, replaced by records made from the
// first one: word, code string, dictionary name and key, priority.
struct Translation {
  const wchar_t* word;
  std::wstring codeString;
  const wchar_t* dictionary;
  const wchar_t* key;
  int priority = -1;
};

CEntryDsc WithTranslations(CEntryDsc entry, const std::vector<Translation>& translations) {
  CIPsp& row = entry.rows.front();
  CEntryRecord model = row.records.front();
  row.records.clear();
  for (const Translation& t : translations) {
    CEntryRecord record = model;
    record.word = t.word;
    record.codeString = t.codeString;
    record.dictionaryNames = {t.dictionary};
    record.dictionaryKeys = {t.key};
    record.priority = t.priority;
    record.inGroup = 0;
    record.targetForms.clear();
    row.records.push_back(record);
  }
  return entry;
}

std::wstring VerbClass(wchar_t value) { return std::wstring(38, L'1') + value; }

// The translation items of a build with the headword caption (item 0).
std::vector<std::wstring> TranslationTexts(const CEdLightInfo& view) {
  std::vector<std::wstring> texts;
  for (size_t i = 1; i < view.Items().size(); ++i) {
    const LightInfoItem& item = view.Items()[i];
    if (item.kind == 0 && item.captionFlag == 0 && !item.drawing && item.num3 >= 0) texts.push_back(item.text);
  }
  return texts;
}

TEST_F(LightViewTest, VerbSensesComeInTheOrderOfTheirCodeCharacter) {
  Build({WithTranslations(fixture::Go(), {{L"a", VerbClass(3), L"General dictionary", L"general"},
                                          {L"b", L"1100", L"General dictionary", L"general"},
                                          {L"c", VerbClass(1), L"General dictionary", L"general"},
                                          {L"d", VerbClass(2), L"General dictionary", L"general"}})},
        kPopupOptions);
  ExpectItems({{L"go", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"to go", 1, {0, 0, -1, -1, -1, 0, -1}},
               {kGeneral, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
               {L"c", 0, {0, 0, 2, 0, -1, 0, 2}},
               {L"d", 0, {0, 0, 3, 1, -1, 0, 3}},
               {L"a", 0, {0, 0, 0, 2, -1, 0, 0}},
               {L"b", 0, {0, 0, 1, 3, -1, 0, 1}}},
              view_, "verb classes");
  Build({WithTranslations(fixture::Go(), {{L"a", VerbClass(3), L"General dictionary", L"general"},
                                          {L"c", VerbClass(1), L"General dictionary", L"general"}})},
        kPopupOptions | 0x2000);
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"c"}), TranslationTexts(view_)) << "0x2000 keeps the order";
}

TEST_F(LightViewTest, PriorityZeroComesFirstAndNumbersRestartInEveryRun) {
  Build({WithTranslations(fixture::Table(), {{L"x", L"1", L"General dictionary", L"general"},
                                             {L"y", L"1", L"General dictionary", L"general", 0},
                                             {L"z", L"1", L"Computer dictionary", L"computer", 0},
                                             {L"w", L"1", L"Computer dictionary", L"computer"}})},
        kPopupOptions);
  ExpectItems({{L"table", 0, {0, 0, 0, 0, -1, 0, 0}},
               {L"table", 1, {0, 0, -1, -1, -1, 0, -1}},
               {kGeneral, 0, {0, 0, 0, 0, -1, 0, 0}, 1},
               {L"y", 0, {0, 0, 1, 0, -1, 0, 1}},
               {L"x", 0, {0, 0, 0, 1, -1, 0, 0}},
               {kComputer, 0, {0, 0, 2, 0, -1, 0, 0}, 1},
               {L"z", 0, {0, 0, 2, 0, -1, 0, 2}},
               {L"w", 0, {0, 0, 3, 1, -1, 0, 3}}},
              view_, "priorities");
}

TEST_F(LightViewTest, RecordsMarkedInTheirCodeStringStayOutOfTheDictionaryLayout) {
  std::vector<Translation> translations = {
      {L"hidden", std::wstring(40, L'1') + wchar_t(1), L"General dictionary", L"general"},
      {L"forty", std::wstring(40, wchar_t(1)), L"General dictionary", L"general"},
      {L"other", std::wstring(40, L'1') + wchar_t(2), L"General dictionary", L"general"}};
  Build({WithTranslations(fixture::Table(), translations)}, kPopupOptions);
  EXPECT_EQ((std::vector<std::wstring>{L"forty", L"other"}), TranslationTexts(view_));
  Build({WithTranslations(fixture::Table(), translations)}, kHeadwordCaption);
  EXPECT_EQ((std::vector<std::wstring>{L"hidden", L"forty", L"other"}), TranslationTexts(view_))
      << "the plain layout shows them";
}

TEST_F(LightViewTest, AnIdenticalTranslationIsShownOnceUnlessMergingIsOff) {
  std::vector<Translation> twice = {{L"стол", L"1", L"General dictionary", L"general"},
                                    {L"стол", L"1", L"General dictionary", L"general"}};
  Build({WithTranslations(fixture::Table(), twice)}, kPopupOptions);
  EXPECT_EQ((std::vector<std::wstring>{L"стол"}), TranslationTexts(view_));
  Build({WithTranslations(fixture::Table(), twice)}, kPopupOptions | 0x1000);
  EXPECT_EQ((std::vector<std::wstring>{L"стол", L"стол"}), TranslationTexts(view_));
}

TEST_F(LightViewTest, UserDictionariesAreLabelled) {
  kernel_ = testsupport::MakeKernelDictionary({{"mine", {708, 3}}});
  TestView view;
  ASSERT_EQ(S_OK, view.InitData(kernel_.Get()));
  std::vector<CEntryDsc> entries = {
      WithTranslations(fixture::Table(), {{L"стол", L"1", L"My words", L"mine"}})};
  view.SetOptions(kPopupOptions);
  view.Build(&entries, L"table");
  ASSERT_LE(3u, view.Items().size());
  EXPECT_EQ(L"\"My words\", user dictionary", view.Items()[2].text);
  EXPECT_EQ(3, view.Groups()[0].senses[0].dictionaryNumber);
}

TEST_F(LightViewTest, DictionaryKindsComeFromTheKernel) {
  view_.SetDictionaryInfoKind(5);
  long kind = 0;
  long number = 0;
  EXPECT_EQ(S_OK, view_.QueryDictionaryKind(L"computer", &kind, &number));
  EXPECT_EQ(72, kind);
  EXPECT_EQ(2, number);
  EXPECT_EQ(5, kernelLog_.selectors.back());
  kind = 33;
  number = 0;
  EXPECT_TRUE(FAILED(view_.QueryDictionaryKind(L"unknown", &kind, &number)));
  EXPECT_EQ(1, number) << "an unknown dictionary counts as number 1";
  EXPECT_EQ(33, kind) << "and keeps the caller's kind";
}

TEST(LightView, WithoutTheKernelTheTablesStillWork) {
  platform::ComApartment apartment(COINIT_APARTMENTTHREADED);
  TestView view;
  EXPECT_EQ(E_FAIL, view.InitData(nullptr));
  ASSERT_TRUE(view.Tables());
  std::vector<CEntryDsc> entries = {fixture::Table()};
  view.SetOptions(kPopupOptions);
  view.Build(&entries, L"table");
  ASSERT_EQ(6u, view.Items().size());
  EXPECT_EQ(L"Computer dictionary", view.Items()[4].text) << "no kind label without the kernel";
}

TEST(LightView, PaletteFontAndCodeStrings) {
  TestView view;
  view.SetColorScheme(0);
  EXPECT_EQ(0x995B2Bu, view.Colour(0));
  EXPECT_EQ(0xFFF8F2u, view.Colour(7));
  EXPECT_EQ(0u, view.Colour(12));
  view.SetColorScheme(1);
  for (int i = 0; i < CEdLightInfo::kColourCount; ++i) EXPECT_EQ(0u, view.Colour(i)) << "colour " << i;
  EXPECT_EQ(L'\x2022', view.Bullet());
  // Tahoma, else MS Sans Serif, else the menu font: whichever this machine has.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HDC screen = GetDC(nullptr);
  auto has = [&](const wchar_t* face) {
    LOGFONTW wanted{};
    wcscpy(wanted.lfFaceName, face);
    bool found = false;
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM data) {
          *reinterpret_cast<bool*>(data) = true;
          return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
  };
  std::wstring expected = has(L"Tahoma") ? L"Tahoma" : has(L"MS Sans Serif") ? L"MS Sans Serif"
                                                                              : metrics.lfMenuFont.lfFaceName;
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(expected, view.FontFace());
  EXPECT_EQ(1, CEdLightInfo::GetInterfaceLanguage());

  CEntryDsc cool = fixture::Cool();
  EXPECT_EQ(std::wstring(L"\x05\x05"), CEdLightInfo::GetRecordCodeString(cool, 0, 0));
  EXPECT_EQ(L"", CEdLightInfo::GetRecordCodeString(cool, 0, 2));
  EXPECT_EQ(L"", CEdLightInfo::GetRecordCodeString(cool, -1, 0));
}

}  // namespace
