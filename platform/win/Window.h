#pragma once
#include <windows.h>

#include <string>

#include "platform/win/Message.h"
#include "platform/win/MessageMap.h"
#include "platform/win/WindowRef.h"

namespace platform {

// A window whose messages go through this object's message map. Either it
// is created here (Create: a window class of our own, or a superclass of a
// system class such as "LISTBOX"), or an existing window is subclassed.
// What the map leaves unhandled goes to the class's own procedure
// (DefWindowProc, the superclassed or the subclassed procedure).
// No C++ exception leaves the window procedure: a handler that throws is
// answered by OnHandlerException.
// The object neither moves nor copies (the window points back to it); it
// must live until the window is destroyed, or destroy it (the destructor does).
class Window : public WindowRef {
 public:
  // How Create registers the window class.
  struct ClassInfo {
    std::wstring name;                 // unique within the module
    UINT style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    LPCWSTR cursor = IDC_ARROW;        // a system cursor id, or null
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    std::wstring superclassOf;         // a registered class whose procedure handles the rest
  };

  Window();
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Creates the window; null when creation failed (last error set), or
  // when a WM_CREATE handler answered -1 or threw.
  HWND Create(HWND parent, const RECT* rect, const wchar_t* title, DWORD style, DWORD exStyle = 0,
              UINT_PTR menuOrId = 0);
  // Routes an existing window of this thread through the map, as one link
  // of its subclass chain (SetWindowSubclass): subclasses added before or
  // after this one keep working, in any order of removal.
  bool Subclass(HWND window);
  // Gives a subclassed window its own procedure back; returns it.
  HWND Unsubclass();
  // Destroys a window made by Create (a subclassed one is only released).
  bool Destroy();

  MessageMap& Messages() { return messages_; }
  const MessageMap& Messages() const { return messages_; }

  // The object routing this window's messages, or null.
  static Window* FromHandle(HWND window);

 protected:
  virtual ClassInfo WindowClass() const;
  // The class's own handling of a message.
  LRESULT DefaultProc(const Message& message);
  // A handler threw; the answer given instead. Default: -1 for WM_CREATE
  // (creation fails), FALSE for WM_NCCREATE, 0 otherwise.
  virtual LRESULT OnHandlerException(const Message& message);
  // After WM_NCDESTROY, when the object no longer has a window.
  virtual void OnFinalMessage(HWND window) {}

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT id, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT id, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                       DWORD_PTR self);
  void Attach(HWND window, WNDPROC baseProc);
  void Detach();
  LRESULT Route(HWND window, UINT id, WPARAM wParam, LPARAM lParam);

  MessageMap messages_;
  WNDPROC baseProc_ = nullptr;
  bool subclassed_ = false;
};

}  // namespace platform
