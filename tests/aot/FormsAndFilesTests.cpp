// The word forms service over the stand-in's morphology, the name check of
// the list file dialog, and the analyzer with kernel calls failing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "AnalyzerTestSupport.h"
#include "TempFolder.h"
#include "dialogs/LogoFileDialog.h"
#include "forms/AotForms.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace {

using namespace ombreltests;
using kernelstandin_test::SetSwitch;
using kernelstandin_test::SetSwitchText;
using ombrel::CAotForms;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

class FormsTest : public AnalyzerTest {
 protected:
  // The service over the template manager, loaded for the direction's source.
  void Prepare(CAotForms& forms, long dirId) {
    auto manager = ComPtr<INrvaTemplateManager>::Create(CLSID_NrvaTemplateManager);
    ASSERT_EQ(S_OK, forms.Init(manager.Get()));
    ComPtr<IDispatch> document;
    VARIANT dir;
    VariantInit(&dir);
    dir.vt = VT_I4;
    dir.lVal = dirId;
    ASSERT_EQ(S_OK, manager->GetDocument(dir, Variant::Missing().Get(), Variant::Missing().Get(), document.Receive()));
    ComPtr<IUnknown> source;
    ASSERT_EQ(S_OK, document.Query<INrvaDocument>()->GetSource(source.Receive()));
    ASSERT_EQ(S_OK, forms.SetSource(source.Get()));
    ASSERT_TRUE(forms.IsReady());
  }
};

TEST_F(FormsTest, FindsFormsGroupedByPartOfSpeech) {
  CAotForms forms;
  Prepare(forms, kEnglishRussian);
  ASSERT_EQ(1, forms.FindForms(L"  Program\r\n", CAotForms::kAllPartsOfSpeech, true));
  ASSERT_EQ(1, forms.GetKeywordCount());
  EXPECT_EQ(L"program", forms.GetKeyword(0));
  EXPECT_EQ(2, forms.GetGroupCount(L"program"));
  EXPECT_EQ(1, forms.GetGroupCode(L"program", 0));
  EXPECT_EQ(3, forms.GetGroupCode(L"program", 1));
  EXPECT_EQ(L"Существительное", forms.GetGroupCaption(L"program", 0));
  EXPECT_EQ(L"Глагол", forms.GetGroupCaption(L"program", 1));
  EXPECT_EQ(4, forms.GetFormCount(L"program", 3));
  EXPECT_EQ(L"programmed", forms.GetForm(L"program", 3, 2));
  EXPECT_EQ(L"", forms.GetForm(L"program", 3, 9));
  EXPECT_TRUE(forms.IsFormKept(L"program", 1, L"programs")) << "select all";
  EXPECT_EQ(6, forms.GetAllForms());
  EXPECT_EQ(L"", forms.GetFlatForm(6));
  forms.DropForm(L"programs");
  EXPECT_FALSE(forms.IsFormKept(L"program", 1, L"programs"));
  EXPECT_FALSE(forms.IsFormKept(L"program", 3, L"programs"));
  EXPECT_TRUE(forms.IsFormFound(L"program", 3, L"programs"));
  forms.KeepForm(L"programs");
  EXPECT_TRUE(forms.IsFormKept(L"program", 1, L"programs"));
  forms.KeepForm(L"nothing");
  EXPECT_EQ(6, forms.GetAllForms()) << "a form no list holds changes nothing";
}

TEST_F(FormsTest, UnknownWordLeavesOnlyItselfInTheFlatList) {
  CAotForms forms;
  Prepare(forms, kEnglishRussian);
  EXPECT_EQ(0, forms.FindForms(L"Zyxwv", CAotForms::kAllPartsOfSpeech, true));
  EXPECT_EQ(0, forms.GetKeywordCount());
  EXPECT_EQ(-1, forms.GetGroupCount(L"zyxwv"));
  EXPECT_EQ(L"zyxwv", forms.GetFlatForm(0));
  EXPECT_EQ(0, forms.FindForms(L"   ", CAotForms::kAllPartsOfSpeech, true));
}

TEST_F(FormsTest, GermanFormsKeepTheirCapitals) {
  CAotForms forms;
  Prepare(forms, 0x00010004);
  ASSERT_EQ(1, forms.FindForms(L"virus", CAotForms::kAllPartsOfSpeech, true));
  EXPECT_EQ(L"Virus", forms.GetKeyword(0));
  EXPECT_EQ(L"Viren", forms.GetForm(L"Virus", 1, 1));
}

TEST_F(FormsTest, WithoutMorphologyNothingIsReady) {
  CAotForms forms;
  EXPECT_EQ(E_INVALIDARG, forms.Init(nullptr));
  EXPECT_EQ(E_INVALIDARG, forms.SetSource(nullptr));
  EXPECT_FALSE(forms.IsReady());
  EXPECT_EQ(0, forms.FindForms(L"virus", CAotForms::kAllPartsOfSpeech, true));
  SetSwitchText(L"FailCall", L"INrvaMorphology.Load");
  auto manager = ComPtr<INrvaTemplateManager>::Create(CLSID_NrvaTemplateManager);
  ASSERT_EQ(S_OK, forms.Init(manager.Get()));
  auto document = ComPtr<INrvaDocument>::Create(CLSID_NrvaTextDocument);
  ComPtr<IUnknown> source;
  ASSERT_EQ(S_OK, document->GetSource(source.Receive()));
  EXPECT_TRUE(FAILED(forms.SetSource(source.Get())));
  EXPECT_EQ(0, forms.Language());
}

