#include "browserproxy/ui/ToolTipWordWnd.h"

#include "browserproxy/ui/PopupWindowClass.h"

CToolTipWordWnd::~CToolTipWordWnd() { Destroy(); }

HWND CToolTipWordWnd::Create(IUnknown* directions, const RECT& rect) {
  if (hwnd_) return hwnd_;
  directions_ = platform::ComPtr<IUnknown>::Share(directions);
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, PopupWindowClass(L"NorvaToolTipWordWnd"), L"",
                          WS_POPUP | WS_CLIPSIBLINGS, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  return hwnd_;
}

void CToolTipWordWnd::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  directions_.Reset();
}
