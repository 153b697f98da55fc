// Stand-in of the browser hook library. The real library watches the mouse
// and keyboard in browser windows; this one records the proxy's calls and
// posts the hook messages only when a test asks for them.
#include <windows.h>

#include <string>

#include "HookCallLog.h"

using hookstandin::AppendLine;

extern "C" {

__declspec(dllexport) int __cdecl LoadHook() {
  AppendLine("LoadHook");
  return 1;
}

__declspec(dllexport) int __cdecl UnloadHook() {
  AppendLine("UnloadHook");
  return 1;
}

__declspec(dllexport) int __cdecl SetBrowserHook(LONG browserType, LONG handlerWindow) {
  AppendLine("SetBrowserHook " + std::to_string(browserType) + " " + std::to_string(handlerWindow));
  return 1;
}

__declspec(dllexport) int __cdecl UnSetBrowserHook(LONG browserType) {
  AppendLine("UnSetBrowserHook " + std::to_string(browserType));
  return 1;
}

// Test only: posts each of the six hook messages to the handler window bound
// to the type (by the log, so a test process reaches the proxy's binding),
// with the parameters the handler expects: the browser window in wParam where
// one belongs, the screen point (x low, y high, signed 16 bits) in lParam.
// Returns the number of messages posted, -1 when no window is bound.
__declspec(dllexport) int __cdecl HookTestPostMessages(LONG browserType, LONG browserWindow, int x, int y) {
  LONG bound = hookstandin::BoundWindow(browserType);
  if (bound == 0) return -1;
  HWND target = reinterpret_cast<HWND>(static_cast<LONG_PTR>(bound));
  const WPARAM window = static_cast<WPARAM>(static_cast<ULONG>(browserWindow));
  const LPARAM point = MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
  struct Message {
    const wchar_t* name;
    WPARAM wParam;
    LPARAM lParam;
  };
  const Message messages[] = {
      {L"WM_BROWSERHOOK_MOUSE_MOVE", window, point},
      {L"WM_BROWSERHOOK_LBUTTON_DOWN_AND_MOVE", 0, 0},
      {L"WM_BROWSERHOOK_LBUTTON_UP", window, point},
      {L"WM_BROWSERHOOK_HOTKEY", window, point},
      {L"WM_HIDE_ALL", 0, 0},
      {L"WM_CONTEXT_MENU", 0, point},
  };
  int posted = 0;
  for (const Message& m : messages) {
    if (PostMessageW(target, RegisterWindowMessageW(m.name), m.wParam, m.lParam)) ++posted;
  }
  return posted;
}

// Test only: posts one hook message (by its registered name) to the handler
// window bound to the type. Returns 1 when posted, 0 when posting failed,
// -1 when no window is bound.
__declspec(dllexport) int __cdecl HookTestPostMessage(LONG browserType, const wchar_t* name, ULONG wParam,
                                                      int x, int y) {
  LONG bound = hookstandin::BoundWindow(browserType);
  if (bound == 0) return -1;
  HWND target = reinterpret_cast<HWND>(static_cast<LONG_PTR>(bound));
  const LPARAM point = MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
  return PostMessageW(target, RegisterWindowMessageW(name), static_cast<WPARAM>(wParam), point) ? 1 : 0;
}

}  // extern "C"
