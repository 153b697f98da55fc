#pragma once
#include <windows.h>

#include <span>

#include "KelVarLib.h"
#include "NorvaKernel.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "browserproxy/ui/IProgressDlg.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "platform/com/TypeLibrary.h"

// The kernel's type libraries, from their registration.
extern platform::TypeLibrary norvaObjLibrary;
extern platform::TypeLibrary kelVarLibrary;

// Receives the translation context's events and tells whether the kernel
// reported a change that matches what the context says now (events 17 to 19).
class CNorvaKernelWrapper::CDNorvaCtEvents : public platform::Dispatch<DNorvaCtlEvents, norvaObjLibrary> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces();

  void SetContext(platform::ComPtr<INrvaContextBase> context) { context_ = std::move(context); }
  bool Ended() const { return ended_; }

  HRESULT STDMETHODCALLTYPE OnEvent1() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent2() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent3() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent4() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent5() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent6() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent7() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent8() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent9() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent10() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent11() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent12() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent13() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDirectionListsChanged(long) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDirectionTemplatesChanged(long) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnTemplateRenamed(long, BSTR, BSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDirectionChanged(long dirId, BSTR templateId) override;
  HRESULT STDMETHODCALLTYPE OnTemplateChanged(long dirId, BSTR templateId) override;
  HRESULT STDMETHODCALLTYPE OnProfileChanged(long dirId, BSTR templateId) override;
  HRESULT STDMETHODCALLTYPE OnEvent20() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnActiveDirectionChanged() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnActiveTemplateChanged() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent23() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent24() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEvent25() override { return S_OK; }

 private:
  void CheckEnd(long dirId, BSTR templateId) noexcept;

  platform::ComPtr<INrvaContextBase> context_;
  bool ended_ = false;
};

// The progress sink of one file job: moves the dialog, ends it on the job's
// final status, and passes the dialog's Cancel to the job.
class CNorvaKernelWrapper::CProgressAdvizer : public platform::Dispatch<INrvaTransEvents, kelVarLibrary>,
                                              public IProgressDlgCallBack {
 public:
  // A status that is not final: the job still runs.
  static constexpr long kRunning = 1;

  static std::span<const platform::InterfaceEntry> Interfaces();

  void SetDialog(IProgressDlg* dialog) { dialog_ = dialog; }
  void SetJob(platform::ComPtr<INrvaTranslationJob> job) { job_ = std::move(job); }
  INrvaTranslationJob* Job() const { return job_.Get(); }
  long LastStatus() const { return lastStatus_; }
  void SetLastStatus(long status) { lastStatus_ = status; }
  bool StopRequested() const { return stopRequested_; }
  // When the job last reported (any event), as GetTickCount; the job's start
  // counts as a report.
  DWORD LastReportTick() const { return lastReport_; }
  void NoteReport() { lastReport_ = GetTickCount(); }
  // Forgets the dialog and the job (the job's end, on every road).
  void Clear() {
    dialog_ = nullptr;
    job_.Reset();
  }

  HRESULT STDMETHODCALLTYPE OnMessage(VARIANT code, VARIANT text) override;
  HRESULT STDMETHODCALLTYPE OnStatus(long status) override;
  HRESULT STDMETHODCALLTYPE OnStage(long stage) override;
  HRESULT STDMETHODCALLTYPE OnProgress(long position, long range) override;
  HRESULT OnStop() override;

 private:
  IProgressDlg* dialog_ = nullptr;
  platform::ComPtr<INrvaTranslationJob> job_;
  long lastStatus_ = kRunning;
  bool stopRequested_ = false;
  DWORD lastReport_ = GetTickCount();
};
