// The template analyzer through its interfaces, over the stand-in kernel.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <string>
#include <vector>

#include "AnalyzerTestSupport.h"
#include "DialogWatcher.h"
#include "TempFolder.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace {

using namespace ombreltests;
using kernelstandin_test::SetSwitch;
using kernelstandin_test::SetSwitchText;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

constexpr HRESULT kNotReady = static_cast<HRESULT>(0x800F0000L);
constexpr wchar_t kComputerText[] = L"The program keeps the virus in memory.";
constexpr wchar_t kMedicalText[] = L"After the operation the virus was gone; a second operation followed.";

class AnalyzerComTest : public AnalyzerTest {
 protected:
  void StoreSubjects() {
    StoreList(kEnglishRussian, kComputer, L"program\r\nvirus\r\nmemory\r\nprograms#123#program");
    StoreList(kEnglishRussian, kMedical, L"operation\r\nvirus");
  }
  ComPtr<INorva10TemplateAnalyzer> Ready(long dirId = kEnglishRussian) {
    auto analyzer = NewAnalyzer();
    Variant direction = Variant::FromInt32(dirId);
    EXPECT_EQ(S_OK, analyzer->Initialize(Bstr(L"tests").Get(), direction.Get()));
    return analyzer;
  }
  static std::wstring TemplateOf(INorva5TemplateAnalyzer* analyzer) {
    Bstr name;
    EXPECT_EQ(S_OK, analyzer->get_Template(name.Receive()));
    return name.Str();
  }
  static std::vector<std::wstring> Walk(INorva5TemplateAnalyzer* analyzer) {
    std::vector<std::wstring> names{TemplateOf(analyzer)};
    for (size_t guard = 0; guard < 20; ++guard) {
      Bstr next;
      if (analyzer->get_NextTemplate(Bstr(names.back()).Get(), next.Receive()) != S_OK) break;
      names.push_back(next.Str());
    }
    return names;
  }
};

TEST_F(AnalyzerComTest, AnswersItsInterfacesInTheOrderOfItsMap) {
  auto analyzer = NewAnalyzer();
  ComPtr<IUnknown> identity = analyzer.As<IUnknown>();
  const IID* iids[] = {&IID_IDispatch, &IID_INorva10TemplateAnalyzer, &IID_INorva9TemplateAnalyzer,
                       &IID_INorva8TemplateAnalyzer, &IID_INorva5TemplateAnalyzer};
  for (const IID* iid : iids) {
    ComPtr<IUnknown> answer;
    ASSERT_EQ(S_OK, identity->QueryInterface(*iid, answer.ReceiveVoid()));
    EXPECT_EQ(identity.Get(), answer.As<IUnknown>().Get());
  }
  // IUnknown is the first row: the dispatch face of the newest interface.
  ComPtr<IDispatch> dispatch = analyzer.As<IDispatch>();
  EXPECT_EQ(static_cast<void*>(identity.Get()), static_cast<void*>(dispatch.Get()));
  ComPtr<IUnknown> none;
  EXPECT_EQ(E_NOINTERFACE, identity->QueryInterface(IID_IStream, none.ReceiveVoid()));
}

TEST_F(AnalyzerComTest, RanksTheTemplatesByTheirStoredKeywords) {
  StoreSubjects();
  auto analyzer = Ready();
  ASSERT_EQ(S_OK, analyzer->Analyze(Bstr(kComputerText).Get(), nullptr));
  EXPECT_EQ((std::vector<std::wstring>{kComputer, kMedical}), Walk(analyzer.Get()));
  USHORT weight = 0;
  EXPECT_EQ(S_OK, analyzer->GetTemplateWeight(Bstr(kComputer).Get(), &weight));
  EXPECT_EQ(3, weight);
  EXPECT_EQ(S_OK, analyzer->GetTemplateWeight(Bstr(kMedical).Get(), &weight));
  EXPECT_EQ(1, weight);
  Bstr report;
  EXPECT_EQ(S_OK, analyzer->GetTemplateKeywords(Bstr(kMedical).Get(), report.Receive()));
  EXPECT_EQ(L"1 1 virus\r\n", report.Str());
  ASSERT_EQ(S_OK, analyzer->Analyze(Bstr(kMedicalText).Get(), nullptr));
  EXPECT_EQ((std::vector<std::wstring>{kMedical, kComputer}), Walk(analyzer.Get()));
}

