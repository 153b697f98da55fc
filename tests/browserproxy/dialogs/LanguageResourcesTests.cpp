// The dialogs in the five languages (each language's neutral block beside
// English, as the program's strings): in Tessiva's own resources, and in the
// interface-language libraries, from which the frame then speaks.
#include <gtest/gtest.h>

#include "FrameRun.h"
#include "browserproxy/ui/DialogsResources.h"
#include "platform/base/ModulePath.h"
#include "platform/win/ResourceInstance.h"

namespace dialogstest {
namespace {

struct Language {
  const char* code;
  LANGID id;
  const wchar_t* caption;
  const wchar_t* firstPage;
  const wchar_t* ok;
};

const Language kLanguages[] = {
    {"ENU", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"Options", L"Translation Options", L"OK"},
    {"DEU", MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL), L"Optionen", L"Übersetzungsoptionen", L"OK"},
    {"FRA", MAKELANGID(LANG_FRENCH, SUBLANG_NEUTRAL), L"Options", L"Options de traduction", L"OK"},
    {"ESN", MAKELANGID(LANG_SPANISH, SUBLANG_NEUTRAL), L"Opciones", L"Opciones de traducción", L"Aceptar"},
    {"RUS", MAKELANGID(LANG_RUSSIAN, SUBLANG_NEUTRAL), L"Настройки", L"Параметры перевода", L"OK"},
};

std::wstring ExeFolder() { return platform::ModuleFolder(nullptr); }

class LanguageResources : public FrameTest, public testing::WithParamInterface<Language> {};

TEST_P(LanguageResources, TessivaCarriesEveryDialogInTheLanguage) {
  const Language l = GetParam();
  HMODULE tessiva = LoadLibraryExW((ExeFolder() + L"Tessiva.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, tessiva);
  for (UINT id : {IDD_SETTINGS_FRAME, IDD_TRANSLATE, IDD_PAGE_DIRECTION, IDD_PAGE_PAGETRANSLATION, IDD_PAGE_SELECTION,
                  IDD_PAGE_WEBSEARCH, IDD_PAGE_SMARTURL, IDD_PAGE_CONTEXTMENU, IDD_PAGE_WORDPOPUP})
    EXPECT_NE(nullptr, FindResourceExW(tessiva, RT_DIALOG, MAKEINTRESOURCEW(id), l.id)) << l.code << " dialog " << id;
  // String 106 lives in block 106 / 16 + 1.
  EXPECT_NE(nullptr, FindResourceExW(tessiva, RT_STRING, MAKEINTRESOURCEW(IDS_PAGE_TITLE_DIRECTION / 16 + 1), l.id))
      << l.code;
  FreeLibrary(tessiva);
}

TEST_P(LanguageResources, TheFrameSpeaksTheLanguageOfItsLibrary) {
  const Language l = GetParam();
  const std::wstring path = ExeFolder() + L"lang\\TessivaRes" + std::wstring(l.code, l.code + 3) + L".dll";
  HMODULE library = LoadLibraryW(path.c_str());
  ASSERT_NE(nullptr, library) << path.size();
  platform::SetResourceInstance(library);
  Browser browser = MakeBrowser(EPBT_CROME);
  std::wstring caption, ok;
  std::vector<std::wstring> rows;
  RunFrame(browser, [&](HWND frame) {
    caption = TextOf(frame);
    ok = TextOf(GetDlgItem(frame, IDOK));
    rows = ListRows(GetDlgItem(frame, IDC_PAGE_LIST));
    PostClick(frame, IDCANCEL);
  }, -1, l.caption);
  platform::SetResourceInstance(nullptr);
  FreeLibrary(library);
  EXPECT_EQ(l.caption, caption) << l.code;
  EXPECT_EQ(l.ok, ok) << l.code;
  ASSERT_EQ(7u, rows.size()) << l.code;
  EXPECT_EQ(l.firstPage, rows[0]) << l.code;
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageResources, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
}  // namespace dialogstest
