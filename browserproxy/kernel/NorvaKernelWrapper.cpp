#include "browserproxy/kernel/NorvaKernelWrapper.h"

#include <lmcons.h>

#include <vector>

#include "browserproxy/kernel/KernelObject.h"
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

constexpr HRESULT kUnexpected = static_cast<HRESULT>(0x8000FFFF);
constexpr HRESULT kJobFailed = static_cast<HRESULT>(0x800F0021);
constexpr long kJobStateDone = 0;
constexpr long kJobStateStopped = 2;
constexpr long kJobStateFailed = 0x8005;

Variant UIntIndex(unsigned long index) {
  Variant value;
  value.Ptr()->vt = VT_UINT;
  value.Ptr()->uintVal = static_cast<UINT>(index);
  return value;
}

Variant ShortValue(short number) {
  Variant value;
  value.Ptr()->vt = VT_I2;
  value.Ptr()->iVal = number;
  return value;
}

// The object a kernel call handed out, asked for the wanted interface.
template <class T>
ComPtr<T> Take(ComPtr<IDispatch>& object) {
  if (!object) throw ComError(E_POINTER, L"the kernel handed out no object");
  return object.Query<T>();
}

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

CNorvaKernelWrapper::CNorvaKernelWrapper(std::wstring title) : title_(std::move(title)) {}

CNorvaKernelWrapper::~CNorvaKernelWrapper() {
  smartFolders_.Reset();
  directionList_.Reset();
  analyzerSource_.Reset();
  control_.Reset();
  controlSource_.Reset();
}

void CNorvaKernelWrapper::ReportCaught() {
  try {
    throw;
  } catch (const ComError& error) {
    ReportError(error.Result());
  } catch (...) {
    ReportError(kUnexpected);
  }
}

bool CNorvaKernelWrapper::IsAttached() {
  if (!control_) return false;
  VARIANT_BOOL detached = VARIANT_TRUE;
  if (FAILED(control_->GetDetached(&detached))) return false;
  return detached == VARIANT_FALSE;
}

bool CNorvaKernelWrapper::Initialize(const std::wstring& productKey) {
  try {
    clientName_ = productKey;
    disabled_ = true;
    if (FAILED(kernel_object::TryCreate(CLSID_NrvaErrorReporter, &errorReporter_))) return false;

    if (SUCCEEDED(kernel_object::TryCreate(CLSID_NrvaControlSource, &controlSource_))) {
      ComPtr<IDispatch> control;
      ThrowIfFailed(controlSource_->GetControl(control.Receive()), L"kernel control");
      control_ = control.As<INrvaControl>();
    } else {
      kernel_object::TryCreate(CLSID_NrvaControl, &control_);
    }

    if (control_) {
      HWND owner = ForegroundWindowOfThisProcess();
      long accepted = 0;
      ThrowIfFailed(control_->LogOn(static_cast<long>(reinterpret_cast<LONG_PTR>(owner)), Bstr(clientName_).Get(),
                                    Variant::Missing().Get(), Variant::FromString(LoggedOnUser()).Get(),
                                    Variant::Missing().Get(), &accepted),
                    L"log-on");
      if (accepted == 0) {
        controlSource_.Reset();
        control_.Reset();
        return false;
      }
    }

    HRESULT result = S_OK;
    const bool attached = IsAttached();
    if (attached) {
      ComPtr<IDispatch> context;
      result = control_->GetContext(context.Receive());
      if (SUCCEEDED(result)) context_ = Take<INrvaContext>(context);
    } else {
      context_ = kernel_object::Create<INrvaContext>(CLSID_NrvaContext);
      result = context_->Open(Bstr(clientName_).Get(), Variant::Missing().Get(), Variant::Missing().Get());
    }

    long refuse = 0;
    ThrowIfFailed(errorReporter_->CheckResult(result, Bstr(title_).Get(), &refuse), L"checking the context");
    if (refuse != 0) return false;
    ThrowIfFailed(result, L"translation context");

    if (!GetDirectionList()) {
      if (attached) {
        controlSource_.Reset();
        control_.Reset();
      }
      return false;
    }
    disabled_ = false;
    return true;
  } catch (...) {
    ReportCaught();
    return false;
  }
}

ComPtr<INrvaContext>& CNorvaKernelWrapper::GetContext() {
  if (!context_) {
    if (IsAttached()) {
      ComPtr<IDispatch> context;
      ThrowIfFailed(control_->GetContext(context.Receive()), L"translation context");
      context_ = Take<INrvaContext>(context);
      context_->SetActiveDirIndex(0);
    } else {
      auto context = kernel_object::Create<INrvaContext>(CLSID_NrvaContext);
      ThrowIfFailed(context->Open(Bstr(clientName_).Get(), ShortValue(0).Get(), Variant::Missing().Get()),
                    L"opening the translation context");
      context_ = std::move(context);
    }
  }
  return context_;
}

