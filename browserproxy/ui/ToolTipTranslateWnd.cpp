#include "browserproxy/ui/ToolTipTranslateWnd.h"

#include "browserproxy/ui/PopupWindowClass.h"

CToolTipTranslateWnd::~CToolTipTranslateWnd() { Destroy(); }

HWND CToolTipTranslateWnd::Create(HWND parent, const RECT& rect, const wchar_t* name, DWORD style, DWORD exStyle) {
  if (hwnd_) return hwnd_;
  hwnd_ = CreateWindowExW(exStyle, PopupWindowClass(L"NorvaToolTipTranslateWnd"), name ? name : L"", style,
                          rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  return hwnd_;
}

void CToolTipTranslateWnd::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}
