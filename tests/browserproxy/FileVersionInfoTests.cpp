// The version block reader, over Tessiva.exe's own version resource.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "TempFolder.h"
#include "browserproxy/ui/FileVersionInfo.h"

namespace {

TEST(FileVersionInfo, StringsOfTheUnicodeTableAreFoundOnTheSecondTry) {
  CFileVersionInfo info;
  ASSERT_TRUE(info.LoadFromFile(testsupport::SiblingPath(L"Tessiva.exe")));
  EXPECT_EQ(0x00090000u, info.FixedInfo().dwFileVersionMS);
  EXPECT_EQ(L"9.0.0.1", info.GetString(L"FileVersion", 0x040904E4)) << "only a 040904B0 table exists";
  EXPECT_EQ(L"NORVA", info.GetString(L"ProductName", 0x040904B0));
  EXPECT_EQ(L"", info.GetString(L"NoSuchValue", 0x040904E4));
  EXPECT_EQ(L"", info.GetString(L"FileVersion", 0x041904E4)) << "another language";
}

TEST(FileVersionInfo, ValuesAreCopiedOnlyWhenTheyFit) {
  CFileVersionInfo info;
  ASSERT_TRUE(info.LoadFromFile(testsupport::SiblingPath(L"Tessiva.exe")));
  const std::wstring path = L"\\StringFileInfo\\040904B0\\ProductName";
  UINT length = info.QueryValueLength(path);
  EXPECT_EQ(6u, length);
  wchar_t buffer[16] = {};
  EXPECT_FALSE(info.QueryValue(path, buffer, 4));
  EXPECT_EQ(L'\0', buffer[0]);
  EXPECT_TRUE(info.QueryValue(path, buffer, length * sizeof(wchar_t)));
  EXPECT_STREQ(L"NORVA", buffer);
}

TEST(FileVersionInfo, AFileWithoutAVersionBlockGivesNothing) {
  testsupport::TempFolder folder;
  CFileVersionInfo info;
  EXPECT_FALSE(info.LoadFromFile(folder.WriteFile(L"plain.txt", "no version here")));
  EXPECT_FALSE(info.LoadFromFile(folder.File(L"missing.dll")));
  EXPECT_EQ(0u, info.DataSize());
  EXPECT_EQ(L"", info.GetString(L"FileVersion", 0x040904E4));
  EXPECT_TRUE(info.LoadFromModule(GetModuleHandleW(L"kernel32.dll")));
}

}  // namespace
