// Every text of the AOT module's dialogs fits its control: each template of
// the module (its own Russian) and of its English library, and the result,
// setup and word-forms dialogs as they run, with the column headers their code
// sets. The module takes its interface language once, when it is loaded: this
// program is built once per language (OMBREL_INTERFACE_LANGUAGE, 0 for the
// module's own resources) and sets it before the module loads.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>

#include "AnalyzerTestSupport.h"
#include "ChildProcess.h"
#include "DialogTextFit.h"
#include "DialogWatcher.h"
#include "RegistrySandbox.h"
#include "platform/base/Handles.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace {

using namespace ombreltests;
using platform::Bstr;
using platform::Variant;
using testsupport::Describe;
using testsupport::MisfittingTexts;
using testsupport::TextMisfit;

constexpr wchar_t kProduct[] = L"SOFTWARE\\Norvasoft\\NRVA9";

struct Titles {
  const wchar_t* result;
  const wchar_t* setup;
  const wchar_t* forms;
};

Titles TitlesOfThisLanguage() {
  if (OMBREL_INTERFACE_LANGUAGE == 0x409)
    return {L"Automatic translation profile detection", L"Translation profile detection by keywords", L"Word forms"};
  return {L"Автоматическое определение профиля перевода", L"Настройка определения профиля перевода по ключевым словам",
          L"Словоформы"};
}

class OmbrelDialogTexts : public AnalyzerTest {
 protected:
  static void SetUpTestSuite() {
    product_ = std::make_unique<testsupport::ScopedFixedKey>(HKEY_LOCAL_MACHINE, kProduct);
    if (OMBREL_INTERFACE_LANGUAGE)
      testsupport::SetRegDword(HKEY_LOCAL_MACHINE, kProduct, L"NrvaLangID", OMBREL_INTERFACE_LANGUAGE);
    AnalyzerTest::SetUpTestSuite();
  }
  static void TearDownTestSuite() { product_.reset(); }

  // Misfits of the dialog and of every dialog it opens, seen by the watcher.
  static void Measure(testsupport::DialogWatcher& watcher, const wchar_t* title, std::vector<TextMisfit>& misfits,
                      std::function<void(HWND)> then) {
    watcher.OnWindow(title, L"#32770", [&misfits, then](HWND dialog) {
      Sleep(100);
      misfits = MisfittingTexts(dialog);
      for (HWND list = FindWindowExW(dialog, nullptr, WC_LISTVIEWW, nullptr); list;
           list = FindWindowExW(dialog, list, WC_LISTVIEWW, nullptr)) {
        const auto drawn = testsupport::ClippedColumnHeaders(list);
        misfits.insert(misfits.end(), drawn.begin(), drawn.end());
      }
      then(dialog);
    });
  }

  static std::unique_ptr<testsupport::ScopedFixedKey> product_;
};

std::unique_ptr<testsupport::ScopedFixedKey> OmbrelDialogTexts::product_;

TEST_F(OmbrelDialogTexts, FitEveryTemplateOfTheModuleAndItsLibrary) {
  for (const wchar_t* file : {L"OMBREL.dll", L"OMBRELResENU.dll"}) {
    platform::UniqueLibrary module(
        LoadLibraryExW(testsupport::SiblingPath(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);
    const auto templates = testsupport::ModuleResources(module.Get(), RT_DIALOG);
    EXPECT_EQ(3u, templates.size());
    for (const auto& [id, language] : templates) {
      testsupport::TemplateDialog dialog(module.Get(), id, language);
      ASSERT_NE(nullptr, dialog.Get()) << "dialog " << id;
      const std::vector<TextMisfit> misfits = MisfittingTexts(dialog.Get());
      EXPECT_TRUE(misfits.empty()) << "dialog " << id << " language " << std::hex << language << "\n"
                                   << Describe(misfits);
    }
  }
}

TEST_F(OmbrelDialogTexts, FitTheRunningResultDialogWithItsColumns) {
  StoreList(kEnglishRussian, kComputer, L"program\r\nvirus\r\nmemory");
  StoreList(kEnglishRussian, kMedical, L"operation\r\nvirus");
  auto analyzer = NewAnalyzer();
  Variant direction = Variant::FromInt32(kEnglishRussian);
  ASSERT_EQ(S_OK, analyzer->Initialize(Bstr(L"tests").Get(), direction.Get()));
  std::vector<TextMisfit> misfits{{-1, L"(dialog not seen)", L"", {}, {}}};
  {
    testsupport::DialogWatcher watcher;
    Measure(watcher, TitlesOfThisLanguage().result, misfits,
            [](HWND dialog) { testsupport::DialogWatcher::PressButton(dialog, IDCANCEL); });
    Bstr none;
    HRESULT phr = S_OK;
    EXPECT_EQ(E_ABORT, analyzer->DlgSelectTemplate(Bstr(L"The program keeps the virus in memory.").Get(), &phr,
                                                   none.Receive()));
  }
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);
}

TEST_F(OmbrelDialogTexts, FitTheRunningSetupAndWordFormsDialogsWithTheirColumns) {
  StoreList(kEnglishRussian, kComputer, L"program");
  auto analyzer = NewAnalyzer();
  Variant direction = Variant::FromInt32(kEnglishRussian);
  ASSERT_EQ(S_OK, analyzer->Initialize(Bstr(L"tests").Get(), direction.Get()));
  ASSERT_EQ(S_OK, analyzer->put_DefaultTemplate(Bstr(kComputer).Get()));
  const Titles titles = TitlesOfThisLanguage();
  std::vector<TextMisfit> inSetup{{-1, L"(dialog not seen)", L"", {}, {}}}, inForms = inSetup;
  {
    testsupport::DialogWatcher forms;
    Measure(forms, titles.forms, inForms, [](HWND dialog) { testsupport::DialogWatcher::PressButton(dialog, IDCANCEL); });
    testsupport::DialogWatcher setup;
    Measure(setup, titles.setup, inSetup, [](HWND dialog) {
      constexpr int kList = 207, kWordForms = 209;
      LVITEMW state{};
      state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(GetDlgItem(dialog, kList), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kWordForms, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, kWordForms)));
      testsupport::DialogWatcher::PressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(S_OK, analyzer->DlgSetup2(0));
  }
  EXPECT_TRUE(inSetup.empty()) << Describe(inSetup);
  EXPECT_TRUE(inForms.empty()) << Describe(inForms);
}

}  // namespace
