// Reads and writes the product's fixed registry keys: holds the product_registry lock.
#include "shared/ProductFolders.h"
#include "shared/TempFiles.h"

#include "RegistrySandbox.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr const wchar_t* kFolders = L"Software\\Norvasoft\\NRVA9\\Folders";

std::wstring TempPath() {
  wchar_t buffer[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, buffer);
  return buffer;
}

class ProductFoldersTest : public testing::Test {
 protected:
  testsupport::ScopedFixedKey folders_{HKEY_LOCAL_MACHINE, kFolders};
};

TEST_F(ProductFoldersTest, FolderValuesGetOneFinalSeparator) {
  EXPECT_EQ(L"", GetProductFolder()) << "key missing";
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"Root", L"C:\\Prog");
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"AOT", L"C:\\Prog\\AOT/");
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", L"C:\\Shared\\");
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"Common", L"");
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {nullptr, L"C:\\Prog\\"},        {L"Root", L"C:\\Prog\\"}, {L"AOT", L"C:\\Prog\\AOT/"},
      {L"SharedRoot", L"C:\\Shared\\"}, {L"Common", L""},         {L"Missing", L""},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].second, GetProductFolder(cases[i].first)) << "case " << i;
}

TEST_F(ProductFoldersTest, OlderGenerationFoldersAndApplicationPaths) {
  const std::wstring oldFolders = L"Software\\Norvasoft\\NORVA 5\\Folders";
  const std::wstring apps = L"Software\\Norvasoft\\NRVA9\\Apps";
  const std::wstring oldApps = L"Software\\Norvasoft\\NORVA 5\\Apps";
  testsupport::ScopedFixedKey oldFoldersKey(HKEY_LOCAL_MACHINE, oldFolders);
  testsupport::ScopedFixedKey appsKey(HKEY_LOCAL_MACHINE, apps);
  testsupport::ScopedFixedKey oldAppsKey(HKEY_LOCAL_MACHINE, oldApps);
  EXPECT_EQ(L"", GetNamedFolder(0, false));
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, oldFolders, L"Root", L"C:\\Old");
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, oldFolders, L"RootLocal", L"D:\\Local\\");
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"Root", L"C:\\New");
  EXPECT_EQ(L"C:\\Old\\", GetNamedFolder(0, false));
  EXPECT_EQ(L"D:\\Local\\", GetNamedFolder(4, true));
  EXPECT_EQ(L"C:\\Old\\", GetOldProductFolder());

  testsupport::SetRegString(HKEY_LOCAL_MACHINE, apps, L"Editor", L"C:\\New\\edit.exe");
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, oldApps, L"Editor", L"C:\\Old\\edit.exe");
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, oldApps, L"Viewer", L"C:\\Old\\view.exe");
  EXPECT_EQ(L"C:\\New\\edit.exe", GetProductAppPath(L"Editor"));
  EXPECT_EQ(L"C:\\Old\\view.exe", GetProductAppPath(L"Viewer")) << "the older generation's when missing";
  EXPECT_EQ(L"", GetProductAppPath(L"Missing"));
}

TEST_F(ProductFoldersTest, TempFolderFromTheRegistryOrTheSystem) {
  const std::wstring fallback = TempPath() + L"Norvasoft\\NRVA\\9.0\\";
  // The session's prefix is a copy of the build's: a killed run's exchange files may be in it.
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(TempPath() + L"Norvasoft\\NRVA"), ignored);
  EXPECT_EQ(fallback, GetNrvaTempFolder()) << "key missing";
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(fallback.c_str())) << "not created";

  struct Case {
    DWORD type;
    std::wstring text;
    std::wstring expected;
  };
  const Case cases[] = {
      {REG_SZ, L"D:\\T", L"D:\\T\\"},
      {REG_SZ, L"D:\\T\\", L"D:\\T\\"},
      {REG_SZ, L"", fallback},
      {REG_EXPAND_SZ, L"D:\\T", fallback},
      {REG_SZ, L"D:\\" + std::wstring(300, L'x'), fallback},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(cases[i].text.c_str());
    testsupport::SetRegValue(HKEY_LOCAL_MACHINE, kFolders, L"Temp", cases[i].type,
                             std::vector<BYTE>(bytes, bytes + (cases[i].text.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(cases[i].expected, GetNrvaTempFolder()) << "case " << i;
  }
}

TEST_F(ProductFoldersTest, EnsureTempFolderCreatesTheProductTempFolder) {
  testsupport::TempFolder temp;
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"Temp", temp.Path() + L"nrva\\tmp");
  EXPECT_EQ(temp.Path() + L"nrva\\tmp\\", EnsureTempFolder());
  EXPECT_EQ(temp.Path() + L"nrva\\tmp\\pages\\", EnsureTempFolder(L"pages"));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((temp.Path() + L"nrva\\tmp\\pages").c_str()));
}

}  // namespace
