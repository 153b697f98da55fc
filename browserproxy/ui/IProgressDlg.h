#pragma once
#include <windows.h>
#include <oaidl.h>

// The stop handler of a progress dialog: the user asked to stop the job.
// The connectors implement it; the dialog borrows it.
struct IProgressDlgCallBack {
  virtual HRESULT OnStop() = 0;

 protected:
  ~IProgressDlgCallBack() = default;
};

// The progress sink of one file job, handed by the browser object to the
// connector's TranslateFile. The connector registers its stop handler, runs
// the dialog (DoModal returns when it has ended), moves the bar and ends it.
struct IProgressDlg {
  // A kernel message passed on unchanged; ignored.
  virtual long OnKernelInfo(const VARIANT& code, const VARIANT& text) = 0;
  // Code 2 asks the stop handler to stop; other codes do nothing.
  virtual long OnEvent(long code) = 0;
  // A kernel stage passed on unchanged; ignored.
  virtual long OnKernelNotice(long value) = 0;
  // Unless stopped: the bar's range 0..maximum and its position.
  virtual long SetPos(long position, long maximum) = 0;
  // Runs the dialog modally over the foreground window; true unless it ended with IDOK.
  virtual bool DoModal() = 0;
  virtual long SetStopHandler(IProgressDlgCallBack* handler) = 0;
  // Ends the run with IDOK when ok is non-zero, else with IDCANCEL.
  virtual long End(long ok) = 0;
  // The dialog's window while it runs, else null.
  virtual HWND GetHwnd() = 0;

 protected:
  ~IProgressDlg() = default;
};
