#include "shared/NumberFormat.h"
#include "shared/PathParts.h"
#include "shared/PathStrings.h"

#include "DialogWatcher.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
  const wchar_t* path;
  const wchar_t* folder;
  const wchar_t* fileName;
  const wchar_t* name;
  const wchar_t* extension;
};

TEST(SplitFilePath, PartsOfEachPath) {
  const SplitCase cases[] = {
      {L"C:\\dir\\file.txt", L"C:\\dir\\", L"file.txt", L"file", L"txt"},
      {L"C:\\dir\\README", L"C:\\dir\\", L"README", L"README", L""},
      {L"a.b.c", L"", L"a.b.c", L"a.b", L"c"},
      {L"C:\\dir\\name.", L"C:\\dir\\", L"name.", L"name.", L""},
      {L"C:\\dir\\", L"C:\\dir\\", L"C:\\dir\\", L"C:\\dir\\", L""},
      {L"", L"", L"", L"", L""},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const SplitCase& c = cases[i];
    EXPECT_EQ(c.folder, GetFolderPart(c.path)) << "case " << i;
    EXPECT_EQ(c.fileName, GetFileNamePart(c.path)) << "case " << i;
    EXPECT_EQ(c.name, GetNamePart(c.path)) << "case " << i;
    EXPECT_EQ(c.extension, GetExtensionPart(c.path)) << "case " << i;
  }
}

TEST(PathParts, SplitsIntoFiveParts) {
  const SplitCase cases[] = {
      {L"C:\\dir\\file.txt", L"C:\\dir\\", L"file.txt", L"file", L"txt"},
      {L"C:\\dir\\README", L"C:\\dir\\", L"README", L"README", L""},
      {L".cfg", L"", L".cfg", L".cfg", L""},
      {L"a.b.c", L"", L"a.b.c", L"a.b", L"c"},
      {L"C:\\dir\\", L"C:\\dir\\", L"", L"", L""},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const SplitCase& c = cases[i];
    CPathParts parts(c.path);
    EXPECT_EQ(c.path, parts.FullPath()) << "case " << i;
    EXPECT_EQ(c.folder, parts.Folder()) << "case " << i;
    EXPECT_EQ(c.fileName, parts.FileName()) << "case " << i;
    EXPECT_EQ(c.name, parts.Name()) << "case " << i;
    EXPECT_EQ(c.extension, parts.Extension()) << "case " << i;
  }
}

TEST(PathParts, EditsKeepFullPathEqualToFolderPlusFileName) {
  CPathParts parts(L"C:\\d\\README");
  EXPECT_EQ(L"C:\\d\\x.", parts.SetName(L"x"));
  EXPECT_EQ(L"C:\\d\\x.htm", parts.SetExtension(L"htm"));
  EXPECT_EQ(L"C:\\d\\a.b.c", parts.SetFileName(L"a.b.c"));
  EXPECT_EQ(L"a.b", parts.Name());
  EXPECT_EQ(L"c", parts.Extension());
  EXPECT_EQ(L"D:\\e\\a.b.c", parts.SetFolder(L"D:\\e"));
  EXPECT_EQ(L"D:\\e\\f\\g\\a.b.c", parts.AddSubFolder(L"\\f\\g"));
  EXPECT_EQ(L"D:\\e\\f\\g\\a.b.c", parts.SetFolder(L"")) << "an empty folder changes nothing";
  CPathParts copy = parts;
  copy.SetName(L"other");
  EXPECT_EQ(L"D:\\e\\f\\g\\a.b.c", parts.FullPath()) << "copies are deep";
  EXPECT_EQ(parts.Folder() + parts.FileName(), parts.FullPath());
}

TEST(PathParts, ModuleForms) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  CPathParts own;
  own.AssignModuleName(L"");
  EXPECT_EQ(self, own.FullPath());
  EXPECT_TRUE(own.Exists());

  CPathParts kernel(L"C:\\nowhere\\keep.me");
  kernel.FromModuleName(L"kernel32.dll");
  EXPECT_EQ(L"keep.me", kernel.FileName()) << "FromModule keeps the file name";
  EXPECT_NE(L"C:\\nowhere\\", kernel.Folder());
  EXPECT_FALSE(kernel.Exists());
}

TEST(PathParts, ExistsForDriveRootAndFolderWithSeparator) {
  EXPECT_TRUE(CPathParts(L"C:\\").Exists());
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  EXPECT_TRUE(CPathParts(std::wstring(windows) + L"\\").Exists());
  EXPECT_FALSE(CPathParts(L"C:\\no such folder 7f3a\\").Exists());
}

