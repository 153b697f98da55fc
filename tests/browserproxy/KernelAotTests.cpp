// The kernel connector's AOT service over the stand-in kernel, whose analyzer
// source hands out the stand-in's template analyzer (the AOT module's
// interfaces). Its choice dialog is answered by the watcher.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DialogWatcher.h"
#include "KernelStandIn.h"
#include "RegistrySandbox.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "platform/base/Handles.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/DispatchCall.h"
#include "platform/com/Variant.h"

namespace {

using namespace kernelstandin_test;
using platform::Bstr;
using platform::ComPtr;

constexpr wchar_t kProductKey[] = L"NRVA9-FF";
constexpr wchar_t kTitle[] = L"NORVA for Mozilla FireFox";
constexpr wchar_t kChoiceCaption[] = L"Template analyzer";
constexpr long kEnglishRussian = 0x00020001;
constexpr long kRussianEnglish = 0x00010002;
constexpr size_t kTemplatesPerDirection = 4;

// Texts of the subjects of the stand-in's templates (English).
constexpr wchar_t kComputerText[] = L"The program keeps the virus in memory.";
constexpr wchar_t kMedicalText[] = L"After the operation the virus was gone; a second operation followed.";
constexpr wchar_t kBusinessText[] = L"Interest on the account: interest paid per share.";
constexpr wchar_t kNoSubjectText[] = L"hello world";

RankedTemplate Entry(const wchar_t* id, const wchar_t* title, short weight) { return {id, {title, weight}}; }

std::string Describe(const std::vector<RankedTemplate>& list) {
  std::string text;
  for (const auto& [id, titleAndWeight] : list)
    text += testing::PrintToString(id) + " " + testing::PrintToString(titleAndWeight.first) + " " +
            std::to_string(titleAndWeight.second) + "; ";
  return text;
}

class KernelAotTest : public KernelStandInTest {
 protected:
  // The stand-in's own analyzer, also while the AOT module is registered.
  void SetUp() override {
    KernelStandInTest::SetUp();
    SetSwitch(L"OwnAnalyzer", 1);
  }
  void Start(long direction = kEnglishRussian) {
    ASSERT_TRUE(connector_.Initialize(kProductKey));
    connector_.SetActiveDirID(direction);
  }
  std::vector<RankedTemplate> Rank(const std::wstring& text, bool bestOnly, HRESULT expected = S_OK) {
    std::vector<RankedTemplate> ranked;
    EXPECT_EQ(expected, connector_.GetAotService()->RankTemplates(text, ranked, bestOnly));
    return ranked;
  }