ComPtr<INrvaTemplateManager>& CNorvaKernelWrapper::GetDirectionList() {
  if (!directionList_) {
    try {
      auto interfaceContext = kernel_object::Create<INrvaInterfaceContext>(CLSID_NrvaErrorReporter);
      ThrowIfFailed(interfaceContext->SetMode(interfaceMode_, static_cast<long>(reinterpret_cast<LONG_PTR>(ownerWindow_))),
                    L"interface mode");
      directionList_ = ContextDirections();
    } catch (...) {
      ReportCaught();
      directionList_.Reset();
    }
  }
  return directionList_;
}

ComPtr<INrvaTemplateManager> CNorvaKernelWrapper::ContextDirections() {
  ComPtr<IDispatch> list;
  ThrowIfFailed(GetContext()->GetDirectionList(list.Receive()), L"direction list");
  return Take<INrvaTemplateManager>(list);
}

ComPtr<INrvaProfile> CNorvaKernelWrapper::CurrentProfile() {
  ComPtr<IDispatch> profile;
  ThrowIfFailed(GetContext()->GetProfile(profile.Receive()), L"current profile");
  return Take<INrvaProfile>(profile);
}

void CNorvaKernelWrapper::PrepareTranslation() {
  ComPtr<IDispatch> part;
  ThrowIfFailed(CurrentProfile()->GetPart(part.Receive()), L"profile part");
  ThrowIfFailed(Take<INrvaProfilePart>(part)->Prepare(), L"preparing the translation");
}

unsigned long CNorvaKernelWrapper::GetDirsCount() {
  long count = 0;
  ThrowIfFailed(ContextDirections()->GetCount(&count), L"direction count");
  return count < 0 ? 0 : static_cast<unsigned long>(count);
}

std::wstring CNorvaKernelWrapper::GetDirName(unsigned long index) {
  Bstr name;
  ThrowIfFailed(ContextDirections()->GetDirName(UIntIndex(index).Get(), name.Receive()), L"direction name");
  return name.Str();
}

long CNorvaKernelWrapper::GetDirID(unsigned long index) {
  long id = 0;
  ThrowIfFailed(ContextDirections()->GetDirID(static_cast<short>(index), &id), L"direction id");
  return id;
}

unsigned long CNorvaKernelWrapper::GetTmplCountByDirIdx(unsigned long directionIndex) {
  try {
    ComPtr<IDispatch> list;
    ThrowIfFailed(ContextDirections()->GetTemplates(UIntIndex(directionIndex).Get(), list.Receive()));
    short count = 0;
    ThrowIfFailed(Take<INrvaTemplateList>(list)->GetCount(&count));
    return count < 0 ? 0 : static_cast<unsigned long>(count);
  } catch (...) {
    return 0;
  }
}

unsigned long CNorvaKernelWrapper::GetTmplCount() {
  ComPtr<IDispatch> list;
  ThrowIfFailed(CurrentProfile()->GetTemplates(list.Receive()), L"template list");
  short count = 0;
  ThrowIfFailed(Take<INrvaTemplateList>(list)->GetCount(&count), L"template count");
  return count < 0 ? 0 : static_cast<unsigned long>(count);
}

namespace {

std::wstring TemplateName(ComPtr<IDispatch>& listObject, unsigned long index) {
  ComPtr<IDispatch> item;
  ThrowIfFailed(Take<INrvaTemplateList>(listObject)->GetItem(UIntIndex(index).Get(), item.Receive()), L"template");
  Bstr name;
  ThrowIfFailed(Take<INrvaTemplate>(item)->GetName(name.Receive()), L"template name");
  return name.Str();
}

}  // namespace

std::wstring CNorvaKernelWrapper::GetTmplNameByDirIdx(unsigned long templateIndex, unsigned long directionIndex) {
  try {
    ComPtr<IDispatch> list;
    ThrowIfFailed(ContextDirections()->GetTemplates(UIntIndex(directionIndex).Get(), list.Receive()));
    return TemplateName(list, templateIndex);
  } catch (...) {
    return {};
  }
}

std::wstring CNorvaKernelWrapper::GetTmplName(unsigned long templateIndex) {
  ComPtr<IDispatch> list;
  ThrowIfFailed(CurrentProfile()->GetTemplates(list.Receive()), L"template list");
  return TemplateName(list, templateIndex);
}

void CNorvaKernelWrapper::SetContextValue(long value) {
  Reported([&] { ThrowIfFailed(GetContext()->SetContextOption(Variant::FromInt32(value).Get())); });
}

