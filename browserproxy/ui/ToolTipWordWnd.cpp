#include "browserproxy/ui/ToolTipWordWnd.h"

platform::Window::ClassInfo CToolTipWordWnd::WindowClass() const {
  ClassInfo info;
  info.name = L"NorvaToolTipWordWnd";
  info.background = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  return info;
}

HWND CToolTipWordWnd::Create(IUnknown* directions, const RECT& rect) {
  if (Hwnd()) return Hwnd();
  directions_ = platform::ComPtr<IUnknown>::Share(directions);
  return platform::Window::Create(nullptr, &rect, L"", WS_POPUP | WS_CLIPSIBLINGS, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
}

void CToolTipWordWnd::Destroy() {
  platform::Window::Destroy();
  directions_.Reset();
}
