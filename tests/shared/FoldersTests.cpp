#include "shared/ProductFolders.h"
#include "shared/TempFiles.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

std::wstring WindowsFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetWindowsDirectoryW(buffer, MAX_PATH);
  return buffer;
}

std::wstring SystemFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetSystemDirectoryW(buffer, MAX_PATH);
  return buffer;
}

std::wstring TempPath() {
  wchar_t buffer[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, buffer);
  return buffer;
}

std::wstring UserName() {
  wchar_t buffer[260] = {};
  DWORD length = 260;
  GetUserNameW(buffer, &length);
  return buffer;
}

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(NamedFolder, FixedFolders) {
  const std::pair<unsigned, std::wstring> cases[] = {
      {1, WindowsFolder() + L"\\"},
      {2, SystemFolder() + L"\\"},
      {3, WindowsFolder() + L"\\System\\"},
      {15, TempPath()},
      {23, WindowsFolder() + L"\\Cursors\\"},
      {24, WindowsFolder() + L"\\Help\\"},
      {25, WindowsFolder() + L"\\Inf\\"},
      {27, WindowsFolder() + L"\\Profiles\\"},
      {28, WindowsFolder() + L"\\ShellNew\\"},
      {29, WindowsFolder() + L"\\Profiles\\" + UserName() + L"\\"},
      {30, L""},
      {1000, L""},
  };
  for (const auto& [id, expected] : cases)
    for (bool common : {false, true}) EXPECT_EQ(expected, GetNamedFolder(id, common)) << "id " << id;
}

TEST(NamedFolder, ShellFolders) {
  for (unsigned id : {5u, 10u, 17u}) {
    std::wstring folder = GetNamedFolder(id, false);
    ASSERT_FALSE(folder.empty()) << "id " << id;
    EXPECT_EQ(L'\\', folder.back()) << "id " << id;
  }
  wchar_t documents[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents);
  EXPECT_EQ(std::wstring(documents) + L"\\", GetNamedFolder(10, false));
  EXPECT_EQ(L"", GetShellFolder(0x7777)) << "an unknown shell folder";
}

TEST(NamedFolder, FoldersNamedInTheRegistry) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                                         KEY_READ, &key));
  wchar_t programFiles[MAX_PATH] = {};
  DWORD size = sizeof(programFiles);
  LONG rc = RegQueryValueExW(key, L"ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(programFiles), &size);
  RegCloseKey(key);
  ASSERT_EQ(ERROR_SUCCESS, rc);
  EXPECT_EQ(std::wstring(programFiles) + L"\\", GetNamedFolder(11, false));
  EXPECT_EQ(programFiles, GetWindowsCurrentVersionFolder(L"ProgramFilesDir")) << "no separator added";
  EXPECT_EQ(L"", GetWindowsCurrentVersionFolder(L"NoSuchValue"));
  EXPECT_EQ(L"", GetShellFolderValue(L"NoSuchValue", true));
}

TEST(NamedFolder, WindowsAndSystemSubFolders) {
  EXPECT_EQ(WindowsFolder(), GetWindowsSubFolder());
  EXPECT_EQ(WindowsFolder() + L"\\Fonts", GetWindowsSubFolder(L"Fonts"));
  EXPECT_EQ(SystemFolder() + L"\\drivers", GetSystemSubFolder(L"drivers"));
}

TEST(ModulePaths, NamesOfTheRunningProgram) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  std::wstring stem = path.substr(0, path.rfind(L'.'));
  EXPECT_EQ(path, GetModulePath(nullptr));
  EXPECT_EQ(path.substr(0, path.rfind(L'\\') + 1), GetModuleFolder(nullptr));
  EXPECT_EQ(stem + L".ini", GetModuleSiblingPath("ini", nullptr));
  EXPECT_EQ(stem + L".log", GetModuleSiblingPath(".log", nullptr));
  EXPECT_EQ(stem + L"._x.cfg", GetModuleSiblingPath("_x.cfg", nullptr));
}

TEST(CreateDirectoryPath, CreatesEveryMissingLevel) {
  testsupport::TempFolder temp;
  CreateDirectoryPath(temp.Path() + L"a\\b\\c\\");
  EXPECT_TRUE(IsFolder(temp.Path() + L"a"));
  EXPECT_TRUE(IsFolder(temp.Path() + L"a\\b"));
  EXPECT_TRUE(IsFolder(temp.Path() + L"a\\b\\c"));
  CreateDirectoryPath(temp.Path() + L"a\\b\\d");
  EXPECT_TRUE(IsFolder(temp.Path() + L"a\\b\\d")) << "below existing levels";
  CreateDirectoryPath(L"");
}

TEST(TempFileNames, MadeInTheFolderOrEmptyOnFailure) {
  testsupport::TempFolder temp;
  std::wstring named = MakeTempFileName(temp.Path(), L"abc");
  ASSERT_FALSE(named.empty());
  EXPECT_EQ(0u, named.find(temp.Path() + L"abc"));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(named.c_str())) << "the file is created";
  for (const wchar_t* prefix : {static_cast<const wchar_t*>(nullptr), L""}) {
    std::wstring unnamed = MakeTempFileName(temp.Path(), prefix);
    EXPECT_EQ(0u, unnamed.find(temp.Path() + L"xst")) << "default prefix";
  }
  EXPECT_EQ(L"", MakeTempFileName(temp.Path() + L"missing\\folder\\")) << "no garbage on failure";

  std::wstring inWindowsTemp;
  ASSERT_TRUE(MakeTempFileNameIn(inWindowsTemp, L"nrv", true));
  EXPECT_EQ(0u, inWindowsTemp.find(TempPath()));
  DeleteFileW(inWindowsTemp.c_str());

  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  SetCurrentDirectoryW(temp.Path().c_str());
  std::wstring here = L"unchanged";
  EXPECT_TRUE(MakeTempFileNameIn(here, L"", false));
  SetCurrentDirectoryW(current);
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((temp.Path() + here.substr(here.rfind(L'\\') + 1)).c_str()))
      << "made in the current folder: " << std::string(here.begin(), here.end());
}

TEST(TempFolders, WindowsTempFolderExists) {
  EXPECT_EQ(TempPath(), GetWindowsTempFolder());
  EXPECT_TRUE(IsFolder(GetWindowsTempFolder()));
}

}  // namespace