struct NameCase {
  const char* name;
  std::wstring file;  // below the test folder
  bool forWriting;
  bool existing;
  HRESULT expected;
};

TEST(ListFileNames, CheckNeverLeavesAFileBehind) {
  testsupport::TempFolder folder;
  const NameCase cases[] = {
      {"new file to save", L"new.txt", true, false, S_OK},
      {"existing file to save", L"old.txt", true, true, S_OK},
      {"missing folder to save", L"none\\new.txt", true, false, ombrel::kNamePathNotFound},
      {"invalid name to save", L"bad|name.txt", true, false, ombrel::kNamePathNotFound},
      {"missing file to open", L"missing.txt", false, false, S_OK},
      {"missing folder to open", L"none\\missing.txt", false, false, ombrel::kNamePathNotFound},
      {"existing file to open", L"old.txt", false, true, S_OK},
      {"too long", std::wstring(260, L'x'), true, false, ombrel::kNameTooLong},
  };
  for (const NameCase& c : cases) {
    const std::wstring path = folder.Path() + c.file;
    if (c.existing) CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_EQ(c.expected, ombrel::CLogoFileDialog::CheckName(path, c.forWriting)) << c.name;
    EXPECT_EQ(c.existing, GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) << c.name;
  }
}

struct FailingCall {
  const wchar_t* call;
  HRESULT expected;  // the analysis' answer
};

class FailingKernel : public AnalyzerTest, public testing::WithParamInterface<FailingCall> {};

TEST_P(FailingKernel, AnalysisAnswersTheFailureAndRecoversAfterIt) {
  StoreList(kEnglishRussian, kComputer, L"virus\r\nmemory");
  auto analyzer = NewAnalyzer();
  Variant direction = Variant::FromInt32(kEnglishRussian);
  ASSERT_EQ(S_OK, analyzer->Initialize(Bstr(L"tests").Get(), direction.Get()));
  ASSERT_EQ(S_OK, analyzer->put_DefaultTemplate(Bstr(kGeneral).Get()));
  SetSwitchText(L"FailCall", GetParam().call);
  SetSwitch(L"FailCallResult", static_cast<DWORD>(E_ACCESSDENIED));
  EXPECT_EQ(GetParam().expected, analyzer->Analyze(Bstr(L"virus in memory").Get(), nullptr));
  Bstr name;
  EXPECT_EQ(S_OK, analyzer->get_Template(name.Receive()));
  EXPECT_EQ(kGeneral, name.Str()) << "the default template stays";
  SetSwitchText(L"FailCall", L"");
  // The retry hands every list once: the weight is not doubled.
  ASSERT_EQ(S_OK, analyzer->Analyze(Bstr(L"virus in memory").Get(), nullptr));
  USHORT weight = 0;
  EXPECT_EQ(S_OK, analyzer->GetTemplateWeight(Bstr(kComputer).Get(), &weight));
  EXPECT_EQ(2, weight);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, FailingKernel,
    testing::Values(FailingCall{L"INrvaTemplateManager.GetTemplates", E_ACCESSDENIED},
                    FailingCall{L"INrvaTemplateList.GetCount", E_ACCESSDENIED},
                    FailingCall{L"INrvaTemplateList.GetItem", E_ACCESSDENIED},
                    FailingCall{L"INrvaKeywordAnalyzer.SetDirection", E_ACCESSDENIED},
                    FailingCall{L"INrvaKeywordAnalyzer.Analyze", E_ACCESSDENIED},
                    FailingCall{L"INrvaKeywordAnalyzer.GetBestTemplate", E_ACCESSDENIED},
                    FailingCall{L"INrvaKeywordAnalyzer.GetCount", E_ACCESSDENIED},
                    FailingCall{L"INrvaKeywordAnalyzer.GetWeight", E_ACCESSDENIED},
                    FailingCall{L"INrvaKeywordAnalyzer.GetName", E_ACCESSDENIED},
                    FailingCall{L"INrvaKeywordAnalyzer.GetReport", E_ACCESSDENIED}),
    [](const auto& info) {
      std::string name;
      for (const wchar_t* c = info.param.call; *c; ++c)
        if (std::isalnum(*c)) name += static_cast<char>(*c);
      return name;
    });

TEST_F(FormsTest, LongListsLoadAndRank) {
  std::wstring list;
  for (int i = 0; i < 100000; ++i) list += L"word" + std::to_wstring(i) + L"\r\n";
  list += L"virus";
  StoreList(kEnglishRussian, kComputer, list);
  auto analyzer = NewAnalyzer();
  Variant direction = Variant::FromInt32(kEnglishRussian);
  ASSERT_EQ(S_OK, analyzer->Initialize(Bstr(L"tests").Get(), direction.Get()));
  const DWORD start = GetTickCount();
  ASSERT_EQ(S_OK, analyzer->Analyze(Bstr(L"word99999 and a virus, word5").Get(), nullptr));
  EXPECT_LT(GetTickCount() - start, 20000u);
  USHORT weight = 0;
  EXPECT_EQ(S_OK, analyzer->GetTemplateWeight(Bstr(kComputer).Get(), &weight));
  EXPECT_EQ(3, weight);
}

}  // namespace
