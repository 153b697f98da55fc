#pragma once
#include <windows.h>
#include <oaidl.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Gives the hook window the browser's selected text and, when a VARIANT is
// given, its screen rectangle (VT_ARRAY|VT_I4: left, top, right, bottom).
struct ISelectionGetter {
  virtual HRESULT GetSelection(std::wstring& text, VARIANT* rect) = 0;

 protected:
  ~ISelectionGetter() = default;
};

// The screen rectangle of the script's "left#top#right#bottom" text moved by
// the page's screen offset; each number is read as _wtoi reads it.
std::array<int32_t, 4> SelectionRectangle(std::wstring_view text, int32_t dx, int32_t dy);