TEST_F(AnalyzerComTest, NoHitKeepsTheDefaultTemplateAndSaysNothingFound) {
  StoreSubjects();
  auto analyzer = Ready();
  ASSERT_EQ(S_OK, analyzer->put_DefaultTemplate(Bstr(kGeneral).Get()));
  EXPECT_EQ(kGeneral, TemplateOf(analyzer.Get()));
  EXPECT_EQ(S_FALSE, analyzer->Analyze(Bstr(L"hello world").Get(), nullptr));
  EXPECT_EQ(kGeneral, TemplateOf(analyzer.Get()));
  Bstr chosen;
  HRESULT phr = E_FAIL;
  EXPECT_EQ(S_FALSE, analyzer->DlgSelectTemplate(Bstr(L"hello world").Get(), &phr, chosen.Receive()));
  EXPECT_EQ(S_FALSE, phr);
}

TEST_F(AnalyzerComTest, KernelFailureDuringAnalysisIsReturned) {
  StoreSubjects();
  auto analyzer = Ready();
  ASSERT_EQ(S_OK, analyzer->put_DefaultTemplate(Bstr(kGeneral).Get()));
  SetSwitchText(L"FailCall", L"INrvaKeywordAnalyzer.Analyze");
  SetSwitch(L"FailCallResult", static_cast<DWORD>(E_OUTOFMEMORY));
  EXPECT_EQ(E_OUTOFMEMORY, analyzer->Analyze(Bstr(kComputerText).Get(), nullptr));
  EXPECT_EQ(kGeneral, TemplateOf(analyzer.Get()));
  Bstr next;
  EXPECT_EQ(S_FALSE, analyzer->get_NextTemplate(Bstr(kGeneral).Get(), next.Receive()));
}

TEST_F(AnalyzerComTest, NextTemplateEndsAtTheListsEndAndComparesExactly) {
  StoreSubjects();
  auto analyzer = Ready();
  ASSERT_EQ(S_OK, analyzer->Analyze(Bstr(kComputerText).Get(), nullptr));
  for (const wchar_t* name : {kMedical, L"medicine", L"none", L""}) {
    BSTR untouched = reinterpret_cast<BSTR>(0x1);
    EXPECT_EQ(S_FALSE, analyzer->get_NextTemplate(Bstr(name).Get(), &untouched)) << testing::PrintToString(name);
    EXPECT_EQ(reinterpret_cast<BSTR>(0x1), untouched);
  }
  EXPECT_EQ(E_INVALIDARG, analyzer->get_NextTemplate(Bstr(kComputer).Get(), nullptr));
  USHORT weight = 7;
  EXPECT_EQ(E_INVALIDARG, analyzer->GetTemplateWeight(Bstr(kBusiness).Get(), &weight));
  EXPECT_EQ(0, weight);
  BSTR report = reinterpret_cast<BSTR>(0x1);
  EXPECT_EQ(E_INVALIDARG, analyzer->GetTemplateKeywords(Bstr(kBusiness).Get(), &report));
  EXPECT_EQ(nullptr, report);
  EXPECT_EQ(E_INVALIDARG, analyzer->GetTemplateWeight(Bstr(kComputer).Get(), nullptr));
}

TEST_F(AnalyzerComTest, AnalysisNeedsBothKernelObjectsAndADirection) {
  auto fresh = NewAnalyzer();
  EXPECT_EQ(kNotReady, fresh->Analyze(Bstr(kComputerText).Get(), nullptr));
  EXPECT_EQ(kNotReady, fresh->AnalyzeFile(Bstr(L"C:\\none.txt").Get(), nullptr));
  EXPECT_EQ(kNotReady, fresh->DlgSetup());
  EXPECT_EQ(kNotReady, fresh->DlgSetup2(0));
  EXPECT_EQ(kNotReady, fresh->AutoSetup(Bstr(L"virus").Get()));
  for (long direction : {0L, -1L, static_cast<long>(0x80000001)}) {
    auto analyzer = Ready(direction);
    EXPECT_EQ(E_FAIL, analyzer->Analyze(Bstr(kComputerText).Get(), nullptr)) << direction;
  }
}

