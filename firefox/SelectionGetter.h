#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

// Gives the hook window the browser's selected text and, when a VARIANT is
// given, its screen rectangle (VT_ARRAY|VT_I4: left, top, right, bottom).
struct ISelectionGetter {
  virtual HRESULT GetSelection(std::wstring& text, VARIANT* rect) = 0;

 protected:
  ~ISelectionGetter() = default;
};
