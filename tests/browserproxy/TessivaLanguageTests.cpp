// Tessiva carries its strings and its progress dialog in English, German,
// French, Spanish and Russian. Windows takes the block of the user's
// interface language, else that language's neutral-sublanguage block, else
// English. Wine without the Unix locales installed cannot switch a process's
// interface language, so the table reads each language's block the way the
// loader looks it up, and one test checks that the loader itself picks the
// block of the interface language this process runs in.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ChildProcess.h"
#include "browserproxy/res/resource.h"
#include "browserproxy/ui/ProgressDlgResources.h"

namespace {

struct LanguageCase {
  LANGID language;
  const char* name;
  const wchar_t* pageTranslation;
  const wchar_t* firefoxTitle;
  const wchar_t* cancel;
};

const LanguageCase kCases[] = {
    {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), "English", L"Page Translation", L"NORVA for Mozilla FireFox",
     L"Cancel"},
    {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), "English (United Kingdom)", L"Page Translation",
     L"NORVA for Mozilla FireFox", L"Cancel"},
    {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), "German", L"Übersetzung der Seite", L"NORVA für Mozilla FireFox",
     L"Abbrechen"},
    {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN), "German (Austria)", L"Übersetzung der Seite",
     L"NORVA für Mozilla FireFox", L"Abbrechen"},
    {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), "French", L"Traduction de la page", L"NORVA pour Mozilla FireFox",
     L"Annuler"},
    {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH_CANADIAN), "French (Canada)", L"Traduction de la page",
     L"NORVA pour Mozilla FireFox", L"Annuler"},
    {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN), "Spanish", L"Traducción de la página",
     L"NORVA para Mozilla FireFox", L"Cancelar"},
    {MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA), "Russian", L"Перевод страницы", L"NORVA для Mozilla FireFox",
     L"Отмена"},
    {MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), "Japanese: English", L"Page Translation",
     L"NORVA for Mozilla FireFox", L"Cancel"},
};

class TessivaResources {
 public:
  TessivaResources()
      : module_(LoadLibraryExW(testsupport::SiblingPath(L"Tessiva.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~TessivaResources() {
    if (module_) FreeLibrary(module_);
  }
  bool Loaded() const { return module_ != nullptr; }

  // The resource of that type and name in the block the loader takes for an
  // interface language; language 0 leaves the choice to the loader.
  HRSRC Find(const wchar_t* type, const wchar_t* name, LANGID language) const {
    if (language == 0) return FindResourceW(module_, name, type);
    const LANGID candidates[] = {language, static_cast<LANGID>(MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL)),
                                 static_cast<LANGID>(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US))};
    for (LANGID candidate : candidates) {
      if (HRSRC found = FindResourceExW(module_, type, name, candidate)) return found;
    }
    return nullptr;
  }
  std::wstring String(UINT id, LANGID language) const {
    HRSRC found = Find(RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (!found) return L"(no block)";
    const wchar_t* p = static_cast<const wchar_t*>(LockResource(LoadResource(module_, found)));
    for (UINT i = 0; i < id % 16; ++i) p += 1 + *p;
    return std::wstring(p + 1, *p);
  }
  // The Cancel button's text in the progress dialog's template.
  std::wstring DialogCancel(LANGID language) const {
    HRSRC found = Find(RT_DIALOG, MAKEINTRESOURCEW(IDD_PROGRESS), language);
    if (!found) return L"(no dialog)";
    const wchar_t* data = static_cast<const wchar_t*>(LockResource(LoadResource(module_, found)));
    std::wstring raw(data, SizeofResource(module_, found) / sizeof(wchar_t));
    for (const LanguageCase& c : kCases)
      if (raw.find(std::wstring(c.cancel) + L'\0') != std::wstring::npos) return c.cancel;
    return L"(unknown)";
  }

 private:
  HMODULE module_;
};

class TessivaLanguage : public testing::TestWithParam<LanguageCase> {};

TEST_P(TessivaLanguage, StringsAndTheProgressDialogComeInTheInterfaceLanguage) {
  const LanguageCase& c = GetParam();
  TessivaResources tessiva;
  ASSERT_TRUE(tessiva.Loaded());
  EXPECT_EQ(c.pageTranslation, tessiva.String(IDS_PAGE_TRANSLATION, c.language)) << c.name;
  EXPECT_EQ(c.firefoxTitle, tessiva.String(IDS_TITLE_FIREFOX, c.language)) << c.name;
  EXPECT_EQ(c.cancel, tessiva.DialogCancel(c.language)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Languages, TessivaLanguage, testing::ValuesIn(kCases));

// What the program's own loads (no language named) get in this process is
// the block of the user's interface language.
TEST(TessivaLanguageChoice, TheLoaderTakesTheBlockOfTheUsersInterfaceLanguage) {
  TessivaResources tessiva;
  ASSERT_TRUE(tessiva.Loaded());
  const LANGID user = GetUserDefaultUILanguage();
  for (UINT id : {IDS_PAGE_TRANSLATION, IDS_SELECT_TEXT_HINT, IDS_NO_TRANSLATION_PROFILE})
    EXPECT_EQ(tessiva.String(id, user), tessiva.String(id, 0)) << "string " << id << ", language " << user;
  EXPECT_EQ(tessiva.DialogCancel(user), tessiva.DialogCancel(0));
}

}  // namespace