TEST_F(AnalyzerComTest, InitializeChecksItsArgumentsBeforeChangingAnything) {
  auto analyzer = Ready();
  Variant text = Variant::FromString(L"0x20001");
  EXPECT_EQ(E_INVALIDARG, analyzer->Initialize(Bstr(L"other").Get(), text.Get()));
  LONG dirId = 0;
  EXPECT_EQ(S_OK, analyzer->get_DirID(&dirId));
  EXPECT_EQ(kEnglishRussian, dirId);
  // Same client: varDir is not looked at.
  Variant other = Variant::FromInt32(0x10002);
  EXPECT_EQ(S_OK, analyzer->Initialize(Bstr(L"tests").Get(), other.Get()));
  EXPECT_EQ(S_OK, analyzer->get_DirID(&dirId));
  EXPECT_EQ(kEnglishRussian, dirId);
  // A new client with the argument left out: direction 0.
  EXPECT_EQ(S_OK, analyzer->Initialize(Bstr(L"second").Get(), Variant::Missing().Get()));
  EXPECT_EQ(S_OK, analyzer->get_DirID(&dirId));
  EXPECT_EQ(0, dirId);
  // A document's settings give the direction.
  auto document = ComPtr<INrvaDocument>::Create(CLSID_NrvaTextDocument);
  ASSERT_EQ(S_OK, document->SetDirID(0x10002));
  ComPtr<IDispatch> settings;
  ASSERT_EQ(S_OK, document->GetSettings(settings.Receive()));
  Variant bySettings = Variant::FromDispatch(settings.Get());
  EXPECT_EQ(S_OK, analyzer->Initialize(Bstr(L"third").Get(), bySettings.Get()));
  EXPECT_EQ(S_OK, analyzer->get_DirID(&dirId));
  EXPECT_EQ(0x10002, dirId);
  // Neither settings nor document.
  Variant stranger = Variant::FromDispatch(ComPtr<IDispatch>::Create(CLSID_NrvaTemplateManager).Get());
  EXPECT_EQ(E_INVALIDARG, analyzer->Initialize(Bstr(L"fourth").Get(), stranger.Get()));
  EXPECT_EQ(S_OK, analyzer->get_DirID(&dirId));
  EXPECT_EQ(0x10002, dirId);
}

TEST_F(AnalyzerComTest, Initialize2TakesTheLogonsTemplateManagerAndRefusesANullLogon) {
  StoreSubjects();
  auto analyzer = NewAnalyzer();
  Variant direction = Variant::FromInt32(kEnglishRussian);
  EXPECT_EQ(E_INVALIDARG, analyzer->Initialize2(Bstr(L"tests").Get(), nullptr, direction.Get()));
  auto control = ComPtr<IUnknown>::Create(CLSID_NrvaControl);
  Variant text = Variant::FromString(L"x");
  EXPECT_EQ(E_INVALIDARG, analyzer->Initialize2(Bstr(L"tests").Get(), control.Get(), text.Get()));
  LONG dirId = 1;
  EXPECT_EQ(S_OK, analyzer->get_DirID(&dirId));
  EXPECT_EQ(0, dirId);
  ASSERT_EQ(S_OK, analyzer->Initialize2(Bstr(L"tests").Get(), control.Get(), direction.Get()));
  EXPECT_EQ(S_OK, analyzer->Analyze(Bstr(kComputerText).Get(), nullptr));
  EXPECT_EQ(kComputer, TemplateOf(analyzer.Get()));
}

TEST_F(AnalyzerComTest, DirectionChangeEmptiesTheTemplatesOnlyWhenItChanges) {
  StoreSubjects();
  auto analyzer = Ready();
  ASSERT_EQ(S_OK, analyzer->put_DefaultTemplate(Bstr(kGeneral).Get()));
  ASSERT_EQ(S_OK, analyzer->Analyze(Bstr(kComputerText).Get(), nullptr));
  ASSERT_EQ(S_OK, analyzer->put_DirID(kEnglishRussian));
  EXPECT_EQ(kComputer, TemplateOf(analyzer.Get()));
  ASSERT_EQ(S_OK, analyzer->put_DefaultTemplate(Bstr(kMedical).Get()));
  EXPECT_EQ(kComputer, TemplateOf(analyzer.Get())) << "a set Template stays";
  ASSERT_EQ(S_OK, analyzer->put_DirID(0x10002));
  EXPECT_EQ(L"", TemplateOf(analyzer.Get()));
  Bstr defaultTemplate;
  EXPECT_EQ(S_OK, analyzer->get_DefaultTemplate(defaultTemplate.Receive()));
  EXPECT_TRUE(defaultTemplate.Empty());
}

struct RankingCase {
  const char* name;
  std::wstring computer;
  std::wstring medical;
  std::wstring text;
  std::vector<std::wstring> expected;
};

class RankingTable : public AnalyzerComTest, public testing::WithParamInterface<RankingCase> {};

