#pragma once
#include <windows.h>

#include <string>

#include "platform/win/Window.h"

// An owner-drawn list box of a popup (LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS):
// its host routes WM_MEASUREITEM and WM_DRAWITEM of the list to
// HandleOwnerDraw. A line is one base height high, a line of one blank
// (the gap between entries) two.
class COwnerDrawList : public platform::Window {
 public:
  // WM_MEASUREITEM / WM_DRAWITEM sent to the host: true when they were this
  // list's (result TRUE), false for another control's.
  bool HandleOwnerDraw(platform::Message& message, LRESULT& result);
  // Paints line `index` into the rectangle (what WM_DRAWITEM does).
  virtual void DrawEntryItem(HDC dc, int index, const RECT& rect) = 0;

  int BaseItemHeight() const { return baseItemHeight_; }

 protected:
  // The text of a line the list holds, or null.
  virtual const std::wstring* LineText(UINT index) const = 0;

  // Takes the list box's own item height as the base height.
  void TakeBaseItemHeight();
  // Appends a line; it is measured while it is added.
  void AddListString(const std::wstring& text);
  int LineHeight(const std::wstring* text) const;

  int baseItemHeight_ = 16;

 private:
  // The text of the line being added: LB_ADDSTRING measures it before the
  // list holds it.
  const std::wstring* pendingText_ = nullptr;
};
