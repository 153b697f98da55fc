#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "DialogWatcher.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"

using namespace testsupport;

TEST(ChildProcess, CapturesOutputAndExitCode) {
  ChildResult r = RunChild(L"\"" + SiblingPath(L"test_child.exe") + L"\" exit 7", 30000);
  ASSERT_TRUE(r.started) << "error " << r.startError;
  EXPECT_EQ(0u, r.startError);
  EXPECT_FALSE(r.timedOut);
  EXPECT_EQ(7u, r.exitCode);
  EXPECT_NE(std::string::npos, r.output.find("child says hello")) << r.output;
}

TEST(ChildProcess, SaysWhyAChildDidNotStart) {
  TempFolder temp;
  ChildResult r = RunChild(L"\"" + temp.File(L"missing.exe") + L"\"", 30000);
  EXPECT_FALSE(r.started);
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), r.startError);
}

TEST(ChildProcess, EndsAChildThatOutlivesItsTimeOut) {
  DWORD start = GetTickCount();
  ChildResult r = RunChild(L"\"" + SiblingPath(L"test_child.exe") + L"\" sleep 60000", 1000);
  EXPECT_TRUE(r.timedOut);
  EXPECT_LT(GetTickCount() - start, 20000u);
}

TEST(DialogWatcher, AnswersAMessageBoxOfThisProcess) {
  DialogWatcher watcher;
  watcher.Press(L"Watcher test", IDNO);
  int answer = MessageBoxW(nullptr, L"Press No", L"Watcher test", MB_YESNO);
  EXPECT_EQ(IDNO, answer);
  auto seen = watcher.Seen();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(L"Watcher test", seen.front().title);
  bool hasText = false;
  for (const auto& t : seen.front().texts) hasText |= (t == L"Press No");
  EXPECT_TRUE(hasText);
}

TEST(RegistrySandbox, RemovesItsTreeAfterwards) {
  std::wstring path;
  {
    RegistrySandbox sandbox;
    path = sandbox.Path();
    SetRegDword(sandbox.Root(), sandbox.Sub(L"a\\b"), L"v", 5);
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(GetRegValue(sandbox.Root(), sandbox.Sub(L"a\\b"), L"v", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  }
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, path));
}

TEST(TempFolder, RemovesItsFilesAfterwards) {
  std::wstring file;
  {
    TempFolder folder;
    file = folder.WriteFile(L"x.txt", "abc");
    EXPECT_EQ("abc", ReadWholeFile(file));
  }
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(file.c_str()));
}
