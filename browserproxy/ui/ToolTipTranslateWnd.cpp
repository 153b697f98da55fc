#include "browserproxy/ui/ToolTipTranslateWnd.h"

platform::Window::ClassInfo CToolTipTranslateWnd::WindowClass() const {
  ClassInfo info;
  info.name = L"NorvaToolTipTranslateWnd";
  info.background = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  return info;
}
