#include "browserproxy/ui/ProgressDlg.h"

#include <commctrl.h>

#include "browserproxy/ui/ProgressDlgResources.h"

namespace {

// The bar follows recorded progress at most this often; the timer runs only
// while a change waits, so a dialog whose job is quiet does not wake.
constexpr UINT_PTR kBarTimer = 1;
constexpr UINT kBarTimerMs = 50;
// Asks the dialog's thread to start the timer for a change recorded on another thread.
constexpr UINT kArmBarTimer = WM_APP + 1;

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
    // The modal run would otherwise send WM_ENTERIDLE to its owner, a window
    // of the browser's process, each time the queue empties: a round trip
    // to another process after every progress event.
    SetWindowLongW(hwnd_, GWL_STYLE, GetWindowLongW(hwnd_, GWL_STYLE) | DS_NOIDLEMSG);
    // A change recorded in an earlier run has no timer in this one.
    progressChanged_ = false;
    // The job ended, or the user cancelled, while the run was starting.
    if (pendingEnd_) EndRun(pendingEnd_);
    return TRUE;
  });
  Messages().On(WM_TIMER, [this](platform::Message& message) -> LRESULT {
    if (message.wParam != kBarTimer) {
      message.handled = false;
      return 0;
    }
    KillTimer(hwnd_, kBarTimer);
    ShowRecordedProgress();
    return 0;
  });
  Messages().On(kArmBarTimer, [this](platform::Message&) -> LRESULT {
    SetTimer(hwnd_, kBarTimer, kBarTimerMs, nullptr);
    return 0;
  });
  Messages().OnCommand(IDOK, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    EndRun(IDOK);
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
  EndRun(IDCANCEL);
}

void CProgressDlg::EndRun(INT_PTR code) {
  if (EndDialog(code)) {
    pendingEnd_ = 0;
    return;
  }
  pendingEnd_ = code;
}

long CProgressDlg::OnKernelInfo(const VARIANT&, const VARIANT&) { return 0; }

long CProgressDlg::OnEvent(long code) {
  if (code == 2 && stopHandler_) stopHandler_->OnStop();
  return 0;
}

long CProgressDlg::OnKernelNotice(long) { return 0; }

long CProgressDlg::SetPos(long position, long maximum) {
  // Without a window there is no bar to move, now or later.
  const HWND window = hwnd_;
  if (stopped_ || !window) return 0;
  recordedProgress_ = static_cast<unsigned long long>(static_cast<unsigned long>(maximum)) << 32 |
                      static_cast<unsigned long>(position);
  if (progressChanged_.exchange(true)) return 0;  // the timer is already on its way
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
    SetTimer(window, kBarTimer, kBarTimerMs, nullptr);
  else
    PostMessageW(window, kArmBarTimer, 0, 0);
  return 0;
}

void CProgressDlg::ShowRecordedProgress() {
  // After Cancel the bar stays where it was.
  if (stopped_ || !progressChanged_.exchange(false)) return;
  HWND bar = hwnd_ ? GetDlgItem(hwnd_, IDC_PROGRESS_BAR) : nullptr;
  if (!bar) return;
  const unsigned long long recorded = recordedProgress_;
  SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(static_cast<long>(recorded >> 32)));
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(static_cast<long>(recorded & 0xFFFFFFFFu)), 0);
}

bool CProgressDlg::DoModal() {
  // The template's bar is a common control; its class is registered once.
  static const bool barClass = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)barClass;
  // Ended (or cancelled) before it ran: nothing to show.
  if (pendingEnd_) {
    const INT_PTR code = pendingEnd_;
    pendingEnd_ = 0;
    return code != IDOK;
  }
  HWND parent = GetForegroundWindow();
  // The run disables its parent; remember it only when it was enabled, so
  // that a window someone else disabled is left to them.
  disabledByRun_ = parent && IsWindowEnabled(parent) ? parent : nullptr;
  INT_PTR code = Dialog::DoModal(parent, 0);
  pendingEnd_ = 0;
  return code != IDOK;
}

long CProgressDlg::SetStopHandler(IProgressDlgCallBack* handler) {
  stopHandler_ = handler;
  return 0;
}

long CProgressDlg::End(long ok) {
  EndRun(ok ? IDOK : IDCANCEL);
  return 0;
}

HWND CProgressDlg::GetHwnd() { return hwnd_; }
