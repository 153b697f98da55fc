// The dialogs in the five languages (each language's neutral block beside
// English, as the program's strings): in Tessiva's own resources, and in the
// interface-language libraries, from which the frame then speaks.
#include <gtest/gtest.h>

#include <map>

#include "DialogTextFit.h"
#include "FrameRun.h"
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/PopupResources.h"
#include "browserproxy/ui/VQDAboutDlgResources.h"
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
  const wchar_t* popupWord;
  const wchar_t* aboutFamily;
};

const Language kLanguages[] = {
    {"ENU", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"Options", L"Translation Options", L"OK", L"The word", L"Included in %s"},
    {"DEU", MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL), L"Optionen", L"Übersetzungsoptionen", L"OK", L"Das Wort",
     L"Enthalten in %s"},
    {"FRA", MAKELANGID(LANG_FRENCH, SUBLANG_NEUTRAL), L"Options", L"Options de traduction", L"OK", L"Le mot",
     L"Inclus dans %s"},
    {"ESN", MAKELANGID(LANG_SPANISH, SUBLANG_NEUTRAL), L"Opciones", L"Opciones de traducción", L"Aceptar",
     L"La palabra", L"Incluido en %s"},
    {"RUS", MAKELANGID(LANG_RUSSIAN, SUBLANG_NEUTRAL), L"Настройки", L"Параметры перевода", L"OK", L"Слово",
     L"Входит в %s"},
};

std::wstring ExeFolder() { return platform::ModuleFolder(nullptr); }

std::wstring LibraryPath(const Language& l) {
  return ExeFolder() + L"lang\\TessivaRes" + std::wstring(l.code, l.code + 3) + L".dll";
}

// String id of the module's block in that language; "(no block)" when it has none.
std::wstring StringIn(HMODULE module, UINT id, LANGID language) {
  HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
  if (!found) return L"(no block)";
  const wchar_t* p = static_cast<const wchar_t*>(LockResource(LoadResource(module, found)));
  for (UINT i = 0; i < id % 16; ++i) p += 1 + *p;
  return std::wstring(p + 1, *p);
}

// The bytes of every resource of the type that the module carries in exactly
// that language, by resource id.
std::map<UINT, std::string> ResourcesIn(HMODULE module, LPCWSTR type, LANGID language) {
  std::map<UINT, std::string> found;
  for (const auto& [id, inLanguage] : testsupport::ModuleResources(module, type)) {
    if (inLanguage != language) continue;
    HRSRC resource = FindResourceExW(module, type, MAKEINTRESOURCEW(id), language);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    found[id] = std::string(bytes, bytes ? SizeofResource(module, resource) : 0);
  }
  return found;
}

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
  const std::wstring path = LibraryPath(l);
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

// The popups and the about box of the server connector speak the library's
// language too: every string as Tessiva carries it in that language, the
// popup menu and the about box's template.
TEST_P(LanguageResources, TheLibraryCarriesThePopupsAndTheAboutBox) {
  const Language l = GetParam();
  HMODULE tessiva = LoadLibraryExW((ExeFolder() + L"Tessiva.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, tessiva);
  HMODULE library = LoadLibraryW(LibraryPath(l).c_str());
  ASSERT_NE(nullptr, library) << l.code;
  std::vector<UINT> strings = {IDS_USER_DICTIONARY,      IDS_POPUP_WORD,         IDS_POPUP_HEADING,
                               IDS_POPUP_NOT_FOUND,      IDS_POPUP_CHECK_LANGUAGE_PAIR, IDS_POPUP_BANG,
                               IDS_INTERFACE_LANGUAGE,   IDS_SPECIALIZED_DICTIONARY, IDS_POPUP_INFORMATION_ABOUT,
                               IDS_POPUP_INACCESSIBLE,   IDS_VQD_ABOUT_BUILD,    IDS_VQD_ABOUT_FAMILY};
  for (UINT caption = 128; caption <= 155; ++caption) strings.push_back(caption);  // parts of speech
  for (UINT id : strings) {
    const std::wstring expected = StringIn(tessiva, id, l.id);
    EXPECT_NE(L"(no block)", expected) << l.code << " string " << id << " in Tessiva";
    EXPECT_EQ(expected, StringIn(library, id, l.id)) << l.code << " string " << id;
  }
  EXPECT_NE(nullptr, FindResourceExW(library, RT_MENU, MAKEINTRESOURCEW(IDR_POPUP_MENU), l.id)) << l.code;
  EXPECT_NE(nullptr, FindResourceExW(library, RT_DIALOG, MAKEINTRESOURCEW(IDD_VQD_ABOUT), l.id)) << l.code;

  // What the popups and the about box load once the library is chosen.
  platform::SetResourceInstance(library);
  const std::wstring word = platform::LoadResourceString(IDS_POPUP_WORD);
  const std::wstring family = platform::LoadResourceString(IDS_VQD_ABOUT_FAMILY);
  HMENU menu = LoadMenuW(platform::ResourceInstance(), MAKEINTRESOURCEW(IDR_POPUP_MENU));
  platform::SetResourceInstance(nullptr);
  EXPECT_EQ(l.popupWord, word) << l.code;
  EXPECT_EQ(l.aboutFamily, family) << l.code;
  EXPECT_NE(nullptr, menu) << l.code;
  if (menu) DestroyMenu(menu);
  FreeLibrary(library);
  FreeLibrary(tessiva);
}

// The program and the library of a language are built from the same files:
// every dialog, string block and menu of that language is in both, byte for
// byte.
TEST_P(LanguageResources, TheProgramAndTheLibraryCarryTheSameTexts) {
  const Language l = GetParam();
  HMODULE tessiva = LoadLibraryExW((ExeFolder() + L"Tessiva.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, tessiva);
  HMODULE library = LoadLibraryExW(LibraryPath(l).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, library) << l.code;
  const struct {
    LPCWSTR type;
    const char* name;
  } types[] = {{RT_DIALOG, "dialog"}, {RT_STRING, "string block"}, {RT_MENU, "menu"}};
  for (const auto& type : types) {
    const auto inProgram = ResourcesIn(tessiva, type.type, l.id);
    const auto inLibrary = ResourcesIn(library, type.type, l.id);
    EXPECT_FALSE(inProgram.empty()) << l.code << " " << type.name;
    for (const auto& [id, bytes] : inProgram) {
      const auto found = inLibrary.find(id);
      if (found == inLibrary.end())
        ADD_FAILURE() << l.code << " " << type.name << " " << id << " is missing from the library";
      else
        EXPECT_TRUE(found->second == bytes) << l.code << " " << type.name << " " << id << " differs";
    }
    for (const auto& [id, bytes] : inLibrary)
      EXPECT_EQ(1u, inProgram.count(id)) << l.code << " " << type.name << " " << id << " is only in the library";
  }
  FreeLibrary(library);
  FreeLibrary(tessiva);
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageResources, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
}  // namespace dialogstest
