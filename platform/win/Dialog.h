#pragma once
#include <windows.h>

#include "platform/win/Message.h"
#include "platform/win/MessageMap.h"
#include "platform/win/WindowRef.h"

namespace platform {

// A dialog over a dialog template of the resource module (ResourceInstance,
// which the interface-language library may replace), run modally (DoModal)
// or modelessly (Create). Messages go through the message map; WM_INITDIALOG
// carries the caller's initialisation parameter in lParam and, when the map
// does not handle it, reaches OnInitDialog. No C++ exception leaves the
// dialog procedure: a handler that throws is answered by OnHandlerException.
// The object neither moves nor copies and must outlive its window (the
// destructor destroys a modeless window that is still open).
class Dialog : public WindowRef {
 public:
  explicit Dialog(UINT templateId);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog; returns the code given to EndDialog, or -1 when the
  // dialog could not be made (missing template, failed control class).
  INT_PTR DoModal(HWND owner = nullptr, LPARAM initParam = 0);
  // Creates the dialog modelessly (a child page when the template says
  // WS_CHILD); null on failure.
  HWND Create(HWND parent, LPARAM initParam = 0);
  // Modal: ends the run with this code. Modeless: destroys the window.
  bool EndDialog(INT_PTR code);
  // Destroys a modeless dialog (a modal one ends with IDCANCEL).
  bool Destroy();

  UINT TemplateId() const { return templateId_; }
  bool IsModal() const { return modal_; }
  // A child control as a wrapper: Control<Button>(IDOK).
  template <class C>
  C Control(int id) const {
    return C(Item(id));
  }

  MessageMap& Messages() { return messages_; }
  const MessageMap& Messages() const { return messages_; }

  static Dialog* FromHandle(HWND window);

 protected:
  // WM_INITDIALOG when the map does not handle it; true lets the system
  // set the focus to the first control.
  virtual bool OnInitDialog(LPARAM initParam) { return true; }
  // A handler threw; the message counts as handled and this is its answer
  // (the dialog manager's default handling is not run after a failure).
  virtual LRESULT OnHandlerException(const Message& message) { return 0; }
  // After WM_NCDESTROY, when the object no longer has a window.
  virtual void OnFinalMessage(HWND window) {}

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT id, WPARAM wParam, LPARAM lParam);
  INT_PTR Route(HWND window, UINT id, WPARAM wParam, LPARAM lParam);

  UINT templateId_;
  LPARAM initParam_ = 0;
  bool modal_ = false;
  MessageMap messages_;
};

}  // namespace platform
