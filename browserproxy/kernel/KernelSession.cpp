#include "browserproxy/kernel/KernelSession.h"

#include "browserproxy/kernel/KernelObject.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

KernelSession::~KernelSession() {
  // In the order the connector has always let them go: the context last.
  directionList_.Reset();
  control_.Reset();
  controlSource_.Reset();
}

bool KernelSession::IsAttached() {
  if (!control_) return false;
  VARIANT_BOOL detached = VARIANT_TRUE;
  if (FAILED(control_->GetDetached(&detached))) return false;
  return detached == VARIANT_FALSE;
}

ComPtr<INrvaContext>& KernelSession::Context() {
  if (!context_) {
    if (IsAttached()) {
      ComPtr<IDispatch> context;
      ThrowIfFailed(control_->GetContext(context.Receive()), L"translation context");
      context_ = kernel_object::Take<INrvaContext>(context);
      context_->SetActiveDirIndex(0);
    } else {
      auto context = kernel_object::Create<INrvaContext>(CLSID_NrvaContext);
      ThrowIfFailed(context->Open(Bstr(clientName_).Get(), Variant::FromInt16(0).Get(), Variant::Missing().Get()),
                    L"opening the translation context");
      context_ = std::move(context);
    }
  }
  return context_;
}

ComPtr<INrvaTemplateManager> KernelSession::ContextDirections() {
  ComPtr<IDispatch> list;
  ThrowIfFailed(Context()->GetDirectionList(list.Receive()), L"direction list");
  return kernel_object::Take<INrvaTemplateManager>(list);
}

ComPtr<INrvaProfile> KernelSession::CurrentProfile() {
  ComPtr<IDispatch> profile;
  ThrowIfFailed(Context()->GetProfile(profile.Receive()), L"current profile");
  return kernel_object::Take<INrvaProfile>(profile);
}

long KernelSession::ActiveDirID() {
  long id = 0;
  ThrowIfFailed(Context()->GetActiveDirID(&id), L"active direction");
  return id;
}

void KernelSession::ReportError(HRESULT hr) noexcept {
  try {
    if (!errorReporter_) return;
    Bstr title(title_);
    if (IsAttached()) {
      if (auto attached = errorReporter_.As<INrvaAttachedErrorReporter>()) attached->ReportError(hr, title.Get());
    } else {
      errorReporter_->ReportError(hr, title.Get(), Variant::Missing().Get());
    }
  } catch (...) {
    // Reporting never fails its caller.
  }
}

void KernelSession::ReportCaught() noexcept {
  try {
    throw;
  } catch (const ComError& error) {
    ReportError(error.Result());
  } catch (...) {
    ReportError(E_UNEXPECTED);
  }
}
