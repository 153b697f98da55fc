#pragma once
#include <windows.h>

#include <atomic>
#include <string>

#include "browserproxy/ui/IProgressDlg.h"
#include "platform/win/Dialog.h"

// The modal progress window of a file or page translation. It shows the
// job's progress, offers Cancel and tells the stop handler; the connector
// runs it and ends it. The window the modal run disabled is enabled again
// when the dialog is cancelled and when it goes, whatever window is in front then.
// A job reports its progress far more often than anyone can see it: SetPos
// only records the position, and the bar is moved on the dialog's own timer
// at most every 50 ms.
class CProgressDlg : public platform::Dialog, public IProgressDlg {
 public:
  explicit CProgressDlg(std::wstring title);
  ~CProgressDlg() override;

  long OnKernelInfo(const VARIANT& code, const VARIANT& text) override;
  long OnEvent(long code) override;
  long OnKernelNotice(long value) override;
  long SetPos(long position, long maximum) override;
  bool DoModal() override;
  long SetStopHandler(IProgressDlgCallBack* handler) override;
  long End(long ok) override;
  HWND GetHwnd() override;

  bool Stopped() const { return stopped_; }
  IProgressDlgCallBack* StopHandler() const { return stopHandler_; }
  HWND Owner() const { return owner_; }

 private:
  void OnCancel();
  void GiveBackOwner();
  // Ends the modal run with this code; before the run has its window the
  // code is kept, and the run ends with it as soon as it starts.
  void EndRun(INT_PTR code);
  // Moves the bar to the recorded position when it changed since the last time.
  void ShowRecordedProgress();

  IProgressDlgCallBack* stopHandler_ = nullptr;
  volatile bool stopped_ = false;
  HWND owner_ = nullptr;
  std::wstring title_;
  // The parent of the modal run when the run disabled it.
  HWND disabledByRun_ = nullptr;
  // An end (or Cancel) that came before the modal run had its window.
  INT_PTR pendingEnd_ = 0;
  // The last SetPos: the maximum in the high half, the position in the low
  // half (one store, so a reader never sees one without the other).
  std::atomic<unsigned long long> recordedProgress_{0};
  std::atomic<bool> progressChanged_{false};
};
