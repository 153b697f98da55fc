#include "browserproxy/ui/PopupWindowClass.h"

const wchar_t* PopupWindowClass(const wchar_t* className) {
  WNDCLASSEXW wc = {sizeof(wc)};
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!GetClassInfoExW(instance, className, &wc)) {
    wc = {sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
  }
  return className;
}