TEST_P(RankingTable, Ranks) {
  const RankingCase& c = GetParam();
  StoreList(kEnglishRussian, kComputer, c.computer);
  StoreList(kEnglishRussian, kMedical, c.medical);
  auto analyzer = Ready();
  HRESULT hr = analyzer->Analyze(Bstr(c.text).Get(), nullptr);
  if (c.expected.empty()) {
    EXPECT_EQ(S_FALSE, hr);
    return;
  }
  ASSERT_EQ(S_OK, hr);
  EXPECT_EQ(c.expected, Walk(analyzer.Get()));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RankingTable,
    testing::Values(
        RankingCase{"FormCountsForItsKeyword", L"bank\r\nbanks#123#bank", L"virus", L"two banks", {kComputer}},
        RankingCase{"TrailingSeparatorAddsNothing", L"virus\r\n", L"operation\r\n", L"operation virus operation",
                    {kMedical, kComputer}},
        RankingCase{"DuplicatesCountOnce", L"virus\r\nvirus\r\nvirus", L"operation", L"virus operation operation",
                    {kMedical, kComputer}},
        RankingCase{"EqualWeightsKeepTheKernelsOrder", L"virus", L"operation", L"virus operation",
                    {kComputer, kMedical}},
        RankingCase{"EmptyListMatchesNothing", L"", L"operation", L"operation", {kMedical}},
        RankingCase{"WholeWordsOnly", L"pro", L"operation", L"program programs", {}},
        RankingCase{"CaseDoesNotMatter", L"Virus", L"operation", L"VIRUS", {kComputer}}),
    [](const auto& info) { return std::string(info.param.name); });

// The exchange sort: a swap with a heavier third entry moves the first of
// two equal ones behind the second.
TEST_F(AnalyzerComTest, ASwapWithAHeavierTemplateReordersEqualOnes) {
  StoreList(kEnglishRussian, kGeneral, L"alpha");
  StoreList(kEnglishRussian, kComputer, L"beta");
  StoreList(kEnglishRussian, kBusiness, L"gamma");
  auto analyzer = Ready();
  ASSERT_EQ(S_OK, analyzer->Analyze(Bstr(L"alpha beta gamma gamma").Get(), nullptr));
  EXPECT_EQ((std::vector<std::wstring>{kBusiness, kComputer, kGeneral}), Walk(analyzer.Get()));
}

TEST_F(AnalyzerComTest, HeavyWeightsCompareUnsigned) {
  // 40000 hits against 30000: the unsigned compare keeps 40000 first.
  std::wstring text;
  for (int i = 0; i < 40000; ++i) text += L"virus ";
  for (int i = 0; i < 30000; ++i) text += L"operation ";
  StoreList(kEnglishRussian, kComputer, L"virus");
  StoreList(kEnglishRussian, kMedical, L"operation");
  auto analyzer = Ready();
  ASSERT_EQ(S_OK, analyzer->Analyze(Bstr(text).Get(), nullptr));
  EXPECT_EQ((std::vector<std::wstring>{kComputer, kMedical}), Walk(analyzer.Get()));
  USHORT weight = 0;
  EXPECT_EQ(S_OK, analyzer->GetTemplateWeight(Bstr(kComputer).Get(), &weight));
  EXPECT_EQ(40000, weight);
}

TEST_F(AnalyzerComTest, AnalysisAppliesTheTemplateToTheDocument) {
  StoreSubjects();
  auto analyzer = Ready();
  auto document = ComPtr<INrvaDocument>::Create(CLSID_NrvaTextDocument);
  ASSERT_EQ(S_OK, document->SetDirID(kEnglishRussian));
  EXPECT_EQ(S_OK, analyzer->Analyze(Bstr(kComputerText).Get(), document.Get()));
  auto stranger = ComPtr<IUnknown>::Create(CLSID_NrvaTemplateManager);
  EXPECT_EQ(E_FAIL, analyzer->Analyze(Bstr(kComputerText).Get(), stranger.Get()));
  EXPECT_EQ(kComputer, TemplateOf(analyzer.Get())) << "the ranking stays";
  EXPECT_EQ(S_FALSE, analyzer->Analyze(Bstr(L"nothing").Get(), stranger.Get())) << "no template: the document is not touched";
}

