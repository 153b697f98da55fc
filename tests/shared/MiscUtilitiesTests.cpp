#include "shared/FileVersion.h"
#include "shared/GlobalAtomString.h"
#include "shared/ImageList.h"
#include "shared/SecurityInfo.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kStripBitmap = 101;  // 48 x 16, magenta background

TEST(FileVersion, ReadsTheFixedRecordOrFails) {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  VS_FIXEDFILEINFO version{};
  ASSERT_TRUE(GetFixedFileVersion(std::wstring(system) + L"\\kernel32.dll", &version));
  EXPECT_EQ(VS_FFI_SIGNATURE, version.dwSignature);
  testsupport::TempFolder temp;
  EXPECT_FALSE(GetFixedFileVersion(temp.WriteFile(L"plain.txt", "text"), &version));
  EXPECT_FALSE(GetFixedFileVersion(temp.File(L"missing.dll"), &version));
}

TEST(GlobalAtomString, RoundTrip) {
  // The global atom table is shared by every process of the session.
  const std::wstring text = L"NorvaSharedTestAtom-" + std::to_wstring(GetCurrentProcessId());
  ATOM atom = GlobalAtomString(text);
  ASSERT_NE(0, atom);
  std::wstring name;
  EXPECT_TRUE(GlobalAtomString(atom, name));
  EXPECT_EQ(text, name);
  GlobalDeleteAtom(atom);
  EXPECT_EQ(0, GlobalFindAtomW(text.c_str())) << "deleted";
}

TEST(GlobalAtomString, AtomWithoutANameLeavesTheTextAlone) {
  // Not a number just deleted: the session hands the lowest free number to
  // the next atom, window class or message that any process registers. The
  // last string atom is handed out only to a full table.
  for (ATOM atom : {ATOM{0}, ATOM{0xFFFF}}) {
    std::wstring untouched = L"kept";
    EXPECT_FALSE(GlobalAtomString(atom, untouched)) << "atom " << atom;
    EXPECT_EQ(L"kept", untouched) << "atom " << atom;
  }
}

TEST(ImageList, CutFromABitmapResource) {
  const int small = GetSystemMetrics(SM_CXSMICON);
  const int large = GetSystemMetrics(SM_CXICON);
  for (int kind : {EILK_SMALL, EILK_STATE, EILK_LARGE}) {
    ImageListHandle list = CreateImageListFromBitmap(kStripBitmap, kind, kMaskFromTopLeftPixel);
    ASSERT_TRUE(list) << "kind " << kind;
    int width = 0, height = 0;
    ImageList_GetIconSize(list.get(), &width, &height);
    const int expectedWidth = kind == EILK_LARGE ? large : small;
    EXPECT_EQ(expectedWidth, width) << "kind " << kind;
    EXPECT_EQ(16, height) << "kind " << kind;
    EXPECT_EQ(48 / expectedWidth, ImageList_GetImageCount(list.get())) << "kind " << kind;
  }
  EXPECT_FALSE(CreateImageListFromBitmap(kStripBitmap, 3, RGB(255, 0, 255))) << "unknown kind";
  EXPECT_FALSE(CreateImageListFromBitmap(999, EILK_SMALL, RGB(255, 0, 255))) << "missing bitmap";
}

TEST(SecurityInfo, ProcessUserAndAdministrators) {
  CSecurityInfo security;
  wchar_t user[256] = {};
  DWORD length = 256;
  ASSERT_TRUE(GetUserNameW(user, &length));
  BYTE sid[SECURITY_MAX_SID_SIZE] = {};
  DWORD sidSize = sizeof(sid);
  wchar_t domain[256] = {};
  DWORD domainLength = 256;
  SID_NAME_USE use = SidTypeUnknown;
  ASSERT_TRUE(LookupAccountNameW(nullptr, user, sid, &sidSize, domain, &domainLength, &use));
  std::wstring upper = user;
  CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  EXPECT_TRUE(security.IsProcessUser(upper, domain)) << "compared without regard to case";
  EXPECT_FALSE(security.IsProcessUser(L"nobody-at-all", domain));
  EXPECT_TRUE(security.IsAdministrator()) << "Wine's user is always an administrator";

  testsupport::TempFolder temp;
  std::wstring account = L"untouched", owner = L"untouched";
  if (security.GetFileOwner(temp.WriteFile(L"owned.txt", "x"), account, owner)) {
    EXPECT_FALSE(account.empty());
  }
  std::wstring missing = L"untouched";
  EXPECT_FALSE(security.GetFileOwner(temp.File(L"missing.txt"), missing, owner));
  EXPECT_EQ(L"untouched", missing);
}

}  // namespace
