#pragma once
#include <windows.h>

#include "platform/com/ComPtr.h"

// The word popup: a topmost tool window beside the word under the pointer.
// It keeps the directions object of the engine for its look-ups.
class CToolTipWordWnd {
 public:
  CToolTipWordWnd() = default;
  ~CToolTipWordWnd();
  CToolTipWordWnd(const CToolTipWordWnd&) = delete;
  CToolTipWordWnd& operator=(const CToolTipWordWnd&) = delete;

  // Creates the hidden window (no parent, WS_POPUP | WS_CLIPSIBLINGS,
  // WS_EX_TOPMOST | WS_EX_TOOLWINDOW); null on failure.
  HWND Create(IUnknown* directions, const RECT& rect);
  void Destroy();
  HWND Hwnd() const { return hwnd_; }
  IUnknown* Directions() const { return directions_.Get(); }

 private:
  HWND hwnd_ = nullptr;
  platform::ComPtr<IUnknown> directions_;
};