TEST_F(AnalyzerComTest, AnalyzesTheHeadOfAFile) {
  StoreSubjects();
  auto analyzer = Ready();
  testsupport::TempFolder folder;
  struct FileCase {
    const char* name;
    std::string bytes;
    HRESULT expected;
    const wchar_t* best;
  };
  auto utf16 = [](const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  };
  std::string longFile = utf16(std::wstring(600, L' ')) + utf16(L" operation operation operation");
  auto utf16be = [](const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) bytes += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    return bytes;
  };
  const FileCase files[] = {
      {"bom", "\xFF\xFE" + utf16(kMedicalText), S_OK, kMedical},
      // Without a mark the bytes are UTF-16LE, whatever their high bytes.
      {"nomark", utf16(L"\x300C" + std::wstring(kComputerText) + L"\x300D \xFB01"), S_OK, kComputer},
      {"odd", utf16(kMedicalText) + "x", S_OK, kMedical},
      {"bigendian", "\xFE\xFF" + utf16be(kComputerText), S_OK, kComputer},
      {"utf8", "\xEF\xBB\xBF" "After the operation the virus was gone; a second operation followed.", S_OK, kMedical},
      {"eightbit", "the program keeps the virus in memory", S_FALSE, L""},
      {"beyond1024", utf16(L"virus ") + longFile, S_OK, kComputer},
  };
  for (const FileCase& f : files) {
    std::wstring path = folder.Path() + std::wstring(f.name, f.name + strlen(f.name)) + L".txt";
    std::ofstream(path.c_str(), std::ios::binary) << f.bytes;
    EXPECT_EQ(f.expected, analyzer->AnalyzeFile(Bstr(path).Get(), nullptr)) << f.name;
    EXPECT_EQ(f.best, TemplateOf(analyzer.Get())) << f.name;
  }
  EXPECT_EQ(E_FAIL, analyzer->AnalyzeFile(Bstr(folder.Path() + L"missing.txt").Get(), nullptr));
}

// The system would open the file that the part before the NUL names.
TEST_F(AnalyzerComTest, AFilePathWithAnEmbeddedNulIsRefused) {
  StoreSubjects();
  auto analyzer = Ready();
  testsupport::TempFolder folder;
  const std::wstring head = folder.Path() + L"head";
  std::ofstream(head.c_str(), std::ios::binary) << "the program keeps the virus in memory";
  const std::wstring path = head + L'\0' + L".txt";
  EXPECT_EQ(E_INVALIDARG, analyzer->AnalyzeFile(Bstr(std::wstring_view(path)).Get(), nullptr));
  EXPECT_EQ(L"", TemplateOf(analyzer.Get())) << "nothing was analysed";
}

TEST_F(AnalyzerComTest, LegacyListIsReadWhenTheCurrentOneIsAbsent) {
  StoreBytes(kEnglishRussian, kComputer, "virus\r\nmemory", L"SDBWORDS");
  RemoveList(kEnglishRussian, kComputer, L"SDBWORDS2");
  StoreList(kEnglishRussian, kMedical, L"operation");
  auto analyzer = Ready();
  HRESULT hr = analyzer->Analyze(Bstr(kComputerText).Get(), nullptr);
  // The legacy list needs the character library; without it no list is handed.
  if (hr == S_OK) EXPECT_EQ(kComputer, TemplateOf(analyzer.Get()));
  else EXPECT_EQ(S_FALSE, hr);
}

TEST_F(AnalyzerComTest, DlgSelectTemplateReturnsTheChoiceOrAbort) {
  StoreSubjects();
  auto analyzer = Ready();
  Bstr chosen;
  HRESULT phr = E_FAIL;
  EXPECT_EQ(E_INVALIDARG, analyzer->DlgSelectTemplate(Bstr(kComputerText).Get(), &phr, nullptr));
  EXPECT_EQ(E_INVALIDARG, phr);
  {
    testsupport::DialogWatcher watcher;
    // Picks the second row, then OK.
    watcher.OnWindow(L"Автоматическое определение профиля перевода", L"#32770", [](HWND dialog) {
      HWND list = GetDlgItem(dialog, 218);
      LVITEMW item{};
      item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      item.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
      testsupport::DialogWatcher::PressButton(dialog, IDOK);
    });
    EXPECT_EQ(S_OK, analyzer->DlgSelectTemplate(Bstr(kComputerText).Get(), &phr, chosen.Receive()));
    EXPECT_EQ(S_OK, phr);
    EXPECT_EQ(kMedical, chosen.Str());
  }
  {
    testsupport::DialogWatcher watcher;
    watcher.Press(L"Автоматическое определение профиля перевода", IDCANCEL);
    Bstr none;
    EXPECT_EQ(E_ABORT, analyzer->DlgSelectTemplate(Bstr(kComputerText).Get(), nullptr, none.Receive()));
    EXPECT_TRUE(none.Empty());
  }
}

}  // namespace
