#include "browserproxy/kernel/NorvaKernelWrapper.h"

#include <lmcons.h>

#include <vector>

#include "browserproxy/kernel/KernelObject.h"
#include "browserproxy/kernel/KernelTemplateNames.h"
#include "browserproxy/kernel/NorvaKernelEvents.h"
#include "browserproxy/kernel/PageLanguage.h"
#include "platform/com/AdviseConnection.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"
#include "platform/win/ResourceInstance.h"

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

namespace {

// Identifier of the kernel service behind the direction list (about boxes).
const GUID kKernelService = {0xA45A75EC, 0xEC5C, 0x438D, {0xB4, 0x71, 0xE4, 0x87, 0x5B, 0xE2, 0x65, 0xF0}};

using kernel_object::Take;

std::wstring LoggedOnUser() {
  DWORD size = 0;
  GetUserNameW(nullptr, &size);
  if (size == 0) return {};
  std::wstring name(size, L'\0');
  if (!GetUserNameW(name.data(), &size)) return {};
  name.resize(size > 0 ? size - 1 : 0);
  return name;
}

HWND ForegroundWindowOfThisProcess() {
  HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  if (foreground) GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}

}  // namespace

CNorvaKernelWrapper::CNorvaKernelWrapper(std::wstring title) : session_(std::move(title)) {}

CNorvaKernelWrapper::~CNorvaKernelWrapper() = default;

bool CNorvaKernelWrapper::Initialize(const std::wstring& productKey) {
  try {
    session_.SetClientName(productKey);
    disabled_ = true;
    auto& errorReporter = session_.ErrorReporter();
    auto& controlSource = session_.ControlSource();
    auto& control = session_.Control();
    auto& context = session_.ContextHolder();
    const Bstr client(productKey);
    if (FAILED(kernel_object::TryCreate(CLSID_NrvaErrorReporter, &errorReporter))) return false;

    if (SUCCEEDED(kernel_object::TryCreate(CLSID_NrvaControlSource, &controlSource))) {
      ComPtr<IDispatch> controlObject;
      ThrowIfFailed(controlSource->GetControl(controlObject.Receive()), L"kernel control");
      control = controlObject.As<INrvaControl>();
    } else {
      kernel_object::TryCreate(CLSID_NrvaControl, &control);
    }

    if (control) {
      HWND owner = ForegroundWindowOfThisProcess();
      long accepted = 0;
      ThrowIfFailed(control->LogOn(static_cast<long>(reinterpret_cast<LONG_PTR>(owner)), client.Get(),
                                   Variant::Missing().Get(), Variant::FromString(LoggedOnUser()).Get(),
                                   Variant::Missing().Get(), &accepted),
                    L"log-on");
      if (accepted == 0) {
        controlSource.Reset();
        control.Reset();
        return false;
      }
    }

    HRESULT result = S_OK;
    const bool attached = session_.IsAttached();
    if (attached) {
      ComPtr<IDispatch> contextObject;
      result = control->GetContext(contextObject.Receive());
      if (SUCCEEDED(result)) context = Take<INrvaContext>(contextObject);
    } else {
      context = kernel_object::Create<INrvaContext>(CLSID_NrvaContext);
      result = context->Open(client.Get(), Variant::Missing().Get(), Variant::Missing().Get());
    }

    long refuse = 0;
    ThrowIfFailed(errorReporter->CheckResult(result, Bstr(session_.Title()).Get(), &refuse), L"checking the context");
    if (refuse != 0) return false;
    ThrowIfFailed(result, L"translation context");

    if (!GetDirectionList()) {
      if (attached) {
        controlSource.Reset();
        control.Reset();
      }
      return false;
    }
    disabled_ = false;
    return true;
  } catch (...) {
    session_.ReportCaught();
    return false;
  }
}

