// Whole-file writes of the host files the switches change.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "TempFolder.h"
#include "extmanager/hostfiles/TextFiles.h"
#include "extmanager/probes/FolderEntries.h"

namespace {

std::set<std::wstring> Names(const testsupport::TempFolder& folder) {
  std::set<std::wstring> names;
  for (const WIN32_FIND_DATAW& entry : FolderEntries(folder.File(L"*"))) names.insert(entry.cFileName);
  return names;
}

// The write goes through a new file of its own: a file beside the target
// that has the name another writer might pick, whether someone's own or held
// open by another program, is neither taken nor in the way.
TEST(ReplaceFileContents, TouchesNoOtherFileBesideTheTarget) {
  testsupport::TempFolder folder;
  std::wstring prefs = folder.WriteFile(L"operaprefs.ini", "old prefs");
  std::wstring plugins = folder.WriteFile(L"plugins.ini", "old plugins");
  std::wstring mine = folder.WriteFile(L"operaprefs.ini.quenlo-new", "the user's own");
  std::wstring busy = folder.WriteFile(L"plugins.ini.quenlo-new", "another program's");
  HANDLE held = CreateFileW(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  const std::set<std::wstring> before = Names(folder);

  EXPECT_TRUE(ReplaceFileContents(prefs, "new prefs"));
  EXPECT_TRUE(ReplaceFileContents(plugins, "new plugins")) << "a held file beside it is not in the way";
  CloseHandle(held);
  EXPECT_EQ("new prefs", testsupport::ReadWholeFile(prefs));
  EXPECT_EQ("new plugins", testsupport::ReadWholeFile(plugins));
  EXPECT_EQ("the user's own", testsupport::ReadWholeFile(mine));
  EXPECT_EQ("another program's", testsupport::ReadWholeFile(busy));
  EXPECT_EQ(before, Names(folder)) << "no file came or went";
}

TEST(ReplaceFileContents, ARefusedWriteLeavesTheTargetAndNoNewFile) {
  testsupport::TempFolder folder;
  std::wstring readOnly = folder.WriteFile(L"read-only.ini", "kept");
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  std::wstring other = folder.WriteFile(L"other.ini", "kept too");
  const std::set<std::wstring> before = Names(folder);

  EXPECT_FALSE(ReplaceFileContents(readOnly, "lost"));
  std::wstring refused = folder.Path().substr(0, folder.Path().size() - 1);
  RefuseNewFilesIn() = [refused](const std::wstring& where) { return where == refused; };
  EXPECT_FALSE(ReplaceFileContents(other, "lost"));
  RefuseNewFilesIn() = nullptr;
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("kept", testsupport::ReadWholeFile(readOnly));
  EXPECT_EQ("kept too", testsupport::ReadWholeFile(other));
  EXPECT_EQ(before, Names(folder));
}

}  // namespace