TEST(PathParts, ShortPathOrTheSystemsMessage) {
  testsupport::TempFolder temp;
  std::wstring file = temp.WriteFile(L"a long file name.text", "x");
  std::wstring shortPath = CPathParts(file).GetShortPath();
  ASSERT_FALSE(shortPath.empty());
  EXPECT_EQ(GetFileAttributesW(file.c_str()), GetFileAttributesW(shortPath.c_str()));
  EXPECT_FALSE(CPathParts(file).GetShortFolder().empty());

  const std::wstring missing = temp.File(L"missing\\file.txt");
  testsupport::DialogWatcher watcher;
  watcher.Press(missing, IDOK);
  EXPECT_EQ(L"", CPathParts(missing).GetShortPath());
  ASSERT_EQ(1u, watcher.Seen().size()) << "the failure is shown with the path as caption";
}

TEST(PathStrings, SeparatorsAndJoins) {
  std::wstring empty;
  EnsureTrailingSeparator(empty);
  EXPECT_EQ(L"", empty);
  std::wstring slash = L"C:/x/";
  EnsureTrailingSeparator(slash);
  EXPECT_EQ(L"C:/x/", slash);
  EXPECT_EQ(L"C:\\a\\b", JoinPath(L"C:\\a", L"b"));
  EXPECT_EQ(L"C:\\a\\b", JoinPath(L"C:\\a\\", L"b"));
  EXPECT_EQ(L"b", JoinPath(L"", L"b"));

  const std::pair<const wchar_t*, const wchar_t*> removes[] = {
      {L"C:\\", L"C:\\"}, {L"C:\\a\\", L"C:\\a"}, {L"C:\\a/", L"C:\\a"}, {L"\\", L"\\"}, {L"abc", L"abc"}, {L"", L""}};
  for (size_t i = 0; i < std::size(removes); ++i)
    EXPECT_EQ(removes[i].second, RemoveTrailingSeparator(removes[i].first)) << "case " << i;
}

TEST(PathStrings, Extensions) {
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> replaces[] = {
      {L"C:\\a\\b.txt", L"htm", L"C:\\a\\b.htm"},
      {L"C:\\a\\b.txt", L".htm", L"C:\\a\\b.htm"},
      {L"C:\\a.d\\b", L"htm", L"C:\\a.d\\b.htm"},
      {L"C:\\a\\.cfg", L"bak", L"C:\\a\\.cfg.bak"},
      {L"b.txt", L"", L"b"},
  };
  for (size_t i = 0; i < std::size(replaces); ++i) {
    auto [path, extension, expected] = replaces[i];
    EXPECT_EQ(expected, ReplaceExtension(path, extension)) << "case " << i;
  }
  EXPECT_EQ(L"C:\\a\\b.txt", AddDefaultExtension(L"C:\\a\\b.txt", L"htm"));
  EXPECT_EQ(L"C:\\a\\b.htm", AddDefaultExtension(L"C:\\a\\b", L"htm"));
}

TEST(PathStrings, FindByte) {
  const char data[] = {'a', 'b', '\0', 'c'};
  EXPECT_EQ(std::optional<size_t>(3), FindByte(data, 'c', 4));
  EXPECT_EQ(std::nullopt, FindByte(data, 'c', 3)) << "never looks past the length";
  EXPECT_EQ(std::nullopt, FindByte(nullptr, 'c', 3));
}

TEST(NumberFormat, GroupsOfThreeDigits) {
  const std::pair<uint32_t, const wchar_t*> unsignedCases[] = {
      {0, L"0"}, {999, L"999"}, {1000, L"1,000"}, {1234567, L"1,234,567"}, {4294967295u, L"4,294,967,295"}};
  for (size_t i = 0; i < std::size(unsignedCases); ++i)
    EXPECT_EQ(unsignedCases[i].second, FormatNumber(unsignedCases[i].first)) << "case " << i;
  const std::pair<int32_t, const wchar_t*> signedCases[] = {
      {-1234, L"-1,234"}, {0, L"0"}, {-999, L"-999"}, {1000000, L"1,000,000"}, {INT32_MIN, L"-2,147,483,648"}};
  for (size_t i = 0; i < std::size(signedCases); ++i)
    EXPECT_EQ(signedCases[i].second, FormatSignedNumber(signedCases[i].first)) << "case " << i;
}

}  // namespace
