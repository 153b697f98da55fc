#pragma once
// The browser's top-level window as the host plays it: class
// "MozillaWindowClass", a few lines of text painted in it, and an
// accessible object (IAccessible with IServiceProvider, and the browser's
// ISimpleDOMNode and ISimpleDOMText as its service) that gives that text and
// the screen box of any range, whole or cut to the window, as Firefox's
// accessibility does.
#include <windows.h>

#include <string>

#include "platform/base/Handles.h"
#include "platform/com/ComPtr.h"
#include "platform/win/Window.h"

class BrowserWindow : public platform::Window {
 public:
  BrowserWindow();
  ~BrowserWindow() override;
  // Creates the window, shown, with its client area's top-left at (x, y).
  HWND Create(const std::wstring& text, int x, int y, int width, int height);
  const std::wstring& Text() const { return text_; }
  // The screen box of text_[start, end) on its line; false when out of range.
  bool SubstringBounds(long start, long end, RECT& box) const;
  // The screen point at the middle of the first occurrence of a word.
  POINT PointOnWord(const std::wstring& word) const;
  // How many times the accessible text was asked for.
  long TextReads() const { return textReads_; }
  void CountTextRead() { ++textReads_; }
  // How many times the box of a range was asked for, cut to the window
  // (clipped) and whole (unclipped).
  long ClippedBoundsAsked() const { return clippedBounds_; }
  long UnclippedBoundsAsked() const { return unclippedBounds_; }
  void CountBoundsAsked(bool clipped) { ++(clipped ? clippedBounds_ : unclippedBounds_); }
  // The client area in screen coordinates.
  RECT ClientOnScreen() const;

 protected:
  ClassInfo WindowClass() const override;

 private:
  void Paint();
  int LineHeight() const;
  POINT Origin() const;  // screen point of the text's top-left

  std::wstring text_;
  platform::UniqueFont font_;
  platform::ComPtr<IUnknown> accessible_;
  long textReads_ = 0;
  long clippedBounds_ = 0;
  long unclippedBounds_ = 0;
};
