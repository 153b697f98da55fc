#include "browserproxy/ui/ProgressDlg.h"

#include <commctrl.h>

#include "browserproxy/ui/ProgressDlgResources.h"

namespace {

// The foreground window's owner when it has one, else the window itself.
HWND OwnerOfForeground() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return nullptr;
  HWND owner = GetWindow(foreground, GW_OWNER);
  if (!owner) owner = GetParent(foreground);
  return owner ? owner : foreground;
}

}  // namespace

CProgressDlg::CProgressDlg(std::wstring title) : Dialog(IDD_PROGRESS), title_(std::move(title)) {
  owner_ = OwnerOfForeground();
  if (owner_) SetActiveWindow(owner_);
  Messages().On(WM_INITDIALOG, [this](platform::Message&) -> LRESULT {
    SetWindowTextW(hwnd_, title_.c_str());
    return TRUE;
  });
  Messages().OnCommand(IDOK, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    EndDialog(IDOK);
    return 0;
  });
  Messages().OnCommand(IDCANCEL, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    OnCancel();
    return 0;
  });
}

CProgressDlg::~CProgressDlg() { GiveBackOwner(); }

void CProgressDlg::GiveBackOwner() {
  if (!disabledByRun_ || !::IsWindow(disabledByRun_)) return;
  EnableWindow(disabledByRun_, TRUE);
  SetForegroundWindow(disabledByRun_);
}

void CProgressDlg::OnCancel() {
  stopped_ = true;
  GiveBackOwner();
  if (stopHandler_) {
    try {
      stopHandler_->OnStop();
    } catch (...) {
      // A failing stop does not keep the dialog open.
    }
  }
  EndDialog(IDCANCEL);
}

long CProgressDlg::OnKernelInfo(const VARIANT&, const VARIANT&) { return 0; }

long CProgressDlg::OnEvent(long code) {
  if (code == 2 && stopHandler_) stopHandler_->OnStop();
  return 0;
}

long CProgressDlg::OnKernelNotice(long) { return 0; }

long CProgressDlg::SetPos(long position, long maximum) {
  if (stopped_) return 0;
  HWND bar = hwnd_ ? GetDlgItem(hwnd_, IDC_PROGRESS_BAR) : nullptr;
  if (!bar) return 0;
  SendMessageW(bar, PBM_SETRANGE32, 0, maximum);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  return 0;
}

bool CProgressDlg::DoModal() {
  // The template's bar is a common control; its class is registered once.
  static const bool barClass = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)barClass;
  HWND parent = GetForegroundWindow();
  // The run disables its parent; remember it only when it was enabled, so
  // that a window someone else disabled is left to them.
  disabledByRun_ = parent && IsWindowEnabled(parent) ? parent : nullptr;
  INT_PTR code = Dialog::DoModal(parent, 0);
  return code != IDOK;
}

long CProgressDlg::SetStopHandler(IProgressDlgCallBack* handler) {
  stopHandler_ = handler;
  return 0;
}

long CProgressDlg::End(long ok) {
  EndDialog(ok ? IDOK : IDCANCEL);
  return 0;
}

HWND CProgressDlg::GetHwnd() { return hwnd_; }
