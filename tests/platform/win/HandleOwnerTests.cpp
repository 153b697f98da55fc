#include <gtest/gtest.h>
#include <windows.h>

#include <type_traits>

#include "platform/base/DcStateGuard.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/Handles.h"
#include "platform/base/SelectedObject.h"

namespace {

using namespace platform;

static_assert(!std::is_copy_constructible_v<UniqueKernelHandle>);
static_assert(!std::is_copy_assignable_v<UniqueFont>);
static_assert(std::is_nothrow_move_constructible_v<UniqueWindow>);
static_assert(std::is_nothrow_move_assignable_v<UniqueRegistryKey>);
static_assert(!std::is_copy_constructible_v<WindowDC>);
static_assert(!std::is_copy_constructible_v<SelectedObject>);
static_assert(!std::is_copy_constructible_v<DcStateGuard>);
static_assert(!std::is_convertible_v<UniqueIcon, HICON>, "raw access is explicit");

UniqueFont MakeFont(int height, int weight) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  wcscpy_s(lf.lfFaceName, L"Tahoma");
  return UniqueFont(CreateFontIndirectW(&lf));
}

TEST(HandleOwners, KernelHandleIsClosedByItsLastOwner) {
  HANDLE raw = nullptr;
  {
    UniqueKernelHandle first(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    raw = first.Get();
    ASSERT_TRUE(first.Valid());
    UniqueKernelHandle second(std::move(first));
    EXPECT_FALSE(first.Valid());
    EXPECT_EQ(raw, second.Get());
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(raw, &flags));
  }
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags)) << "closed when the owner went";
}

TEST(HandleOwners, WindowMenuIconAndLibraryAreReleasedByTheirOwners) {
  UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  HWND rawWindow = window.Get();
  ASSERT_TRUE(IsWindow(rawWindow));
  window.Reset();
  EXPECT_FALSE(IsWindow(rawWindow));

  UniqueMenu menu(CreatePopupMenu());
  HMENU rawMenu = menu.Get();
  ASSERT_TRUE(IsMenu(rawMenu));
  menu.Reset();
  EXPECT_FALSE(IsMenu(rawMenu));

  BYTE andMask[32 * 4] = {}, xorMask[32 * 4] = {};
  UniqueIcon icon(CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask));
  ASSERT_TRUE(icon.Valid());
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);

  ASSERT_EQ(nullptr, GetModuleHandleW(L"platform_win_test_resources.dll"));
  {
    UniqueLibrary library(LoadLibraryW(L"platform_win_test_resources.dll"));
    ASSERT_TRUE(library.Valid());
    EXPECT_EQ(library.Get(), GetModuleHandleW(L"platform_win_test_resources.dll"));
  }
  EXPECT_EQ(nullptr, GetModuleHandleW(L"platform_win_test_resources.dll"));
}

TEST(HandleOwners, FileHandleTreatsInvalidValueAsEmpty) {
  UniqueFileHandle missing(CreateFileW(L"Z:\\no\\such\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(missing.Valid());
  EXPECT_EQ(INVALID_HANDLE_VALUE, missing.Get());
}

TEST(HandleOwners, GdiObjectIsDeletedOnReset) {
  UniqueFont font = MakeFont(-12, 400);
  HFONT raw = font.Get();
  ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(raw));
  font.Reset();
  EXPECT_EQ(0u, GetObjectType(raw));
  EXPECT_FALSE(font);
}

TEST(HandleOwners, DetachGivesUpOwnership) {
  UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
  HBRUSH raw = brush.Detach();
  EXPECT_FALSE(brush.Valid());
  EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(raw));
  DeleteObject(raw);
}

TEST(HandleOwners, ReceiveFillsTheSlotOfAnOutParameter) {
  UniqueRegistryKey key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Receive()));
  EXPECT_TRUE(key.Valid());
  UniqueRegistryKey moved = std::move(key);
  EXPECT_FALSE(key.Valid());
  EXPECT_TRUE(moved.Valid());
}

TEST(HandleOwners, SelectedObjectPutsThePreviousObjectBack) {
  WindowDC screen(nullptr);
  MemoryDC memory(screen.Get());
  ASSERT_TRUE(memory);
  UniqueFont first = MakeFont(-12, 400);
  UniqueFont second = MakeFont(-20, 700);
  SelectObject(memory.Get(), first.Get());
  {
    SelectedObject selected(memory.Get(), second.Get());
    EXPECT_EQ(second.Get(), GetCurrentObject(memory.Get(), OBJ_FONT));
    EXPECT_EQ(first.Get(), selected.Previous());
  }
  EXPECT_EQ(first.Get(), GetCurrentObject(memory.Get(), OBJ_FONT));
}

TEST(HandleOwners, DcStateGuardRestoresColoursFontsAndModes) {
  WindowDC screen(nullptr);
  MemoryDC memory(screen.Get());
  UniqueFont outer = MakeFont(-12, 400);
  UniqueFont inner = MakeFont(-30, 700);
  SelectObject(memory.Get(), outer.Get());
  SetTextColor(memory.Get(), RGB(255, 0, 0));
  SetBkMode(memory.Get(), OPAQUE);
  {
    DcStateGuard guard(memory.Get());
    EXPECT_NE(0, guard.SavedState());
    SelectObject(memory.Get(), inner.Get());
    SetTextColor(memory.Get(), RGB(0, 0, 255));
    SetBkMode(memory.Get(), TRANSPARENT);
    {
      DcStateGuard nested(memory.Get());
      SetTextColor(memory.Get(), RGB(0, 255, 0));
    }
    EXPECT_EQ(RGB(0, 0, 255), GetTextColor(memory.Get())) << "the nested guard restores its own state only";
  }
  EXPECT_EQ(RGB(255, 0, 0), GetTextColor(memory.Get()));
  EXPECT_EQ(OPAQUE, GetBkMode(memory.Get()));
  EXPECT_EQ(outer.Get(), GetCurrentObject(memory.Get(), OBJ_FONT));

  DcStateGuard none(nullptr);  // a null context is allowed
  EXPECT_EQ(nullptr, none.Dc());
}

}  // namespace
