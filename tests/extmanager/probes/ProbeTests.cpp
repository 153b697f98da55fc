// The system probes the switches share: files, folders, rights, programs.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include "TempFolder.h"
#include "extmanager/probes/InstalledPrograms.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/probes/SystemSeams.h"
#include "platform/base/ModulePath.h"

namespace {

class Probes : public testing::Test {
 protected:
  void TearDown() override { ResetSeams(); }
  testsupport::TempFolder folder_;
};

TEST_F(Probes, FileIsThereAlsoWhenAnotherProgramHoldsItExclusively) {
  std::wstring path = folder_.WriteFile(L"held.txt", "x");
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  bool found = false;
  EXPECT_TRUE(FileIsThere(path, found));
  EXPECT_TRUE(found);
  CloseHandle(held);

  found = false;
  EXPECT_FALSE(FileIsThere(folder_.File(L"missing.txt"), found));
  EXPECT_FALSE(found);
  EXPECT_TRUE(CanOpenFile(path));
  EXPECT_FALSE(CanOpenFile(folder_.File(L"missing.txt")));
}

TEST_F(Probes, FindEntryBelowFindsANameInAnotherCaseAndGivesItsFullPath) {
  CreateDirectoryW(folder_.File(L"a").c_str(), nullptr);
  CreateDirectoryW(folder_.File(L"a\\Deep").c_str(), nullptr);
  folder_.WriteFile(L"a\\Deep\\NrvaIE.DLL", "x");
  std::wstring name = L"nrvaie.dll";
  std::wstring start = folder_.Path().substr(0, folder_.Path().size() - 1);
  ASSERT_TRUE(FindEntryBelow(start, name));
  EXPECT_EQ(start + L"\\a\\Deep\\nrvaie.dll", name);

  CreateDirectoryW(folder_.File(L"empty").c_str(), nullptr);
  name = L"nrvaie.dll";
  EXPECT_FALSE(FindEntryBelow(folder_.File(L"empty"), name));
  EXPECT_EQ(L"nrvaie.dll", name);
}

TEST_F(Probes, FindEntryBelowStopsAtItsDepthBound) {
  std::wstring path = folder_.Path().substr(0, folder_.Path().size() - 1);
  std::wstring start = path;
  for (int i = 0; i < kMaxSearchDepth + 3; ++i) {
    path += L"\\d";
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << i;
  }
  folder_.WriteFile(path.substr(folder_.Path().size()) + L"\\deep.dll", "x");
  std::wstring name = L"deep.dll";
  EXPECT_FALSE(FindEntryBelow(start, name));
}

// A junction that points at its own parent: the search must end and not
// report a hit through the loop.
TEST_F(Probes, FindEntryBelowDoesNotFollowAJunctionToItsParent) {
  std::wstring host = folder_.File(L"host");
  CreateDirectoryW(host.c_str(), nullptr);
  std::wstring loop = host + L"\\loop";
  CreateDirectoryW(loop.c_str(), nullptr);
  bool linked = false;
  {
    HANDLE dir = CreateFileW(loop.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (dir != INVALID_HANDLE_VALUE) {
      std::wstring target = L"\\??\\" + host;
      std::vector<BYTE> buffer(1024);
      auto* header = reinterpret_cast<DWORD*>(buffer.data());
      header[0] = IO_REPARSE_TAG_MOUNT_POINT;
      auto* words = reinterpret_cast<WORD*>(buffer.data() + 8);
      WORD targetBytes = static_cast<WORD>(target.size() * 2);
      words[0] = 0;                        // substitute offset
      words[1] = targetBytes;              // substitute length
      words[2] = targetBytes + 2;          // print offset
      words[3] = 0;                        // print length
      memcpy(buffer.data() + 16, target.c_str(), targetBytes + 2);
      WORD dataLength = static_cast<WORD>(8 + targetBytes + 2 + 2);
      reinterpret_cast<WORD*>(buffer.data())[2] = dataLength;
      DWORD returned = 0;
      linked = DeviceIoControl(dir, FSCTL_SET_REPARSE_POINT, buffer.data(), 8 + dataLength, nullptr, 0, &returned,
                               nullptr);
      CloseHandle(dir);
    }
  }
  if (!linked) {
    // Wine makes no junctions: the test's set-up made a folder whose
    // sub-folder "loop" is a symbolic link to its parent.
    RemoveDirectoryW(loop.c_str());
    host = QUENLO_LOOP_DIR;
    for (wchar_t& c : host)
      if (c == L'/') c = L'\\';
    loop = host + L"\\sub\\loop";
  }
  DWORD attributes = GetFileAttributesW(loop.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << "the loop is missing";
  ASSERT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  std::wstring name = L"absent.dll";
  DWORD start = GetTickCount();
  EXPECT_FALSE(FindEntryBelow(host, name));
  EXPECT_LT(GetTickCount() - start, 10000u);
  name = L"sub";
  EXPECT_TRUE(FindEntryBelow(host, name));
  if (linked) RemoveDirectoryW(loop.c_str());
}

TEST_F(Probes, LongPathsOf259To300CharactersAreSearchedAndOpened) {
  for (size_t length : {259u, 260u, 300u}) {
    std::wstring base = folder_.Path() + L"p" + std::to_wstring(length);
    std::wstring path = L"\\\\?\\" + base;
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    // Grow the folder name until the file path has the wanted length.
    std::wstring file = base + L"\\";
    std::wstring sub = L"s";
    while (base.size() + 1 + sub.size() + 1 + 10 < length) sub += L"x";
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + base + L"\\" + sub).c_str(), nullptr)) << length;
    std::wstring full = base + L"\\" + sub + L"\\";
    std::wstring leaf = L"x.dll";
    while (full.size() + leaf.size() < length) leaf = L"y" + leaf;
    full += leaf;
    ASSERT_EQ(length, full.size());
    HANDLE h = CreateFileW((L"\\\\?\\" + full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << length;
    CloseHandle(h);
    EXPECT_TRUE(CanOpenFile(full)) << length;
    bool found = false;
    EXPECT_TRUE(FileIsThere(full, found)) << length;
    std::wstring name = leaf;
    EXPECT_TRUE(FindEntryBelow(base, name)) << length;
    EXPECT_EQ(full, name) << length;
    EXPECT_TRUE(PathExists(base + L"\\" + sub + L"\\")) << length;
    DeleteFileW((L"\\\\?\\" + full).c_str());
    RemoveDirectoryW((L"\\\\?\\" + base + L"\\" + sub).c_str());
    RemoveDirectoryW(path.c_str());
  }
}

TEST_F(Probes, PathExistsCountsRealEntriesOnly) {
  std::wstring empty = folder_.File(L"empty\\");
  CreateDirectoryW(empty.c_str(), nullptr);
  EXPECT_FALSE(PathExists(empty)) << "\".\" and \"..\" are no content";
  folder_.WriteFile(L"empty\\one.txt", "1");
  EXPECT_TRUE(PathExists(empty));
  EXPECT_TRUE(PathExists(folder_.File(L"emp")));  // a name that begins so
  EXPECT_FALSE(PathExists(folder_.File(L"zzz")));
}

TEST_F(Probes, IsProcessRunningComparesNamesWithoutCase) {
  std::wstring name = platform::ModulePath(nullptr);
  name = name.substr(name.find_last_of(L'\\') + 1);
  EXPECT_TRUE(IsProcessRunning(name));
  CharUpperW(name.data());
  EXPECT_TRUE(IsProcessRunning(name));
  EXPECT_FALSE(IsProcessRunning(L"infium.exe"));
}

TEST_F(Probes, IsUserAdminFollowsTheSystemAndItsSeams) {
  EXPECT_TRUE(IsUserAdmin()) << "Wine's user is an administrator";
  Seams().membershipFunction = "NoSuchMembershipCheck";
  EXPECT_TRUE(IsUserAdmin()) << "a system without the membership check";
  Seams().membershipFunction = "CheckTokenMembership";
  Seams().adminSidSubAuthorities = 9;
  EXPECT_FALSE(IsUserAdmin()) << "the SID cannot be built";
  ResetSeams();
  Seams().userIsAdmin = false;
  EXPECT_FALSE(IsUserAdmin());
}

}  // namespace
