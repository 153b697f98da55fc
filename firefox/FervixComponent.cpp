// The component's life, Init and the calls that go straight to the proxy.
#include "firefox/FervixComponent.h"

#include <new>

#include "firefox/FervixApp.h"
#include "firefox/PageHtml.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"
#include "platform/xpcom/XpcomString.h"
#include "shared/ProductFolders.h"

using platform::Bstr;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

namespace {

bool SameId(const nsIID& a, const nsIID& b) { return memcmp(&a, &b, sizeof(nsIID)) == 0; }

// The body of a method: a COM error or anything else thrown ends as E_FAIL.
template <class Body>
nsresult Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return NS_ERROR_FAILURE;
  }
}

// EnumWindows' callback: the first browser window that is in the
// foreground and has a client area ends the search.
BOOL CALLBACK TakeMozillaWindow(HWND window, LPARAM found) {
  wchar_t name[261] = {};
  GetClassNameW(window, name, 261);
  if (_wcsicmp(name, L"MozillaWindowClass") != 0 && _wcsicmp(name, L"MozillaUIWindowClass") != 0) return TRUE;
  if (window != GetForegroundWindow()) return TRUE;
  RECT client = {};
  if (!GetClientRect(window, &client) || client.right - client.left <= 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

CFervixComponent::CFervixComponent() = default;

CFervixComponent::~CFervixComponent() {
  try {
    if (proxy_ && eventsCookie_) {
      ComPtr<IDispatch> directions;
      if (SUCCEEDED(proxy_->GetDirectirons(directions.Receive()))) UnadviseEvents(directions.Get(), eventsCookie_);
    }
  } catch (...) {
  }
  eventsCookie_ = 0;
  // Tessiva may still hold the sinks; they die with this object, so cut
  // every reference COM keeps to them first.
  CoDisconnectObject(static_cast<DNorvaCtlEvents*>(&ctlEvents_), 0);
  CoDisconnectObject(static_cast<INorvaBrowserAppCounterEvents*>(&counterEvents_), 0);
  proxy_.Reset();
  if (hookWindow_.IsWindow()) hookWindow_.Destroy();
  observer_.Reset();
}

nsresult CFervixComponent::CreateInstance(nsISupports* outer, const nsIID& iid, void** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  *result = nullptr;
  if (outer) return NS_ERROR_NO_AGGREGATION;
  auto* component = new (std::nothrow) CFervixComponent();
  if (!component) return NS_ERROR_OUT_OF_MEMORY;
  component->AddRef();
  nsresult rv = component->QueryInterface(iid, result);
  component->Release();
  return rv;
}

NS_IMETHODIMP CFervixComponent::QueryInterface(const nsIID& iid, void** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  *result = nullptr;
  if (SameId(iid, __uuidof(IFervix9_2)) || SameId(iid, __uuidof(IFervix9)) || SameId(iid, __uuidof(nsISupports))) {
    *result = static_cast<IFervix9_2*>(this);
    AddRef();
    return NS_OK;
  }
  return NS_NOINTERFACE;
}

nsrefcnt __stdcall CFervixComponent::AddRef() { return ++refs_; }

nsrefcnt __stdcall CFervixComponent::Release() {
  if (--refs_ != 0) return refs_;
  refs_ = 1;  // a release during destruction must not destroy again
  delete this;
  return 0;
}

HWND CFervixComponent::FindMozillaWindow() {
  HWND found = nullptr;
  EnumWindows(TakeMozillaWindow, reinterpret_cast<LPARAM>(&found));
  if (found) lastBrowserWindow_ = found;
  return lastBrowserWindow_;
}

NS_IMETHODIMP CFervixComponent::Init(IFervix9Observer* observer, PRBool* ok) {
  if (!ok) return NS_ERROR_NULL_POINTER;
  if (initialized_) {
    *ok = PR_TRUE;
    return NS_OK;
  }
  if (!observer) {
    *ok = PR_FALSE;
    return NS_OK;
  }
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  observer_ = ComPtr<IFervix9Observer>::Share(observer);
  if (!hookWindow_.IsWindow()) hookWindow_.Create();
  HWND browser = FindMozillaWindow();
  try {
    ComPtr<IWebClassCreator> creator;
    ThrowIfFailed(CoCreateInstance(CLSID_WebClassCreator, nullptr, CLSCTX_ALL, IID_IWebClassCreator,
                                   creator.ReceiveVoid()),
                  L"WebClassCreator");
    ComPtr<IDispatch> object;
    HRESULT hr = creator->GetProxyObject(
        EPBT_FF, &counterEvents_, static_cast<LONG>(reinterpret_cast<LONG_PTR>(browser)),
        static_cast<LONG>(reinterpret_cast<LONG_PTR>(hookWindow_.Hwnd())), object.Receive());
    if (object && (!proxy_ || !platform::SameObject(object, proxy_))) {
      ComPtr<INorvaBrowserClass> proxy;
      if (SUCCEEDED(object->QueryInterface(IID_INorvaBrowserClass, proxy.ReceiveVoid()))) proxy_ = std::move(proxy);
    }
    hookWindow_.SetProxy(proxy_.Get());
    hookWindow_.SetSelectionGetter(this);
    if (hr == S_FALSE) hr = E_FAIL;
    ThrowIfFailed(hr, L"GetProxyObject");
    if (!proxy_) throw platform::ComError(E_NOINTERFACE, L"INorvaBrowserClass");
    ComPtr<IDispatch> directions;
    ThrowIfFailed(proxy_->GetDirectirons(directions.Receive()), L"GetDirectirons");
    DWORD cookie = 0;
    ThrowIfFailed(AdviseEvents(directions.Get(), static_cast<DNorvaCtlEvents*>(&ctlEvents_), &cookie), L"Advise");
    eventsCookie_ = cookie;
  } catch (...) {
    if (observer_) observer_->OnDisable(1);
    *ok = PR_FALSE;
    return NS_OK;
  }
  rememberedWindow_ = nullptr;
  disabledWindow_ = nullptr;
  *ok = PR_TRUE;
  initialized_ = 1;
  abortFramesMessage_ = RegisterWindowMessageW(L"Abort frames translation");
  nextFrameMessage_ = RegisterWindowMessageW(L"Translate next frame");
  return NS_OK;
}

HRESULT CFervixComponent::AdviseEvents(IDispatch* object, IUnknown* sink, DWORD* cookie) {
  if (!object || !cookie) return E_INVALIDARG;
  ComPtr<IConnectionPointContainer> container;
  HRESULT hr = object->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid());
  if (FAILED(hr)) return hr;
  ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(IID_DNorvaCtlEvents, point.Receive());
  if (FAILED(hr)) return hr;
  return point->Advise(sink, cookie);
}

HRESULT CFervixComponent::UnadviseEvents(IDispatch* object, DWORD cookie) {
  if (!object) return E_INVALIDARG;
  ComPtr<IConnectionPointContainer> container;
  HRESULT hr = object->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid());
  if (FAILED(hr)) return hr;
  ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(IID_DNorvaCtlEvents, point.Receive());
  if (FAILED(hr)) return hr;
  return point->Unadvise(cookie);
}