ComPtr<INrvaTemplateManager>& CNorvaKernelWrapper::GetDirectionList() {
  if (!session_.DirectionListHolder()) {
    try {
      auto interfaceContext = kernel_object::Create<INrvaInterfaceContext>(CLSID_NrvaErrorReporter);
      const long owner = static_cast<long>(reinterpret_cast<LONG_PTR>(ownerWindow_));
      ThrowIfFailed(interfaceContext->SetMode(interfaceMode_, owner), L"interface mode");
      session_.DirectionListHolder() = session_.ContextDirections();
    } catch (...) {
      session_.ReportCaught();
      session_.DirectionListHolder().Reset();
    }
  }
  return session_.DirectionListHolder();
}

void CNorvaKernelWrapper::PrepareTranslation() {
  ComPtr<IDispatch> part;
  ThrowIfFailed(session_.CurrentProfile()->GetPart(part.Receive()), L"profile part");
  ThrowIfFailed(Take<INrvaProfilePart>(part)->Prepare(), L"preparing the translation");
}

unsigned long CNorvaKernelWrapper::GetDirsCount() {
  long count = 0;
  ThrowIfFailed(session_.ContextDirections()->GetCount(&count), L"direction count");
  return count < 0 ? 0 : static_cast<unsigned long>(count);
}

std::wstring CNorvaKernelWrapper::GetDirName(unsigned long index) {
  Bstr name;
  ThrowIfFailed(session_.ContextDirections()->GetDirName(Variant::FromUInt(index).Get(), name.Receive()),
                L"direction name");
  return name.Str();
}

long CNorvaKernelWrapper::GetDirID(unsigned long index) {
  long id = 0;
  ThrowIfFailed(session_.ContextDirections()->GetDirID(static_cast<short>(index), &id), L"direction id");
  return id;
}

unsigned long CNorvaKernelWrapper::GetTmplCountByDirIdx(unsigned long directionIndex) {
  try {
    ComPtr<IDispatch> list;
    ThrowIfFailed(session_.ContextDirections()->GetTemplates(Variant::FromUInt(directionIndex).Get(), list.Receive()));
    short count = 0;
    ThrowIfFailed(Take<INrvaTemplateList>(list)->GetCount(&count));
    return count < 0 ? 0 : static_cast<unsigned long>(count);
  } catch (...) {
    return 0;
  }
}

unsigned long CNorvaKernelWrapper::GetTmplCount() {
  ComPtr<IDispatch> list;
  ThrowIfFailed(session_.CurrentProfile()->GetTemplates(list.Receive()), L"template list");
  short count = 0;
  ThrowIfFailed(Take<INrvaTemplateList>(list)->GetCount(&count), L"template count");
  return count < 0 ? 0 : static_cast<unsigned long>(count);
}

namespace {

std::wstring TemplateName(ComPtr<IDispatch>& listObject, unsigned long index) {
  ComPtr<IDispatch> item;
  ThrowIfFailed(Take<INrvaTemplateList>(listObject)->GetItem(Variant::FromUInt(index).Get(), item.Receive()),
                L"template");
  Bstr name;
  ThrowIfFailed(Take<INrvaTemplate>(item)->GetName(name.Receive()), L"template name");
  return name.Str();
}

}  // namespace

std::wstring CNorvaKernelWrapper::GetTmplNameByDirIdx(unsigned long templateIndex, unsigned long directionIndex) {
  try {
    ComPtr<IDispatch> list;
    ThrowIfFailed(session_.ContextDirections()->GetTemplates(Variant::FromUInt(directionIndex).Get(), list.Receive()));
    return TemplateName(list, templateIndex);
  } catch (...) {
    return {};
  }
}

std::wstring CNorvaKernelWrapper::GetTmplName(unsigned long templateIndex) {
  ComPtr<IDispatch> list;
  ThrowIfFailed(session_.CurrentProfile()->GetTemplates(list.Receive()), L"template list");
  return TemplateName(list, templateIndex);
}

void CNorvaKernelWrapper::SetContextValue(long value) {
  session_.Reported([&] { ThrowIfFailed(session_.Context()->SetContextOption(Variant::FromInt32(value).Get())); });
}

