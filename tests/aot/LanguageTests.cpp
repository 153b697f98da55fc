// The interface language of the module: its dialogs come from
// OMBRELResENU.dll when the product's language is English, and from its own
// Russian resources when no library of the language is found. Each case runs
// a new script client process, which loads the module afresh.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "AnalyzerTestSupport.h"
#include "ChildProcess.h"
#include "DialogWatcher.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"

namespace {

using namespace ombreltests;

constexpr wchar_t kProduct[] = L"SOFTWARE\\Norvasoft\\NRVA9";

struct LanguageCase {
  const char* name;
  DWORD languageId;
  const wchar_t* setupTitle;
};

class InterfaceLanguage : public AnalyzerTest, public testing::WithParamInterface<LanguageCase> {
 protected:
  testsupport::ScopedFixedKey product_{HKEY_LOCAL_MACHINE, kProduct};
  testsupport::TempFolder folder_;
};

TEST_P(InterfaceLanguage, SetupDialogComesFromTheLanguagesLibraryOrTheModule) {
  testsupport::SetRegDword(HKEY_LOCAL_MACHINE, kProduct, L"NrvaLangID", GetParam().languageId);
  const std::wstring script = folder_.Path() + L"setup.vbs";
  std::ofstream(script.c_str(), std::ios::binary)
      << "Set a = CreateObject(\"Norva5.TemplateSemiAnalyzer\")\r\n"
         "a.Initialize \"language\", &H20001\r\n"
         "a.DlgSetup\r\n"
         "WScript.Echo \"closed\"\r\n";
  testsupport::DialogWatcher watcher(true);
  watcher.Press(GetParam().setupTitle, IDCANCEL);
  testsupport::ChildResult result = testsupport::RunChild(L"cscript //nologo \"" + script + L"\"", 60000);
  EXPECT_FALSE(result.timedOut);
  EXPECT_TRUE(watcher.WaitSeen(GetParam().setupTitle, 0)) << GetParam().name;
  EXPECT_NE(std::string::npos, result.output.find("closed")) << result.output;
}

INSTANTIATE_TEST_SUITE_P(
    Languages, InterfaceLanguage,
    testing::Values(LanguageCase{"English", 0x409, L"Translation profile detection by keywords"},
                    LanguageCase{"RussianBuiltIn", 0x419, L"Настройка определения профиля перевода по ключевым словам"},
                    LanguageCase{"FrenchWithoutLibrary", 0x40C,
                                 L"Настройка определения профиля перевода по ключевым словам"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
