#pragma once
#include <windows.h>

// The selection popup: shows the translation of a selection beside it.
class CToolTipTranslateWnd {
 public:
  CToolTipTranslateWnd() = default;
  ~CToolTipTranslateWnd();
  CToolTipTranslateWnd(const CToolTipTranslateWnd&) = delete;
  CToolTipTranslateWnd& operator=(const CToolTipTranslateWnd&) = delete;

  HWND Create(HWND parent, const RECT& rect, const wchar_t* name, DWORD style, DWORD exStyle);
  void Destroy();
  HWND Hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};
