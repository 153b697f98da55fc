#pragma once
#include <windows.h>

namespace platform {

// One window message as a handler sees it. A handler that leaves handled
// true answers the message with its result; one that sets it false lets the
// message go on (to later entries, chained maps, then the default handling).
struct Message {
  HWND hwnd = nullptr;
  UINT id = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  bool handled = true;

  // WM_COMMAND parts.
  UINT CommandId() const { return LOWORD(wParam); }
  UINT CommandCode() const { return HIWORD(wParam); }
  HWND CommandControl() const { return reinterpret_cast<HWND>(lParam); }
  // WM_NOTIFY header.
  NMHDR* Notification() const { return reinterpret_cast<NMHDR*>(lParam); }
  // Signed client or screen point of mouse messages.
  POINT Point() const {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  }
};

}  // namespace platform
