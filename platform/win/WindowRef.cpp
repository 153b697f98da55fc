#include "platform/win/WindowRef.h"

namespace platform {

std::wstring WindowRef::Text() const {
  int length = GetWindowTextLengthW(hwnd_);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

RECT WindowRef::ClientRect() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return rect;
}

RECT WindowRef::WindowRect() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

void WindowRef::ModifyStyle(DWORD remove, DWORD add) const {
  SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>((Style() & ~remove) | add));
}

void WindowRef::ModifyExStyle(DWORD remove, DWORD add) const {
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>((ExStyle() & ~remove) | add));
}

}  // namespace platform
