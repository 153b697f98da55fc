#pragma once
#include <windows.h>

#include <string>

#include "browserproxy/ui/IProgressDlg.h"
#include "platform/win/Dialog.h"

// The modal progress window of a file or page translation. It shows the
// job's progress, offers Cancel and tells the stop handler; the connector
// runs it and ends it. The window the modal run disabled is enabled again
// when the dialog is cancelled and when it goes, whatever window is in front then.
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

  IProgressDlgCallBack* stopHandler_ = nullptr;
  volatile bool stopped_ = false;
  HWND owner_ = nullptr;
  std::wstring title_;
  // The parent of the modal run when the run disabled it.
  HWND disabledByRun_ = nullptr;
  // An end (or Cancel) that came before the modal run had its window.
  INT_PTR pendingEnd_ = 0;
};
