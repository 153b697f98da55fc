// The two sinks the component holds: the kernel's control events and the
// counter sink Tessiva keeps.
#include "firefox/FervixComponent.h"
#include "platform/com/Bstr.h"

using platform::Bstr;
using platform::ComPtr;

namespace {

constexpr GUID kKernelLibrary = {0xF43077E0, 0xFDAF, 0x470B, {0xA1, 0xD2, 0x05, 0x38, 0x14, 0xB1, 0x58, 0xDA}};

// Runs a handler body: a failing proxy call gives S_FALSE.
template <class Body>
HRESULT EventBody(Body&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (...) {
    return S_FALSE;
  }
}

LONG ActiveDirId(INorvaBrowserClass* proxy) {
  LONG value = 0;
  platform::ThrowIfFailed(proxy->get_ActiveDirID(&value));
  return value;
}

ULONG ActiveTemplateIndex(INorvaBrowserClass* proxy) {
  ULONG value = 0;
  platform::ThrowIfFailed(proxy->get_ActiveTplIndex(&value));
  return value;
}

}  // namespace

HRESULT CFervixComponent::XNorvaCtlEvents::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_DNorvaCtlEvents) return E_NOINTERFACE;
  *out = static_cast<DNorvaCtlEvents*>(this);
  AddRef();
  return S_OK;
}

HRESULT CFervixComponent::XNorvaCtlEvents::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

ComPtr<ITypeInfo> CFervixComponent::XNorvaCtlEvents::TypeInfo(LCID locale) {
  ComPtr<ITypeLib> library;
  ComPtr<ITypeInfo> info;
  if (SUCCEEDED(LoadRegTypeLib(kKernelLibrary, 1, 0, locale, library.Receive())))
    library->GetTypeInfoOfGuid(IID_DNorvaCtlEvents, info.Receive());
  return info;
}

HRESULT CFervixComponent::XNorvaCtlEvents::GetTypeInfo(UINT, LCID locale, ITypeInfo** out) {
  if (!out) return E_POINTER;
  ComPtr<ITypeInfo> info = TypeInfo(locale);
  *out = info.Detach();
  return *out ? S_OK : TYPE_E_LIBNOTREGISTERED;
}

HRESULT CFervixComponent::XNorvaCtlEvents::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale,
                                                         DISPID* ids) {
  ComPtr<ITypeInfo> info = TypeInfo(locale);
  if (!info) return TYPE_E_LIBNOTREGISTERED;
  return info->GetIDsOfNames(names, count, ids);
}

HRESULT CFervixComponent::XNorvaCtlEvents::Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* params,
                                                  VARIANT* result, EXCEPINFO* exception, UINT* argError) {
  ComPtr<ITypeInfo> info = TypeInfo(locale);
  if (!info) return TYPE_E_LIBNOTREGISTERED;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  return info->Invoke(static_cast<DNorvaCtlEvents*>(this), id, flags, params ? params : &none, result, exception,
                      argError);
}

HRESULT CFervixComponent::XNorvaCtlEvents::OnDirectionListsChanged(long dirId) {
  return EventBody([&] {
    INorvaBrowserClass* proxy = owner_.proxy_.Get();
    if (proxy && dirId == ActiveDirId(proxy) && owner_.observer_) owner_.observer_->OnListsChanged();
  });
}

HRESULT CFervixComponent::XNorvaCtlEvents::OnDirectionTemplatesChanged(long dirId) {
  return EventBody([&] {
    INorvaBrowserClass* proxy = owner_.proxy_.Get();
    if (!proxy || dirId != ActiveDirId(proxy)) return;
    if (owner_.observer_) owner_.observer_->OnListsChanged();
    Bstr active;
    platform::ThrowIfFailed(proxy->get_ActiveTplId(active.Receive()));
    if (active.Empty()) {
      Bstr first;
      platform::ThrowIfFailed(proxy->get_TmplName(0, first.Receive()));
      platform::ThrowIfFailed(proxy->put_ActiveTplId(first.Get()));
    }
    // The index comes from the proxy: the list holds names, the active template is an id.
    ULONG index = ActiveTemplateIndex(proxy);
    if (owner_.observer_) owner_.observer_->OnActiveTemplateIndexChanged(static_cast<PRInt32>(index));
  });
}

HRESULT CFervixComponent::XNorvaCtlEvents::OnTemplateRenamed(long dirId, BSTR oldId, BSTR newId) {
  return EventBody([&] {
    INorvaBrowserClass* proxy = owner_.proxy_.Get();
    if (!proxy || dirId != ActiveDirId(proxy)) return;
    if (owner_.observer_) owner_.observer_->OnListsChanged();
    Bstr active;
    platform::ThrowIfFailed(proxy->get_ActiveTplId(active.Receive()));
    if (active.View() == platform::BstrView(oldId)) platform::ThrowIfFailed(proxy->put_ActiveTplId(newId));
    ULONG index = ActiveTemplateIndex(proxy);
    if (owner_.observer_) owner_.observer_->OnActiveTemplateIndexChanged(static_cast<PRInt32>(index));
  });
}

HRESULT CFervixComponent::XNorvaCtlEvents::OnActiveDirectionChanged() {
  return EventBody([&] {
    INorvaBrowserClass* proxy = owner_.proxy_.Get();
    if (!proxy) return;
    ULONG index = 0;
    platform::ThrowIfFailed(proxy->get_ActiveDirIndex(&index));
    if (owner_.observer_) {
      owner_.observer_->OnActiveDirIndexChanged(static_cast<PRInt32>(index));
      owner_.observer_->OnListsChanged();
    }
  });
}

HRESULT CFervixComponent::XNorvaCtlEvents::OnActiveTemplateChanged() {
  return EventBody([&] {
    INorvaBrowserClass* proxy = owner_.proxy_.Get();
    if (!proxy) return;
    ULONG index = ActiveTemplateIndex(proxy);
    if (owner_.observer_) owner_.observer_->OnActiveTemplateIndexChanged(static_cast<PRInt32>(index));
  });
}

HRESULT CFervixComponent::XNorvaBrowserAppCounterIntegration::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_INorvaBrowserAppCounterEvents) return E_NOINTERFACE;
  *out = static_cast<INorvaBrowserAppCounterEvents*>(this);
  AddRef();
  return S_OK;
}

HRESULT CFervixComponent::XNorvaBrowserAppCounterIntegration::Disable(long) {
  try {
    if (owner_.observer_) owner_.observer_->OnDisable(1);
    return S_OK;
  } catch (...) {
    return S_FALSE;
  }
}
