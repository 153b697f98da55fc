// Chooses resource libraries by the product's "NrvaLangID" and "SharedRoot":
// holds the product_registry lock.
#include "shared/ResourceLanguage.h"

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const wchar_t* kProduct = L"Software\\Norvasoft\\NRVA9";
constexpr const wchar_t* kFolders = L"Software\\Norvasoft\\NRVA9\\Folders";

void SetLanguage(DWORD id) { testsupport::SetRegDword(HKEY_LOCAL_MACHINE, kProduct, L"NrvaLangID", id); }
void SetSharedRoot(const std::wstring& folder) {
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", folder);
}

std::string Utf8(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

class ResourceLanguageTest : public testing::Test {
 protected:
  testsupport::ScopedFixedKey product_{HKEY_LOCAL_MACHINE, kProduct};
};

TEST_F(ResourceLanguageTest, LibraryNameFromTheLanguageSetting) {
  EXPECT_EQ(0u, ReadNrvaLangId());
  EXPECT_EQ(L"", BuildResourceDllName(L"Tessiva")) << "setting missing";
  const std::pair<DWORD, const wchar_t*> cases[] = {
      {0, L""},
      {0x0407, L"TessivaResDEU.dll"},
      {0x0409, L"TessivaResENU.dll"},
      {0x0809, L"TessivaResENU.dll"},
      {0x0C0A, L"TessivaResESN.dll"},
      {0x040C, L"TessivaResFRA.dll"},
      {0x0816, L"TessivaResPTB.dll"},
      {0x0419, L"TessivaResRUS.dll"},
      {0x0422, L"TessivaResUKR.dll"},
      {0x0427, L"TessivaResLTH.dll"},
      {0x0411, L""},
      {0x0410, L""},
  };
  for (const auto& [id, expected] : cases) {
    SetLanguage(id);
    EXPECT_EQ(id, ReadNrvaLangId());
    EXPECT_EQ(expected, BuildResourceDllName(L"Tessiva")) << "language " << std::hex << id;
  }
  testsupport::SetRegValue(HKEY_LOCAL_MACHINE, kProduct, L"NrvaLangID", REG_BINARY, {0x19, 0x04, 0, 0});
  EXPECT_EQ(0x419u, ReadNrvaLangId()) << "the type is not tested";
  testsupport::SetRegValue(HKEY_LOCAL_MACHINE, kProduct, L"NrvaLangID", REG_BINARY, {0x19, 0x04, 0, 0, 0, 0});
  EXPECT_EQ(0u, ReadNrvaLangId()) << "more than four bytes";
}

TEST_F(ResourceLanguageTest, LibraryPathInTheFolderOrBelowSharedRoot) {
  SetLanguage(1033);
  EXPECT_EQ(L"C:\\App\\xResENU.dll", FindResourceDllPath(L"x", L"C:\\App"));
  EXPECT_EQ(L"C:\\App\\xResENU.dll", FindResourceDllPath(L"x", L"C:\\App\\"));
  EXPECT_EQ(L"", FindResourceDllPath(L"x", L"")) << "no Folders key";
  SetSharedRoot(L"");
  EXPECT_EQ(L"", FindResourceDllPath(L"x", L"")) << "empty SharedRoot";
  SetSharedRoot(L"C:\\Shared");
  EXPECT_EQ(L"C:\\Shared\\1033\\xResENU.dll", FindResourceDllPath(L"x", L"")) << "the whole setting names the folder";
  SetSharedRoot(L"C:\\Shared\\");
  EXPECT_EQ(L"C:\\Shared\\1033\\xResENU.dll", FindResourceDllPath(L"x", L""));
  SetLanguage(0x0411);
  EXPECT_EQ(L"", FindResourceDllPath(L"x", L"C:\\App"));
  EXPECT_EQ(L"", FindResourceDllPath(L"x", L""));
}

// The probe program installed in a folder of its own, beside a shared folder.
class ResourceLibraryChoiceTest : public ResourceLanguageTest {
 protected:
  void SetUp() override {
    CreateDirectoryW(app().c_str(), nullptr);
    CreateDirectoryW(shared().c_str(), nullptr);
    ASSERT_NO_FATAL_FAILURE(Install(L"langprobe.exe", app() + L"langprobe.exe"));
    SetSharedRoot(shared());
  }

  std::wstring app() const { return temp_.Path() + L"app\\"; }
  std::wstring shared() const { return temp_.Path() + L"shared\\"; }

  // Copies a file built into bin\langres\ to `to`, creating its folder.
  static void Install(const std::wstring& built, const std::wstring& to) {
    CreateDirectoryW(to.substr(0, to.rfind(L'\\')).c_str(), nullptr);
    const bool copied = CopyFileW(testsupport::SiblingPath(L"langres\\" + built).c_str(), to.c_str(), FALSE);
    const DWORD error = copied ? 0 : GetLastError();
    ASSERT_TRUE(copied) << Utf8(built) << " -> " << Utf8(to) << ", error " << error;
  }

  // What the probe loaded: "path=...\nstring=...\n".
  std::string Run(const std::wstring& program = L"langprobe.exe", const wchar_t* arguments = L"") {
    testsupport::ChildResult result = testsupport::RunChild(L"\"" + app() + program + L"\" " + arguments, 30000);
    EXPECT_TRUE(result.started) << Utf8(program) << ", error " << result.startError;
    EXPECT_FALSE(result.timedOut) << Utf8(program);
    return result.output;
  }
  static std::string Loaded(const std::wstring& path, const std::string& text) {
    return "path=" + Utf8(path) + "\nstring=" + text + "\n";
  }

  testsupport::TempFolder temp_;
};

TEST_F(ResourceLibraryChoiceTest, NoSettingKeepsTheOwnResources) {
  Install(L"langprobeResENU.dll", app() + L"langprobeResENU.dll");
  Install(L"langprobeResENU.dll", shared() + L"0\\langprobeResENU.dll");
  EXPECT_EQ(Loaded(L"", "own"), Run()) << "setting missing";
  SetLanguage(0);
  EXPECT_EQ(Loaded(L"", "own"), Run()) << "setting 0";
}

TEST_F(ResourceLibraryChoiceTest, LibraryBesideTheModuleComesFirst) {
  SetLanguage(1049);
  Install(L"langprobeResRUS.dll", app() + L"langprobeResRUS.dll");
  Install(L"langprobeResRUS.dll", shared() + L"1049\\langprobeResRUS.dll");
  EXPECT_EQ(Loaded(app() + L"langprobeResRUS.dll", "Русский"), Run());
}

TEST_F(ResourceLibraryChoiceTest, SharedFolderNamedByTheWholeSetting) {
  SetLanguage(1033);
  Install(L"langprobeResPTB.dll", shared() + L"9\\langprobeResENU.dll");
  Install(L"langprobeResENU.dll", shared() + L"1033\\langprobeResENU.dll");
  EXPECT_EQ(Loaded(shared() + L"1033\\langprobeResENU.dll", "English"), Run());
}

TEST_F(ResourceLibraryChoiceTest, PortugueseOfPortugalUsesPtb) {
  SetLanguage(0x0816);
  Install(L"langprobeResPTB.dll", app() + L"langprobeResPTB.dll");
  EXPECT_EQ(Loaded(app() + L"langprobeResPTB.dll", "Português"), Run());
}

TEST_F(ResourceLibraryChoiceTest, LanguageOutsideTheTableKeepsTheOwnResources) {
  SetLanguage(0x0411);
  Install(L"langprobeResENU.dll", app() + L"langprobeResENU.dll");
  Install(L"langprobeResENU.dll", shared() + L"1041\\langprobeResENU.dll");
  EXPECT_EQ(Loaded(L"", "own"), Run());
}

TEST_F(ResourceLibraryChoiceTest, FallsBackToTheSharedFolderThenToTheOwnResources) {
  SetLanguage(1049);
  temp_.WriteFile(L"app\\langprobeResRUS.dll", "not a library");
  EXPECT_EQ(Loaded(L"", "own"), Run()) << "nothing loadable";
  Install(L"langprobeResRUS.dll", shared() + L"1049\\langprobeResRUS.dll");
  EXPECT_EQ(Loaded(shared() + L"1049\\langprobeResRUS.dll", "Русский"), Run());
}

TEST_F(ResourceLibraryChoiceTest, FirefoxPluginAlwaysLooksForFervix9) {
  SetLanguage(1049);
  Install(L"langprobe.exe", app() + L"renamed.exe");
  Install(L"fervix9ResRUS.dll", app() + L"fervix9ResRUS.dll");
  EXPECT_EQ(Loaded(app() + L"fervix9ResRUS.dll", "Русский"), Run(L"renamed.exe", L"--fervix"));
  EXPECT_EQ(Loaded(L"", "own"), Run(L"renamed.exe")) << "other deliverables use their own file name";
}

}  // namespace
