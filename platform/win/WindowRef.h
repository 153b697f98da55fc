#pragma once
#include <windows.h>

#include <string>

namespace platform {

// A window this object does not own: the handle plus the everyday calls.
// Copyable; it never destroys the window.
class WindowRef {
 public:
  WindowRef() noexcept = default;
  explicit WindowRef(HWND hwnd) noexcept : hwnd_(hwnd) {}

  HWND Hwnd() const noexcept { return hwnd_; }
  bool IsWindow() const { return hwnd_ && ::IsWindow(hwnd_); }
  explicit operator bool() const noexcept { return hwnd_ != nullptr; }

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(hwnd_, message, wParam, lParam);
  }
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return PostMessageW(hwnd_, message, wParam, lParam) != FALSE;
  }

  std::wstring Text() const;
  bool SetText(const std::wstring& text) const { return SetWindowTextW(hwnd_, text.c_str()) != FALSE; }

  // A child control of this window by its identifier.
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::wstring ItemText(int id) const { return WindowRef(Item(id)).Text(); }
  bool SetItemText(int id, const std::wstring& text) const { return WindowRef(Item(id)).SetText(text); }
  int ControlId() const { return GetDlgCtrlID(hwnd_); }
  HWND Parent() const { return GetParent(hwnd_); }

  bool Show(int command = SW_SHOW) const { return ShowWindow(hwnd_, command) != FALSE; }
  bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
  bool Enable(bool enable = true) const { return EnableWindow(hwnd_, enable) != FALSE; }
  bool IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  HWND Focus() const { return SetFocus(hwnd_); }

  RECT ClientRect() const;
  RECT WindowRect() const;
  bool Move(int x, int y, int width, int height, bool repaint = true) const {
    return MoveWindow(hwnd_, x, y, width, height, repaint) != FALSE;
  }
  bool SetPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) const {
    return SetWindowPos(hwnd_, insertAfter, x, y, width, height, flags) != FALSE;
  }
  bool Invalidate(bool erase = true) const { return InvalidateRect(hwnd_, nullptr, erase) != FALSE; }
  bool Update() const { return UpdateWindow(hwnd_) != FALSE; }

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)); }
  DWORD ExStyle() const { return static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)); }
  // Adds and removes style bits; SWP_FRAMECHANGED-style updates are the caller's.
  void ModifyStyle(DWORD remove, DWORD add) const;
  void ModifyExStyle(DWORD remove, DWORD add) const;

  UINT_PTR StartTimer(UINT_PTR id, UINT elapseMs) const { return SetTimer(hwnd_, id, elapseMs, nullptr); }
  bool StopTimer(UINT_PTR id) const { return KillTimer(hwnd_, id) != FALSE; }

 protected:
  HWND hwnd_ = nullptr;
};

}  // namespace platform