void CNorvaKernelWrapper::RunProfileCommand(long value) {
  session_.Reported([&] {
    auto sink = platform::MakeComObject<CDNorvaCtEvents>();
    sink->SetContext(session_.Context().Copy());
    auto connection = platform::AdviseConnection::Make(session_.Context().Get(), __uuidof(DNorvaCtlEvents),
                                                       static_cast<DNorvaCtlEvents*>(sink.Get()));
    auto editor = session_.CurrentProfile().Query<INrvaProfileEditor>();
    ThrowIfFailed(editor->UpdateTemplate(0, Variant::FromInt32(value).Get(), static_cast<long>(GetActiveTplIndex())));
  });
}

void CNorvaKernelWrapper::SetProfileOption(long value) {
  session_.Reported([&] {
    ThrowIfFailed(session_.CurrentProfile()->ApplySetting(Variant::FromInt32(value).Get(), Variant::Missing().Get(),
                                                          Variant::Missing().Get()));
  });
}

void CNorvaKernelWrapper::ResetProfile() {
  session_.Reported([&] { ThrowIfFailed(session_.CurrentProfile()->Refresh(Variant::Missing().Get())); });
}

void CNorvaKernelWrapper::OpenProfileDictionaries() {
  session_.Reported([&] {
    ComPtr<IDispatch> data;
    ThrowIfFailed(session_.CurrentProfile()->GetProfileData(data.Receive()));
    ThrowIfFailed(Take<INrvaProfileData>(data)->Commit());
  });
}

void CNorvaKernelWrapper::UpdateDictionaries(long mode, UINT stringId) {
  if (mode == 0) return;
  session_.Reported([&] {
    auto editor = session_.CurrentProfile().Query<INrvaProfileEditor>();
    ComPtr<IDispatch> actionsObject;
    ThrowIfFailed(editor->GetDirectionActions(actionsObject.Receive()));
    auto actions = Take<INrvaDirectionActions>(actionsObject);
    if (mode == 1) {
      const std::wstring question = platform::LoadResourceString(stringId);
      if (MessageBoxW(GetForegroundWindow(), question.c_str(), session_.Title().c_str(), MB_YESNO) == IDYES)
        ThrowIfFailed(actions->RunConfirmed(GetActiveDirID()));
    } else {
      ThrowIfFailed(actions->Run(GetActiveDirID()));
    }
  });
}

namespace {

// The service object behind the context's direction list, or empty.
ComPtr<IUnknown> KernelServiceOf(INrvaContext* context) {
  ComPtr<IDispatch> list;
  ThrowIfFailed(context->GetDirectionList(list.Receive()), L"direction list");
  if (!list) return {};
  auto provider = list.As<IServiceProvider>();
  if (!provider) return {};
  ComPtr<IUnknown> service;
  ThrowIfFailed(provider->QueryService(kKernelService, kKernelService, service.ReceiveVoid()), L"kernel service");
  return service;
}

}  // namespace

void CNorvaKernelWrapper::ShowAbout(int iconGroupId, const std::wstring& title, HINSTANCE instance) {
  session_.Reported([&] {
    ComPtr<IUnknown> service = KernelServiceOf(session_.Context().Get());
    if (!service) return;
    ComPtr<INrvaAboutBox> about;
    if (FAILED(kernel_object::TryCreate(CLSID_NrvaErrorReporter, &about))) return;
    if (!instance) instance = platform::ModuleInstance();
    ThrowIfFailed(about->Prepare(reinterpret_cast<LONG_PTR>(instance), iconGroupId, service.Get(),
                                 Bstr(title).Get(), Bstr(L"").Get()));
    ThrowIfFailed(about->Show());
  });
}

void CNorvaKernelWrapper::ShowSecondAbout(int iconGroupId, const std::wstring& title, HINSTANCE instance) {
  session_.Reported([&] {
    ComPtr<IUnknown> service = KernelServiceOf(session_.Context().Get());
    if (!service) return;
    ComPtr<INrvaSecondDialog> dialog;
    if (FAILED(kernel_object::TryCreate(CLSID_NrvaErrorReporter, &dialog))) return;
    if (!instance) instance = platform::ModuleInstance();
    ThrowIfFailed(dialog->Prepare(reinterpret_cast<LONG_PTR>(instance), iconGroupId, service.Get(),
                                  Bstr(title).Get(), Bstr(L"").Get()));
    ThrowIfFailed(dialog->Show());
  });
}