NS_IMETHODIMP CFervixComponent::GetDirsCount(PRInt32* count) {
  if (!initialized_ || !proxy_ || !count) return NS_ERROR_FAILURE;
  ULONG value = 0;
  if (FAILED(proxy_->get_DirsCount(&value))) return NS_ERROR_FAILURE;
  *count = static_cast<PRInt32>(value);
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::GetDir(PRInt16 index, nsAString& name, PRInt32* id) {
  if (!Ready() || !id) return NS_ERROR_FAILURE;
  Bstr text;
  LONG value = 0;
  if (FAILED(proxy_->get_DirName(index, text.Receive()))) return NS_ERROR_FAILURE;
  if (FAILED(proxy_->get_DirID(static_cast<ULONG>(index), &value))) return NS_ERROR_FAILURE;
  WriteXpString(name, text.View());
  *id = value;
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::SetActiveDir(PRInt32 id, PRInt32* templateCount) {
  if (!Ready() || !templateCount) return NS_ERROR_FAILURE;
  ULONG count = 0;
  if (FAILED(proxy_->put_ActiveDirID(id)) || FAILED(proxy_->get_TmplCount(&count))) {
    *templateCount = 0;
    return NS_ERROR_FAILURE;
  }
  *templateCount = static_cast<PRInt32>(count);
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::GetTemplateName(PRInt16 index, nsAString& name) {
  if (!Ready()) return NS_ERROR_FAILURE;
  Bstr text;
  if (FAILED(proxy_->get_TmplName(static_cast<ULONG>(index), text.Receive()))) return NS_ERROR_FAILURE;
  WriteXpString(name, text.View());
  templateIndex_ = index;
  return NS_OK;
}

bool CFervixComponent::SetDirectionAndTemplate(PRInt32 dirId, const nsAString& templateId) {
  if (FAILED(proxy_->put_ActiveDirID(dirId))) return false;
  return SUCCEEDED(proxy_->put_ActiveTplId(Bstr(ReadXpString(templateId)).Get()));
}

NS_IMETHODIMP CFervixComponent::TranslateElement(nsISupports* source, nsISupports* target, PRInt32 dirId,
                                                 const nsAString& templateId) {
  if (!Ready()) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  return Guarded([&]() -> nsresult {
    if (!SetDirectionAndTemplate(dirId, templateId)) return NS_ERROR_FAILURE;
    std::optional<std::wstring> html = ElementHtml(source);
    if (!html) return NS_ERROR_FAILURE;
    Bstr translated;
    if (FAILED(proxy_->TranslateText(Bstr(*html).Get(), translated.Receive()))) return NS_ERROR_FAILURE;
    return SetElementHtml(target, translated.View());
  });
}

NS_IMETHODIMP CFervixComponent::ShowAbout() {
  if (!Ready()) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  return FAILED(proxy_->ShowAboutDlg()) ? NS_ERROR_FAILURE : NS_OK;
}

NS_IMETHODIMP CFervixComponent::RememberForegroundWindow() {
  rememberedWindow_ = GetForegroundWindow();
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::ShowMessage(const nsAString& text) {
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  MessageBoxW(GetForegroundWindow(), ReadXpString(text).c_str(), TheApp().Name().c_str(), MB_OK);
  return NS_OK;
}

HWND CFervixComponent::TakeWindowToDisable() {
  HWND window = rememberedWindow_ ? rememberedWindow_ : GetForegroundWindow();
  disabledWindow_ = window;
  rememberedWindow_ = nullptr;
  SetActiveWindow(window);
  EnableWindow(window, FALSE);
  return window;
}

NS_IMETHODIMP CFervixComponent::DisableBrowserWindow() {
  TakeWindowToDisable();
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::DoNothing() { return NS_OK; }

NS_IMETHODIMP CFervixComponent::ShowHelp() {
  if (!Ready()) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  return FAILED(proxy_->ShowHelp()) ? NS_ERROR_FAILURE : NS_OK;
}

NS_IMETHODIMP CFervixComponent::SetTemplateId(const nsAString& templateId) {
  templateId_ = ReadXpString(templateId);
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::HasHandOff(PRBool* present) {
  if (!present) return NS_ERROR_NULL_POINTER;
  *present = TheApp().D() != 0 ? PR_TRUE : (TheApp().ReadRunningHandOff() ? PR_TRUE : PR_FALSE);
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::GetHandOffD(PRInt32* d) {
  if (!d) return NS_ERROR_NULL_POINTER;
  *d = static_cast<PRInt32>(TheApp().D());
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::GetHandOffT(nsAString& t) { return WriteXpString(t, TheApp().T()); }
NS_IMETHODIMP CFervixComponent::GetHandOffU(nsAString& u) { return WriteXpString(u, TheApp().U()); }

NS_IMETHODIMP CFervixComponent::ClearHandOffD() {
  TheApp().ClearD();
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::HasAotFolder(PRBool* present) {
  if (present) *present = GetProductFolder(L"AOT").empty() ? PR_FALSE : PR_TRUE;
  return NS_OK;
}

int32_t CFervixComponent::SettingValue(const wchar_t* name) {
  Variant value;
  Variant missing = Variant::Missing();
  ThrowIfFailed(proxy_->GetSetting(Bstr(name).Get(), missing.Get(), value.Receive()), name);
  // A setting without value and default answers the missing marker, whose
  // 32-bit field is its code (non-zero: the option pages count it as on).
  if (value.Type() == VT_ERROR) return static_cast<int32_t>(value.Get().scode);
  auto number = value.ToInt32();
  if (!number) throw platform::ComError(DISP_E_TYPEMISMATCH, name);
  return *number;
}

NS_IMETHODIMP CFervixComponent::IsPageTranslateModeZero(PRBool* zero) {
  if (!Ready() || !zero) return NS_ERROR_FAILURE;
  return Guarded([&] {
    *zero = SettingValue(L"PageTranslateMode") == 0 ? PR_TRUE : PR_FALSE;
    return NS_OK;
  });
}

NS_IMETHODIMP CFervixComponent::IsWebSearchMode(PRBool* on) {
  if (!Ready() || !on) return NS_ERROR_FAILURE;
  return Guarded([&] {
    *on = SettingValue(L"WebSearchMode") != 0 ? PR_TRUE : PR_FALSE;
    return NS_OK;
  });
}

NS_IMETHODIMP CFervixComponent::GetPageTranslateMode(PRInt32* mode) {
  if (!Ready() || !mode) return NS_ERROR_FAILURE;
  return Guarded([&] {
    *mode = SettingValue(L"PageTranslateMode");
    return NS_OK;
  });
}

NS_IMETHODIMP CFervixComponent::GetPageTranslateSyncScroll(PRInt32* value) {
  if (!Ready() || !value) return NS_ERROR_FAILURE;
  return Guarded([&] {
    *value = SettingValue(L"PageTranslateSyncScroll");
    return NS_OK;
  });
}

NS_IMETHODIMP CFervixComponent::GetActiveDirIndex(PRInt32* index) {
  if (!initialized_ || !proxy_ || !index) return NS_ERROR_FAILURE;
  ULONG value = 0;
  if (FAILED(proxy_->get_ActiveDirIndex(&value))) return NS_ERROR_FAILURE;
  *index = static_cast<PRInt32>(value);
  return NS_OK;
}

// The list holds display names and the active template is known by its
// identifier: its place is asked of the proxy, which knows both.
std::optional<PRInt32> CFervixComponent::ActiveTemplatePlace(ULONG& count) {
  ThrowIfFailed(proxy_->get_TmplCount(&count), L"TmplCount");
  ULONG place = 0;
  if (FAILED(proxy_->get_ActiveTplIndex(&place)) || place >= count) return std::nullopt;
  return static_cast<PRInt32>(place);
}

// 0 when no template of the list is the active one.
NS_IMETHODIMP CFervixComponent::GetActiveTemplateIndex(PRInt32* index) {
  if (!Ready() || !index) return NS_ERROR_FAILURE;
  *index = 0;
  return Guarded([&] {
    ULONG count = 0;
    *index = ActiveTemplatePlace(count).value_or(0);
    return NS_OK;
  });
}

NS_IMETHODIMP CFervixComponent::IsEnabled(PRBool* enabled) {
  if (!enabled) return NS_ERROR_NULL_POINTER;
  *enabled = PR_FALSE;
  LONG disabled = 1;
  if (Ready() && SUCCEEDED(proxy_->get_IsDisable(&disabled)) && disabled == 0) *enabled = PR_TRUE;
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::DetectPage(const nsAString& url, const nsAString& source) {
  return DetectPageWith(&url, nullptr, source);
}

NS_IMETHODIMP CFervixComponent::DetectPage2(const nsAString& url, const nsAString& fullSource,
                                            const nsAString& source) {
  return DetectPageWith(&url, &fullSource, source);
}

nsresult CFervixComponent::DetectPageWith(const nsAString* url, const nsAString* fullSource,
                                          const nsAString& source) {
  if (!Ready()) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  return Guarded([&]() -> nsresult {
    ComPtr<INorvaBrowserClass2> proxy2 = proxy_.As<INorvaBrowserClass2>(IID_INorvaBrowserClass2);
    if (!proxy2) return NS_OK;
    Variant value;
    HRESULT hr = fullSource ? proxy2->GetPageInformation2(Bstr(ReadXpString(*url)).Get(),
                                                          Bstr(ReadXpString(*fullSource)).Get(),
                                                          Bstr(ReadXpString(source)).Get(), value.Receive())
                            : proxy2->GetPageInformation(Bstr(ReadXpString(*url)).Get(),
                                                         Bstr(ReadXpString(source)).Get(), value.Receive());
    if (hr != S_OK) return NS_OK;
    SAFEARRAY* array = platform::ArrayOf(value.Get());
    if (!array || platform::ElementType(array) != VT_VARIANT || platform::ElementCount(array) < 2)
      return NS_ERROR_FAILURE;
    auto dirId = platform::ElementAt(array, 0).ToInt32();
    auto templateId = platform::ElementAt(array, 1).ToString();
    if (!dirId || !templateId) return NS_ERROR_FAILURE;
    ThrowIfFailed(proxy_->put_ActiveDirID(*dirId));
    ThrowIfFailed(proxy_->put_ActiveTplId(Bstr(*templateId).Get()));
    ULONG dirIndex = 0, templateIndex = 0;
    ThrowIfFailed(proxy_->get_ActiveDirIndex(&dirIndex));
    if (observer_) observer_->OnActiveDirIndexChanged(static_cast<PRInt32>(dirIndex));
    ThrowIfFailed(proxy_->get_ActiveTplIndex(&templateIndex));
    if (observer_) observer_->OnActiveTemplateIndexChanged(static_cast<PRInt32>(templateIndex));
    return NS_OK;
  });
}

HRESULT CFervixComponent::GetSelection(std::wstring& text, VARIANT* rect) {
  if (!observer_) return E_FAIL;
  XpString selected;
  if (NS_FAILED(observer_->GetSelectedText(selected))) return E_FAIL;
  text = selected.Str();
  if (!rect) return S_OK;
  XpString rectText;
  PRInt32 dx = 0, dy = 0;
  observer_->GetSelectionRect(rectText);
  observer_->GetScreenOffsetX(&dx);
  observer_->GetScreenOffsetY(&dy);
  const std::array<int32_t, 4> corners = SelectionRectangle(rectText.Str(), dx, dy);
  VariantClear(rect);
  try {
    platform::SafeArray::FromInt32s(corners).ToVariant().CopyTo(rect);
  } catch (...) {
    rect->vt = VT_ERROR;
    rect->scode = E_OUTOFMEMORY;
  }
  return S_OK;
}
