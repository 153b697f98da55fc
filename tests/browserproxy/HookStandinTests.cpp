// The hook library stand-in: its exports record each call, and its test
// export posts the six hook messages to the window bound to a browser type.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "ChildProcess.h"
#include "HookLog.h"

namespace {

using VoidExport = int(__cdecl*)();
using SetExport = int(__cdecl*)(LONG, LONG);
using UnsetExport = int(__cdecl*)(LONG);
using PostExport = int(__cdecl*)(LONG, LONG, int, int);

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

std::vector<Received> g_received;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= 0xC000 && message <= 0xFFFF) g_received.push_back({message, wParam, lParam});
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class HookStandin : public testing::Test {
 protected:
  void SetUp() override {
    hooklog::Clear();
    library_ = LoadLibraryW(testsupport::SiblingPath(L"NorvaBrowserHook.dll").c_str());
    ASSERT_NE(nullptr, library_);
  }
  void TearDown() override {
    if (library_) FreeLibrary(library_);
    hooklog::Clear();
  }
  template <typename F>
  F Export(const char* name) {
    return reinterpret_cast<F>(GetProcAddress(library_, name));
  }
  HMODULE library_ = nullptr;
};

TEST_F(HookStandin, LogsEveryCallInOrder) {
  Export<VoidExport>("LoadHook")();
  Export<SetExport>("SetBrowserHook")(2, 0x1234);
  Export<UnsetExport>("UnSetBrowserHook")(2);
  Export<VoidExport>("UnloadHook")();
  std::vector<std::string> expected = {"LoadHook", "SetBrowserHook 2 4660", "UnSetBrowserHook 2", "UnloadHook"};
  EXPECT_EQ(expected, hooklog::Calls());
}

TEST_F(HookStandin, PostsTheSixMessagesToTheBoundWindow) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = RecordingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"HookStandinTestWindow";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, window);
  LONG handle = static_cast<LONG>(reinterpret_cast<LONG_PTR>(window));

  auto post = Export<PostExport>("HookTestPostMessages");
  ASSERT_NE(nullptr, post);
  EXPECT_EQ(-1, post(2, 0x777, 10, 20)) << "no window bound yet";
  Export<SetExport>("SetBrowserHook")(2, handle);
  EXPECT_EQ(-1, post(1, 0x777, 10, 20)) << "another browser type has no window";

  g_received.clear();
  EXPECT_EQ(6, post(2, 0x777, -5, 300));
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);

  const LPARAM point = MAKELPARAM(static_cast<WORD>(-5), 300);
  struct Expected {
    const wchar_t* name;
    WPARAM wParam;
    LPARAM lParam;
  } expected[] = {
      {L"WM_BROWSERHOOK_MOUSE_MOVE", 0x777, point}, {L"WM_BROWSERHOOK_LBUTTON_DOWN_AND_MOVE", 0, 0},
      {L"WM_BROWSERHOOK_LBUTTON_UP", 0x777, point}, {L"WM_BROWSERHOOK_HOTKEY", 0x777, point},
      {L"WM_HIDE_ALL", 0, 0},                       {L"WM_CONTEXT_MENU", 0, point},
  };
  ASSERT_EQ(6u, g_received.size());
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(RegisterWindowMessageW(expected[i].name), g_received[i].message) << "message " << i;
    EXPECT_EQ(expected[i].wParam, g_received[i].wParam) << "message " << i;
    EXPECT_EQ(expected[i].lParam, g_received[i].lParam) << "message " << i;
  }
  EXPECT_EQ(-5, static_cast<SHORT>(LOWORD(g_received[0].lParam)));

  Export<UnsetExport>("UnSetBrowserHook")(2);
  EXPECT_EQ(-1, post(2, 0x777, 10, 20)) << "unbound after UnSetBrowserHook";
  DestroyWindow(window);
}

}  // namespace