void CNorvaKernelWrapper::StoreActiveChoice() {
  session_.Reported([&] {
    std::wstring templateId = GetActiveTplId();
    long directionId = GetActiveDirID();
    ThrowIfFailed(session_.ContextDirections()->SelectTemplate(Bstr(templateId).Get(), directionId));
  });
}

void CNorvaKernelWrapper::ReportError(HRESULT hr) { session_.ReportError(hr); }

long CNorvaKernelWrapper::GetActiveDirID() { return session_.ActiveDirID(); }

void CNorvaKernelWrapper::SetActiveDirID(long directionId) {
  ThrowIfFailed(session_.Context()->SetActiveDirID(directionId), L"setting the active direction");
}

unsigned long CNorvaKernelWrapper::GetActiveDirIndex() {
  short index = 0;
  ThrowIfFailed(session_.Context()->GetActiveDirIndex(&index), L"active direction index");
  return index < 0 ? 0 : static_cast<unsigned long>(index);
}

void CNorvaKernelWrapper::SetActiveDirIndex(unsigned long index) {
  ThrowIfFailed(session_.Context()->SetActiveDirIndex(static_cast<short>(index)),
                L"setting the active direction index");
}

std::wstring CNorvaKernelWrapper::GetActiveTplId() {
  Bstr id;
  ThrowIfFailed(session_.CurrentProfile()->GetActiveTemplateId(id.Receive()), L"active template");
  return id.Str();
}

HRESULT CNorvaKernelWrapper::SetActiveTplId(const std::wstring& templateId) {
  auto profile = session_.CurrentProfile();
  // Callers that show templates hand over a display name; the profile takes
  // identifiers. A list that cannot be read leaves the text to the profile.
  std::wstring id = templateId;
  try {
    ComPtr<IDispatch> list;
    ThrowIfFailed(profile->GetTemplates(list.Receive()), L"template list");
    id = kernel_templates::IdOf(Take<INrvaTemplateList>(list).Get(), templateId);
  } catch (const ComError&) {
  }
  return profile->SetActiveTemplateId(Bstr(id).Get());
}

unsigned long CNorvaKernelWrapper::GetActiveTplIndex() {
  std::wstring id = GetActiveTplId();
  ComPtr<IDispatch> list;
  ThrowIfFailed(session_.CurrentProfile()->GetTemplates(list.Receive()), L"template list");
  short index = 0;
  ThrowIfFailed(Take<INrvaTemplateList>(list)->IndexOf(Bstr(id).Get(), &index), L"template index");
  return index < 0 ? 0 : static_cast<unsigned long>(index);
}

bool CNorvaKernelWrapper::IsDisable() { return disabled_; }

void CNorvaKernelWrapper::SetOption(long option) { interfaceMode_ = option; }

void CNorvaKernelWrapper::SetParentWindow(HWND window) { ownerWindow_ = window; }

HWND CNorvaKernelWrapper::GetParentWindow() { return ownerWindow_; }

void CNorvaKernelWrapper::SetMode(long mode, long value) {
  try {
    ComPtr<INrvaInterfaceContext> interfaceContext;
    if (SUCCEEDED(kernel_object::TryCreate(CLSID_NrvaErrorReporter, &interfaceContext)))
      interfaceContext->SetMode(mode, value);
  } catch (...) {
  }
}

bool CNorvaKernelWrapper::IsControlDetached() {
  if (!session_.Control()) return true;
  VARIANT_BOOL detached = VARIANT_TRUE;
  if (FAILED(session_.Control()->GetDetached(&detached))) return true;
  return detached != VARIANT_FALSE;
}

bool CNorvaKernelWrapper::IsControlMissing() {
  ComPtr<IUnknown> control;
  return kernel_object::TryCreateUnknown(CLSID_NrvaControl, &control) != S_OK;
}

long CNorvaKernelWrapper::GetPageDirection(const std::wstring& pageText, long flag) {
  return static_cast<long>(ChoosePageDirection(pageText, this, flag != 0));
}