  CNorvaKernelWrapper connector_{kTitle};
};

struct RankCase {
  long direction;
  const wchar_t* text;
  std::vector<RankedTemplate> expected;
};

TEST_F(KernelAotTest, RanksTheTemplatesOfTheActiveDirectionByKeywords) {
  const RankCase cases[] = {
      {kEnglishRussian, kComputerText,
       {Entry(L"COMPUTER", L"Computers and Internet", 3), Entry(L"MEDICAL", L"Medicine", 1)}},
      {kEnglishRussian, kMedicalText,
       {Entry(L"MEDICAL", L"Medicine", 3), Entry(L"COMPUTER", L"Computers and Internet", 1)}},
      {kEnglishRussian, kBusinessText, {Entry(L"BUSINESS", L"Business and Finance", 4)}},
      // Equal weights keep the direction's order.
      {kEnglishRussian, L"a virus", {Entry(L"COMPUTER", L"Computers and Internet", 1), Entry(L"MEDICAL", L"Medicine", 1)}},
      {kRussianEnglish, L"\x0432\x0438\x0440\x0443\x0441 \x0438 \x0441\x0447\x0451\x0442, \x0441\x0447\x0451\x0442",
       {Entry(L"BUSINESS", L"Business and Finance", 2), Entry(L"COMPUTER", L"Computers and Internet", 1),
        Entry(L"MEDICAL", L"Medicine", 1)}},
  };
  Start();
  int i = 0;
  for (const RankCase& c : cases) {
    connector_.SetActiveDirID(c.direction);
    std::vector<RankedTemplate> all = Rank(c.text, false);
    EXPECT_EQ(c.expected, all) << "case " << i << ": " << Describe(all);
    EXPECT_EQ(static_cast<DWORD>(c.direction), ReportNumber(L"AnalyzerDirID")) << "case " << i;
    std::vector<RankedTemplate> best = Rank(c.text, true);
    EXPECT_EQ(std::vector<RankedTemplate>{c.expected.front()}, best) << "case " << i << ": " << Describe(best);
    std::wstring detected;
    EXPECT_EQ(S_OK, connector_.GetAotService()->DetectTemplate(c.text, detected)) << "case " << i;
    EXPECT_EQ(c.expected.front().first, detected) << "case " << i;
    ++i;
  }
  EXPECT_EQ(std::wstring(kProductKey), ReportText(L"AnalyzerClient"));
  EXPECT_EQ(0u, ReportNumber(L"ErrorCount"));
}

TEST_F(KernelAotTest, RankingAppendsToTheList) {
  Start();
  std::vector<RankedTemplate> ranked{Entry(L"KEPT", L"Kept", 9)};
  EXPECT_EQ(S_OK, connector_.GetAotService()->RankTemplates(kBusinessText, ranked, false));
  EXPECT_EQ((std::vector<RankedTemplate>{Entry(L"KEPT", L"Kept", 9), Entry(L"BUSINESS", L"Business and Finance", 4)}),
            ranked);
}

TEST_F(KernelAotTest, BestOnlyKeepsTheAnalyzersFirstOfATie) {
  Start();
  SetSwitch(L"AnalyzerTiedTop", 1);
  const std::wstring text = std::wstring(kBusinessText) + L" A virus.";
  std::vector<RankedTemplate> all = Rank(text, false);
  // The analyzer's first of the tie is not the direction's first of the two.
  ASSERT_EQ((std::vector<RankedTemplate>{Entry(L"BUSINESS", L"Business and Finance", 4),
                                         Entry(L"COMPUTER", L"Computers and Internet", 4),
                                         Entry(L"MEDICAL", L"Medicine", 1)}),
            all)
      << Describe(all);
  EXPECT_EQ(std::vector<RankedTemplate>{all.front()}, Rank(text, true));
  std::wstring detected;
  EXPECT_EQ(S_OK, connector_.GetAotService()->DetectTemplate(text, detected));
  EXPECT_EQ(L"BUSINESS", detected);
}

struct NothingCase {
  const char* name;
  const wchar_t* switchName;
  const wchar_t* text;
};

TEST_F(KernelAotTest, AnalysisWithoutARankingDetectsNoTemplate) {
  const NothingCase cases[] = {
      {"no keyword in the text", nullptr, kNoSubjectText},
      {"the analyzer answers S_FALSE", L"AnalyzerFindsNothing", kComputerText},
  };
  Start();
  for (const NothingCase& c : cases) {
    if (c.switchName) SetSwitch(c.switchName, 1);
    std::wstring detected = L"untouched";
    EXPECT_EQ(S_OK, connector_.GetAotService()->DetectTemplate(c.text, detected)) << "case " << c.name;
    EXPECT_EQ(L"untouched", detected) << "case " << c.name;
    std::vector<RankedTemplate> ranked{Entry(L"KEPT", L"Kept", 1)};
    EXPECT_EQ(S_OK, connector_.GetAotService()->RankTemplates(c.text, ranked, false)) << "case " << c.name;
    EXPECT_EQ(std::vector<RankedTemplate>{Entry(L"KEPT", L"Kept", 1)}, ranked) << "case " << c.name;
  }
  EXPECT_EQ(0u, ReportNumber(L"ErrorCount"));
}

// An analyzer whose ranked list comes back to its first name ([A, B, A]):
// get_NextTemplate links A -> B -> A for ever. Every walk stops after as
// many entries as the direction has templates.
TEST_F(KernelAotTest, RepeatedNamesInTheRankingEndTheWalk) {
  Start();
  SetSwitch(L"AnalyzerRepeatsNames", 1);
  const DWORD start = GetTickCount();
  std::vector<RankedTemplate> all = Rank(kComputerText, false);
  const RankedTemplate computer = Entry(L"COMPUTER", L"Computers and Internet", 3);
  const RankedTemplate medical = Entry(L"MEDICAL", L"Medicine", 1);
  EXPECT_EQ((std::vector<RankedTemplate>{computer, medical, computer, medical}), all) << Describe(all);
  EXPECT_EQ(std::vector<RankedTemplate>{computer}, Rank(kComputerText, true));
  std::wstring detected;
  EXPECT_EQ(S_OK, connector_.GetAotService()->DetectTemplate(kComputerText, detected));
  EXPECT_EQ(L"COMPUTER", detected);
  std::vector<std::wstring> advice;
  EXPECT_TRUE(connector_.GetAotService()->ListAdvice(kComputerText, advice));
  EXPECT_EQ((std::vector<std::wstring>{L"COMPUTER", L"MEDICAL", L"COMPUTER", L"MEDICAL"}), advice);
  EXPECT_EQ(kTemplatesPerDirection, advice.size());
  EXPECT_LT(GetTickCount() - start, 10000u);
}

struct LevelCase {
  DWORD level;
  HRESULT rank;
  HRESULT choose;
};

TEST_F(KernelAotTest, MissingAnalyzerInterfacesAnswerSFalse) {
  const LevelCase cases[] = {
      {5, S_FALSE, S_FALSE},
      {8, S_FALSE, S_FALSE},
      {9, S_OK, S_FALSE},
  };
  Start();
  // A dialog shown by mistake is cancelled and noticed, never waited for.
  testsupport::DialogWatcher watcher;
  watcher.Press(kChoiceCaption, IDCANCEL);
  for (const LevelCase& c : cases) {
    SetSwitch(L"AnalyzerLevel", c.level);
    std::vector<RankedTemplate> ranked;
    EXPECT_EQ(c.rank, connector_.GetAotService()->RankTemplates(kComputerText, ranked, false)) << "level " << c.level;
    EXPECT_EQ(c.rank == S_OK ? 2u : 0u, ranked.size()) << "level " << c.level;
    std::wstring detected = L"untouched";
    EXPECT_EQ(c.rank, connector_.GetAotService()->DetectTemplate(kComputerText, detected)) << "level " << c.level;
    EXPECT_EQ(c.rank == S_OK ? L"COMPUTER" : L"untouched", detected) << "level " << c.level;
    std::wstring chosen = L"untouched";
    EXPECT_EQ(c.choose, connector_.GetAotService()->ChooseTemplate(kComputerText, chosen)) << "level " << c.level;
    EXPECT_EQ(L"untouched", chosen) << "level " << c.level;
    // The advice needs only the first interface.
    std::vector<std::wstring> advice;
    EXPECT_TRUE(connector_.GetAotService()->ListAdvice(kComputerText, advice)) << "level " << c.level;
    EXPECT_EQ((std::vector<std::wstring>{L"COMPUTER", L"MEDICAL"}), advice) << "level " << c.level;
  }
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_EQ(0u, ReportNumber(L"ErrorCount"));
}

struct ChoiceCase {
  const char* name;
  int button;
  HRESULT expected;
  const wchar_t* chosen;
};

TEST_F(KernelAotTest, ChooseTemplateAsksTheUser) {
  const ChoiceCase cases[] = {
      {"OK takes the best template", IDOK, S_OK, L"MEDICAL"},
      {"Cancel", IDCANCEL, E_ABORT, L"untouched"},
  };
  Start();
  for (const ChoiceCase& c : cases) {
    // The box's texts are read before the button is pressed (they may be
    // filled in a little after the box shows).
    std::atomic<bool> listsTheRanking = false;
    testsupport::DialogWatcher watcher;
    watcher.OnWindow(kChoiceCaption, L"#32770", [&](HWND box) {
      const DWORD start = GetTickCount();
      while (!listsTheRanking && GetTickCount() - start < 3000) {
        for (const std::wstring& text : testsupport::DialogWatcher::ControlTexts(box))
          if (text.find(L"Medicine (3)") != std::wstring::npos &&
              text.find(L"Computers and Internet (1)") != std::wstring::npos)
            listsTheRanking = true;
        if (!listsTheRanking) Sleep(20);
      }
      testsupport::DialogWatcher::PressButton(box, c.button);
    });
    std::wstring chosen = L"untouched";
    EXPECT_EQ(c.expected, connector_.GetAotService()->ChooseTemplate(kMedicalText, chosen)) << "case " << c.name;
    EXPECT_EQ(c.chosen, chosen) << "case " << c.name;
    EXPECT_EQ(1u, watcher.Seen().size()) << "case " << c.name;
    EXPECT_TRUE(listsTheRanking) << "case " << c.name;
  }
  EXPECT_EQ(0u, ReportNumber(L"ErrorCount")) << "a cancelled choice is no error";
}

TEST_F(KernelAotTest, ChooseTemplateWithoutARankingShowsNoDialog) {
  Start();
  testsupport::DialogWatcher watcher;
  watcher.Press(kChoiceCaption, IDOK);
  std::wstring chosen = L"untouched";
  EXPECT_EQ(S_FALSE, connector_.GetAotService()->ChooseTemplate(kNoSubjectText, chosen));
  EXPECT_EQ(L"untouched", chosen);
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST_F(KernelAotTest, WithoutAnAnalyzerNothingIsRanked) {
  Start();
  SetSwitch(L"NoAnalyzer", 1);
  EXPECT_FALSE(connector_.GetAotService()->IsAvailable());
  std::wstring detected = L"untouched";
  EXPECT_EQ(S_FALSE, connector_.GetAotService()->DetectTemplate(kComputerText, detected));
  EXPECT_EQ(L"untouched", detected);
  std::vector<RankedTemplate> ranked;
  EXPECT_EQ(S_FALSE, connector_.GetAotService()->RankTemplates(kComputerText, ranked, false));
  EXPECT_TRUE(ranked.empty());
  std::vector<std::wstring> advice;
  EXPECT_FALSE(connector_.GetAotService()->ListAdvice(kComputerText, advice));
  EXPECT_TRUE(advice.empty());
  std::wstring chosen = L"untouched";
  EXPECT_EQ(S_FALSE, connector_.GetAotService()->ChooseTemplate(kComputerText, chosen));
  EXPECT_EQ(L"untouched", chosen);
  // The source had no analyzer to hand out: the kernel is told of the missing object.
  EXPECT_EQ(static_cast<DWORD>(E_POINTER), ReportNumber(L"LastError"));
}

struct AdviceCase {
  const char* name;
  long direction;
  const wchar_t* text;
  std::vector<std::wstring> expected;
};

TEST_F(KernelAotTest, AdviceListsTheRankingOrTheFirstTemplate) {
  const AdviceCase cases[] = {
      {"ranked", kEnglishRussian, kMedicalText, {L"MEDICAL", L"COMPUTER"}},
      {"one ranked", kEnglishRussian, kBusinessText, {L"BUSINESS"}},
      {"nothing ranked", kEnglishRussian, kNoSubjectText, {L"General"}},
      {"nothing ranked, another direction", kRussianEnglish, kComputerText, {L"General"}},
  };
  Start();
  for (const AdviceCase& c : cases) {
    connector_.SetActiveDirID(c.direction);
    std::vector<std::wstring> advice{L"kept"};
    EXPECT_TRUE(connector_.GetAotService()->ListAdvice(c.text, advice)) << "case " << c.name;
    std::vector<std::wstring> expected{L"kept"};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    EXPECT_EQ(expected, advice) << "case " << c.name;
  }
}

// The analyzer's advice comes first, every entry of it, more than the
// direction has templates too; a chain that comes back round ends at the
// first entry it gives again.
TEST_F(KernelAotTest, AdviceKeepsEveryEntryTheAnalyzerGives) {
  const struct {
    const wchar_t* advice;
    std::vector<std::wstring> expected;
  } cases[] = {
      {L"w1;w2;w3;w4;w5;w6", {L"w1", L"w2", L"w3", L"w4", L"w5", L"w6", L"MEDICAL", L"COMPUTER"}},
      {L"x;y;x", {L"x", L"y", L"MEDICAL", L"COMPUTER"}},
      {L"", {L"MEDICAL", L"COMPUTER"}},
  };
  Start();
  connector_.SetActiveDirID(kEnglishRussian);
  for (const auto& c : cases) {
    SetSwitchText(L"AnalyzerAdvice", c.advice);
    std::vector<std::wstring> advice;
    EXPECT_TRUE(connector_.GetAotService()->ListAdvice(kMedicalText, advice)) << testing::PrintToString(std::wstring(c.advice));
    EXPECT_EQ(c.expected, advice) << testing::PrintToString(std::wstring(c.advice));
  }
}

TEST_F(KernelAotTest, FailedAnalysisGivesNoAdvice) {
  Start();
  SetSwitchText(L"FailCall", L"INorva5TemplateAnalyzer.Analyze");
  std::vector<std::wstring> advice;
  EXPECT_FALSE(connector_.GetAotService()->ListAdvice(kComputerText, advice));
  EXPECT_TRUE(advice.empty());
}

struct PreparationCase {
  bool detached;
  const wchar_t* how;
  DWORD logOn;
};

TEST_F(KernelAotTest, AnalyzerIsPreparedWithTheControlWhenAttached) {
  const PreparationCase cases[] = {
      {false, L"Initialize2", 1},
      {true, L"Initialize", 0},
  };
  for (const PreparationCase& c : cases) {
    SetSwitch(L"DetachedControl", c.detached ? 1 : 0);
    CNorvaKernelWrapper connector(kTitle);
    ASSERT_TRUE(connector.Initialize(kProductKey));
    connector.SetActiveDirID(kRussianEnglish);
    std::vector<RankedTemplate> ranked;
    EXPECT_EQ(S_OK, connector.GetAotService()->RankTemplates(kNoSubjectText, ranked, false))
        << "detached " << c.detached;
    EXPECT_EQ(std::wstring(c.how), ReportText(L"AnalyzerInitialize")) << "detached " << c.detached;
    EXPECT_EQ(c.logOn, ReportNumber(L"AnalyzerLogOn")) << "detached " << c.detached;
    EXPECT_EQ(static_cast<DWORD>(kRussianEnglish), ReportNumber(L"AnalyzerDirID")) << "detached " << c.detached;
  }
}

// The analyzer's interfaces as the analyzer source hands them out.
class AnalyzerObjectTest : public KernelAotTest {
 protected:
  ComPtr<IUnknown> TakeAnalyzer() {
    ComPtr<INrvaAnalyzerSource> source;
    EXPECT_EQ(S_OK, ComPtr<INrvaAnalyzerSource>::TryCreate(CLSID_NrvaAnalyzerSource, &source, CLSCTX_ALL));
    ComPtr<IUnknown> analyzer;
    if (source) {
      EXPECT_EQ(S_OK, source->GetAnalyzer(1, analyzer.Receive()));
    }
    return analyzer;
  }
};

struct InterfaceCase {
  const IID* iid;
  const char* name;
  DWORD level;  // the lowest level that answers it
};

TEST_F(AnalyzerObjectTest, AnswersTheInterfacesOfItsLevel) {
  const InterfaceCase interfaces[] = {
      {&IID_IDispatch, "IDispatch", 5},
      {&IID_INorva5TemplateAnalyzer, "INorva5", 5},
      {&IID_INorva8TemplateAnalyzer, "INorva8", 8},
      {&IID_INorva9TemplateAnalyzer, "INorva9", 9},
      {&IID_INorva10TemplateAnalyzer, "INorva10", 10},
  };
  for (DWORD level : {5u, 8u, 9u, 10u}) {
    SetSwitch(L"AnalyzerLevel", level);
    ComPtr<IUnknown> analyzer = TakeAnalyzer();
    ASSERT_TRUE(analyzer);
    for (const InterfaceCase& i : interfaces) {
      ComPtr<IUnknown> answered;
      HRESULT hr = analyzer->QueryInterface(*i.iid, answered.ReceiveVoid());
      EXPECT_EQ(level >= i.level ? S_OK : E_NOINTERFACE, hr) << i.name << " at level " << level;
    }
  }
}

TEST_F(AnalyzerObjectTest, NextTemplateIsExactAndLeavesTheAnswerAtTheEnd) {
  ComPtr<IUnknown> object = TakeAnalyzer();
  ASSERT_TRUE(object);
  auto analyzer = object.Query<INorva9TemplateAnalyzer>();
  platform::Variant direction = platform::Variant::FromInt32(kEnglishRussian);
  ASSERT_EQ(S_OK, analyzer->Initialize(Bstr(kProductKey).Get(), direction.Get()));
  ASSERT_EQ(S_OK, analyzer->Analyze(Bstr(kComputerText).Get(), nullptr));
  Bstr next;
  EXPECT_EQ(S_OK, analyzer->get_NextTemplate(Bstr(L"COMPUTER").Get(), next.Receive()));
  EXPECT_EQ(L"MEDICAL", next.Str());
  for (const wchar_t* name : {L"MEDICAL", L"computer", L"NONE"}) {
    BSTR untouched = reinterpret_cast<BSTR>(0x1);
    EXPECT_EQ(S_FALSE, analyzer->get_NextTemplate(Bstr(name).Get(), &untouched)) << testing::PrintToString(name);
    EXPECT_EQ(reinterpret_cast<BSTR>(0x1), untouched) << testing::PrintToString(name);
  }
  USHORT weight = 0;
  EXPECT_EQ(E_INVALIDARG, analyzer->GetTemplateWeight(Bstr(L"BUSINESS").Get(), &weight));
  Bstr title;
  EXPECT_EQ(E_INVALIDARG, analyzer->GetTemplateKeywords(Bstr(L"BUSINESS").Get(), title.Receive()));
  long dictionary = 0;
  Bstr advice(L"stale");
  EXPECT_EQ(S_FALSE, analyzer->get_BestAdvice(&dictionary, advice.Receive()));
  EXPECT_TRUE(advice.Empty());
  EXPECT_EQ(S_FALSE, analyzer->Analyze(Bstr(kNoSubjectText).Get(), nullptr));
}

TEST_F(AnalyzerObjectTest, DispatchReachesTheFirstInterfaceOnly) {
  ComPtr<IUnknown> object = TakeAnalyzer();
  ASSERT_TRUE(object);
  auto dispatch = object.Query<IDispatch>();
  platform::Variant direction = platform::Variant::FromInt32(kEnglishRussian);
  platform::CallByName(dispatch.Get(), L"DirID", {&direction.Get(), 1}, DISPATCH_PROPERTYPUT);
  EXPECT_EQ(kEnglishRussian, platform::CallByName(dispatch.Get(), L"DirID", {}, DISPATCH_PROPERTYGET).Get().lVal);
  EXPECT_EQ(DISPID(5), platform::DispIdOf(dispatch.Get(), L"Analyze"));
  for (const wchar_t* name : {L"GetTemplateKeywords", L"GetTemplateWeight", L"DlgSelectTemplate"}) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))
        << testing::PrintToString(name);
  }
}

