#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "ChildProcess.h"
#include "DialogWatcher.h"
#include "RegistrySandbox.h"
#include "ServerProcess.h"
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

// A process names its parent by id, and an id is given again once its
// process is gone: a process that outlived its parent is not the child of
// the id's next holder (a test program with the id of the process that
// started Wine's services ended them as its servers).
TEST(ServerProcess, AProcessThatOutlivedItsParentIsNotTheChildOfTheIdsNextHolder) {
  auto lists = [](const std::vector<DWORD>& ids, DWORD id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
  ChildResult parent = RunChild(L"\"" + SiblingPath(L"test_child.exe") + L"\" spawn 60000", 30000);
  ASSERT_TRUE(parent.started && !parent.timedOut);
  ASSERT_EQ(0u, parent.exitCode);
  unsigned long id = 0;
  ASSERT_EQ(1, std::sscanf(parent.output.c_str(), "started %lu", &id)) << parent.output;
  ServerProcess orphan(id);
  ASSERT_TRUE(orphan.Running());

  EXPECT_TRUE(lists(ProcessesStartedBy(parent.processId, parent.createdAt), id)) << "its parent, ended since";
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  const ULONGLONG later = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  EXPECT_FALSE(lists(ProcessesStartedBy(parent.processId, later), id)) << "a later process with its parent's id";
  orphan.End(0);

  // A child of this process is listed as such.
  ChildProcess child;
  ASSERT_TRUE(child.Start(L"\"" + SiblingPath(L"test_child.exe") + L"\" sleep 60000"));
  EXPECT_TRUE(lists(ProcessesStartedBy(GetCurrentProcessId()), child.Id()));
  child.Kill();
}