void CNorvaKernelWrapper::RunProfileCommand(long value) {
  Reported([&] {
    auto sink = platform::MakeComObject<CDNorvaCtEvents>();
    sink->SetContext(GetContext().Copy());
    auto connection = platform::AdviseConnection::Make(GetContext().Get(), __uuidof(DNorvaCtlEvents),
                                                       static_cast<DNorvaCtlEvents*>(sink.Get()));
    auto editor = CurrentProfile().Query<INrvaProfileEditor>();
    ThrowIfFailed(editor->UpdateTemplate(0, Variant::FromInt32(value).Get(), static_cast<long>(GetActiveTplIndex())));
  });
}

void CNorvaKernelWrapper::SetProfileOption(long value) {
  Reported([&] {
    ThrowIfFailed(CurrentProfile()->ApplySetting(Variant::FromInt32(value).Get(), Variant::Missing().Get(),
                                                 Variant::Missing().Get()));
  });
}

void CNorvaKernelWrapper::ResetProfile() {
  Reported([&] { ThrowIfFailed(CurrentProfile()->Refresh(Variant::Missing().Get())); });
}

void CNorvaKernelWrapper::OpenProfileDictionaries() {
  Reported([&] {
    ComPtr<IDispatch> data;
    ThrowIfFailed(CurrentProfile()->GetProfileData(data.Receive()));
    ThrowIfFailed(Take<INrvaProfileData>(data)->Commit());
  });
}

void CNorvaKernelWrapper::UpdateDictionaries(long mode, UINT stringId) {
  if (mode == 0) return;
  Reported([&] {
    auto editor = CurrentProfile().Query<INrvaProfileEditor>();
    ComPtr<IDispatch> actionsObject;
    ThrowIfFailed(editor->GetDirectionActions(actionsObject.Receive()));
    auto actions = Take<INrvaDirectionActions>(actionsObject);
    if (mode == 1) {
      const std::wstring question = platform::LoadResourceString(stringId);
      if (MessageBoxW(GetForegroundWindow(), question.c_str(), title_.c_str(), MB_YESNO) == IDYES)
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
  Reported([&] {
    ComPtr<IUnknown> service = KernelServiceOf(GetContext().Get());
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
  Reported([&] {
    ComPtr<IUnknown> service = KernelServiceOf(GetContext().Get());
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
  Reported([&] {
    std::wstring templateId = GetActiveTplId();
    long directionId = GetActiveDirID();
    ThrowIfFailed(ContextDirections()->SelectTemplate(Bstr(templateId).Get(), directionId));
  });
}

void CNorvaKernelWrapper::ReportError(HRESULT hr) {
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

long CNorvaKernelWrapper::GetActiveDirID() {
  long id = 0;
  ThrowIfFailed(GetContext()->GetActiveDirID(&id), L"active direction");
  return id;
}

void CNorvaKernelWrapper::SetActiveDirID(long directionId) {
  ThrowIfFailed(GetContext()->SetActiveDirID(directionId), L"setting the active direction");
}

unsigned long CNorvaKernelWrapper::GetActiveDirIndex() {
  short index = 0;
  ThrowIfFailed(GetContext()->GetActiveDirIndex(&index), L"active direction index");
  return index < 0 ? 0 : static_cast<unsigned long>(index);
}

void CNorvaKernelWrapper::SetActiveDirIndex(unsigned long index) {
  ThrowIfFailed(GetContext()->SetActiveDirIndex(static_cast<short>(index)), L"setting the active direction index");
}

std::wstring CNorvaKernelWrapper::GetActiveTplId() {
  Bstr id;
  ThrowIfFailed(CurrentProfile()->GetActiveTemplateId(id.Receive()), L"active template");
  return id.Str();
}

HRESULT CNorvaKernelWrapper::SetActiveTplId(const std::wstring& templateId) {
  return CurrentProfile()->SetActiveTemplateId(Bstr(templateId).Get());
}

unsigned long CNorvaKernelWrapper::GetActiveTplIndex() {
  std::wstring id = GetActiveTplId();
  ComPtr<IDispatch> list;
  ThrowIfFailed(CurrentProfile()->GetTemplates(list.Receive()), L"template list");
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
  if (!control_) return true;
  VARIANT_BOOL detached = VARIANT_TRUE;
  if (FAILED(control_->GetDetached(&detached))) return true;
  return detached != VARIANT_FALSE;
}

bool CNorvaKernelWrapper::IsControlMissing() {
  ComPtr<IUnknown> control;
  return kernel_object::TryCreateUnknown(CLSID_NrvaControl, &control) != S_OK;
}

long CNorvaKernelWrapper::GetPageDirection(const std::wstring& pageText, long flag) {
  return static_cast<long>(ChoosePageDirection(pageText, this, flag != 0));
}

IUnknown* CNorvaKernelWrapper::GetContextObject() { return context_.Get(); }

IUnknown* CNorvaKernelWrapper::GetDirectionsObject() { return directionList_.Get(); }

// No caller uses the dictionaries service; it hands out nothing.
IUnknown* CNorvaKernelWrapper::GetDictionariesObject() { return nullptr; }
