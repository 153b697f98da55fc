#pragma once
#include <windows.h>

#include "platform/com/ComPtr.h"
#include "platform/win/Window.h"

// The word popup: a topmost tool window beside the word under the pointer.
// It keeps the directions object of the engine for its look-ups.
class CToolTipWordWnd : public platform::Window {
 public:
  CToolTipWordWnd() = default;

  // Creates the hidden window (no parent, WS_POPUP | WS_CLIPSIBLINGS,
  // WS_EX_TOPMOST | WS_EX_TOOLWINDOW); null on failure.
  HWND Create(IUnknown* directions, const RECT& rect);
  // Destroys the window and lets the directions object go.
  void Destroy();
  IUnknown* Directions() const { return directions_.Get(); }

 protected:
  ClassInfo WindowClass() const override;

 private:
  platform::ComPtr<IUnknown> directions_;
};
