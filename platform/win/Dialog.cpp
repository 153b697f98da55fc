#include "platform/win/Dialog.h"

#include "platform/win/ResourceInstance.h"

namespace platform {

namespace {

const wchar_t kOwnerProperty[] = L"platform.Dialog";

// The object whose dialog is being made on this thread: the messages before
// WM_INITDIALOG (WM_SETFONT...) already reach it.
thread_local Dialog* t_creating = nullptr;

// Messages whose answer a dialog procedure returns itself instead of
// through DWLP_MSGRESULT.
bool AnswersDirectly(UINT id) {
  switch (id) {
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

}  // namespace

Dialog::Dialog(UINT templateId) : templateId_(templateId) {}

Dialog::~Dialog() {
  if (!hwnd_) return;
  HWND window = hwnd_;
  RemovePropW(window, kOwnerProperty);
  hwnd_ = nullptr;
  DestroyWindow(window);
}

Dialog* Dialog::FromHandle(HWND window) {
  return window ? static_cast<Dialog*>(GetPropW(window, kOwnerProperty)) : nullptr;
}

INT_PTR Dialog::DoModal(HWND owner, LPARAM initParam) {
  if (hwnd_) {
    SetLastError(ERROR_ALREADY_INITIALIZED);
    return -1;
  }
  initParam_ = initParam;
  modal_ = true;
  Dialog* outer = t_creating;
  t_creating = this;
  INT_PTR code = DialogBoxParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), owner, &Dialog::DialogProc, 0);
  t_creating = outer;
  // DialogBoxParam answers 0 for a bad owner; that run never happened.
  if (code == 0 && owner && !::IsWindow(owner)) code = -1;
  return code;
}

HWND Dialog::Create(HWND parent, LPARAM initParam) {
  if (hwnd_) {
    SetLastError(ERROR_ALREADY_INITIALIZED);
    return nullptr;
  }
  initParam_ = initParam;
  modal_ = false;
  Dialog* outer = t_creating;
  t_creating = this;
  HWND window = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), parent, &Dialog::DialogProc, 0);
  t_creating = outer;
  return window;
}

bool Dialog::EndDialog(INT_PTR code) {
  if (!hwnd_) return false;
  if (modal_) return ::EndDialog(hwnd_, code) != FALSE;
  return DestroyWindow(hwnd_) != FALSE;
}

bool Dialog::Destroy() {
  if (!hwnd_) return false;
  if (modal_) return ::EndDialog(hwnd_, IDCANCEL) != FALSE;
  return DestroyWindow(hwnd_) != FALSE;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  Dialog* self = FromHandle(window);
  if (!self && t_creating && !t_creating->hwnd_) {
    self = t_creating;
    t_creating = nullptr;
    self->hwnd_ = window;
    SetPropW(window, kOwnerProperty, self);
  }
  if (!self) return FALSE;
  return self->Route(window, id, wParam, lParam);
}

INT_PTR Dialog::Route(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  Message message{window, id, wParam, id == WM_INITDIALOG ? initParam_ : lParam};
  LRESULT result = 0;
  bool handled = false;
  try {
    handled = messages_.Dispatch(message, result);
    if (!handled && id == WM_INITDIALOG) {
      result = OnInitDialog(initParam_) ? TRUE : FALSE;
      handled = true;
    }
  } catch (...) {
    result = OnHandlerException(message);
    handled = true;
  }
  if (id == WM_NCDESTROY) {
    RemovePropW(window, kOwnerProperty);
    hwnd_ = nullptr;
    try {
      OnFinalMessage(window);  // may delete this
    } catch (...) {
    }
  }
  if (!handled) return FALSE;
  if (AnswersDirectly(id)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace platform
