#include "browserproxy/kernel/NorvaKernelEvents.h"

#include "platform/com/Bstr.h"

platform::TypeLibrary norvaObjLibrary(LIBID_NORVAOBJLib, 1, 0);
platform::TypeLibrary kelVarLibrary(LIBID_KELVARLib, 1, 0);

using Events = CNorvaKernelWrapper::CDNorvaCtEvents;
using Advizer = CNorvaKernelWrapper::CProgressAdvizer;

std::span<const platform::InterfaceEntry> Events::Interfaces() {
  static const platform::InterfaceEntry table[] = {
      platform::InterfaceOf<Events, DNorvaCtlEvents>(),
      platform::InterfaceOf<Events, IDispatch, DNorvaCtlEvents>(),
  };
  return table;
}

void Events::CheckEnd(long dirId, BSTR templateId) noexcept {
  try {
    if (!context_) return;
    long current = 0;
    if (FAILED(context_->GetActiveDirID(&current)) || current != dirId) return;
    platform::ComPtr<IDispatch> profileObject;
    if (FAILED(context_->GetProfile(profileObject.Receive())) || !profileObject) return;
    auto profile = profileObject.As<INrvaProfile>();
    if (!profile) return;
    platform::Bstr active;
    if (FAILED(profile->GetActiveTemplateId(active.Receive()))) return;
    if (active.View() == platform::BstrView(templateId)) ended_ = true;
  } catch (...) {
    // A context that cannot be asked leaves the flag as it was.
  }
}

HRESULT Events::OnDirectionChanged(long dirId, BSTR templateId) {
  CheckEnd(dirId, templateId);
  return S_OK;
}

HRESULT Events::OnTemplateChanged(long dirId, BSTR templateId) {
  CheckEnd(dirId, templateId);
  return S_OK;
}

HRESULT Events::OnProfileChanged(long dirId, BSTR templateId) {
  CheckEnd(dirId, templateId);
  return S_OK;
}

std::span<const platform::InterfaceEntry> Advizer::Interfaces() {
  static const platform::InterfaceEntry table[] = {
      platform::InterfaceOf<Advizer, INrvaTransEvents>(),
      platform::InterfaceOf<Advizer, IDispatch, INrvaTransEvents>(),
  };
  return table;
}

HRESULT Advizer::OnMessage(VARIANT code, VARIANT text) {
  NoteReport();
  if (dialog_) dialog_->OnKernelInfo(code, text);
  return S_OK;
}

HRESULT Advizer::OnStatus(long status) {
  NoteReport();
  lastStatus_ = status;
  if (!dialog_) return S_OK;
  if (status == 0)
    dialog_->End(TRUE);
  else if (status != 1 && status != 2)
    dialog_->End(FALSE);
  return S_OK;
}

HRESULT Advizer::OnStage(long stage) {
  NoteReport();
  if (dialog_) dialog_->OnKernelNotice(stage);
  return S_OK;
}

HRESULT Advizer::OnProgress(long position, long range) {
  NoteReport();
  if (dialog_) dialog_->SetPos(position, range);
  return S_OK;
}

HRESULT Advizer::OnStop() {
  stopRequested_ = true;
  if (!job_) return E_POINTER;
  return job_->Stop();
}