struct MemberCase {
  const wchar_t* name;
  DISPID id;
  INVOKEKIND kind;
  int slot;
};

// OMBRELLib as registered: the first interface with its members at their
// dispatch identifiers and slots, the coclass, and none of the extensions.
TEST_F(KernelAotTest, TypeLibraryHoldsTheFirstInterfaceOnly) {
  // The AOT module registers its library.
  platform::UniqueLibrary module(LoadLibraryW(testsupport::SiblingPath(L"OMBREL.dll").c_str()));
  ASSERT_TRUE(module.Valid());
  auto registerServer = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(GetProcAddress(module.Get(), "DllRegisterServer")));
  ASSERT_TRUE(registerServer);
  ASSERT_EQ(S_OK, registerServer());
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(S_OK, LoadRegTypeLib(LIBID_OMBRELLib, 1, 0, LOCALE_NEUTRAL, lib.Receive()));
  Bstr doc;
  ASSERT_EQ(S_OK, lib->GetDocumentation(-1, nullptr, doc.Receive(), nullptr, nullptr));
  EXPECT_EQ(L"Norva5TemplateSemiAnalyzer 2.0 Type Library", doc.Str());
  for (const IID* iid : {&IID_INorva8TemplateAnalyzer, &IID_INorva9TemplateAnalyzer, &IID_INorva10TemplateAnalyzer}) {
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(TYPE_E_ELEMENTNOTFOUND, lib->GetTypeInfoOfGuid(*iid, info.Receive()));
  }
  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(S_OK, lib->GetTypeInfoOfGuid(CLSID_Norva5TemplateSemiAnalyzer, coclass.Receive()));
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, lib->GetTypeInfoOfGuid(IID_INorva5TemplateAnalyzer, info.Receive()));
  HREFTYPE vtableSide = 0;
  ComPtr<ITypeInfo> vtable;
  ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableSide));
  ASSERT_EQ(S_OK, info->GetRefTypeInfo(vtableSide, vtable.Receive()));
  const MemberCase members[] = {
      {L"DirID", 1, INVOKE_PROPERTYGET, 7},          {L"DirID", 1, INVOKE_PROPERTYPUT, 8},
      {L"Template", 2, INVOKE_PROPERTYGET, 9},       {L"RecommendedTextLength", 3, INVOKE_PROPERTYGET, 10},
      {L"Initialize", 4, INVOKE_FUNC, 11},           {L"Analyze", 5, INVOKE_FUNC, 12},
      {L"AnalyzeFile", 6, INVOKE_FUNC, 13},          {L"DlgSetup", 7, INVOKE_FUNC, 14},
      {L"AdjustDocument", 8, INVOKE_FUNC, 15},       {L"DefaultTemplate", 9, INVOKE_PROPERTYGET, 16},
      {L"DefaultTemplate", 9, INVOKE_PROPERTYPUT, 17}, {L"NextTemplate", 10, INVOKE_PROPERTYGET, 18},
      {L"BestAdvice", 11, INVOKE_PROPERTYGET, 19},   {L"NextAdvice", 12, INVOKE_PROPERTYGET, 20},
      {L"Initialize2", 13, INVOKE_FUNC, 21},         {L"DlgSetup2", 14, INVOKE_FUNC, 22},
      {L"AutoSetup", 15, INVOKE_FUNC, 23},
  };
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(S_OK, vtable->GetTypeAttr(&attr));
  EXPECT_EQ(std::size(members), attr->cFuncs);
  const UINT count = attr->cFuncs;
  vtable->ReleaseTypeAttr(attr);
  for (UINT i = 0; i < count && i < std::size(members); ++i) {
    FUNCDESC* func = nullptr;
    ASSERT_EQ(S_OK, vtable->GetFuncDesc(i, &func));
    Bstr name;
    vtable->GetDocumentation(func->memid, name.Receive(), nullptr, nullptr, nullptr);
    EXPECT_EQ(members[i].name, name.Str()) << "member " << i;
    EXPECT_EQ(members[i].id, func->memid) << "member " << i;
    EXPECT_EQ(members[i].kind, func->invkind) << "member " << i;
    EXPECT_EQ(members[i].slot, func->oVft / static_cast<int>(sizeof(void*))) << "member " << i;
    vtable->ReleaseFuncDesc(func);
  }
}

}  // namespace
