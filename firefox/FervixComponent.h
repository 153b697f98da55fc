#pragma once
// The plug-in's one XPCOM component: the extension script's bridge to the
// browser object of Tessiva. Short calls go straight to INorvaBrowserClass;
// long ones run by name on a worker thread (ProxyCall) while the browser's
// thread keeps pumping, with text and pages in exchange files.
#include <windows.h>

#include <optional>
#include <string>

#include "NorvaKernel.h"
#include "TessivaLib.h"
#include "firefox/FervixInterfaces.h"
#include "firefox/HookHandlerWnd.h"
#include "firefox/SelectionGetter.h"
#include "platform/com/ComPtr.h"

class CFervixComponent : public ISelectionGetter, public IFervix9_2 {
 public:
  // The module's constructor: a new component queried for iid.
  static nsresult CreateInstance(nsISupports* outer, const nsIID& iid, void** result);

  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override;
  nsrefcnt __stdcall AddRef() override;
  nsrefcnt __stdcall Release() override;

  NS_IMETHOD Init(IFervix9Observer* observer, PRBool* ok) override;
  NS_IMETHOD GetDirsCount(PRInt32* count) override;
  NS_IMETHOD GetDir(PRInt16 index, nsAString& name, PRInt32* id) override;
  NS_IMETHOD SetActiveDir(PRInt32 id, PRInt32* templateCount) override;
  NS_IMETHOD GetTemplateName(PRInt16 index, nsAString& name) override;
  NS_IMETHOD TranslateDocument(nsISupports* document, nsISupports* unused, const nsAString& url, PRInt32 dirId,
                               const nsAString& templateId) override;
  NS_IMETHOD TranslateSelection(const nsAString& text, PRInt32 dirId, const nsAString& templateId) override;
  NS_IMETHOD TranslateElement(nsISupports* source, nsISupports* target, PRInt32 dirId,
                              const nsAString& templateId) override;
  NS_IMETHOD TranslateFrame(nsISupports* document, const nsAString& url, nsAString& text, PRInt32 dirId,
                            const nsAString& templateId, PRBool* ok) override;
  NS_IMETHOD ShowWebSearch(const nsAString& text, nsAString& result, PRBool* ok) override;
  NS_IMETHOD ShowSettings() override;
  NS_IMETHOD ShowAbout() override;
  NS_IMETHOD RememberForegroundWindow() override;
  NS_IMETHOD ShowMessage(const nsAString& text) override;
  NS_IMETHOD DisableBrowserWindow() override;
  NS_IMETHOD DoNothing() override;
  NS_IMETHOD ShowHelp() override;
  NS_IMETHOD SetTemplateId(const nsAString& templateId) override;
  NS_IMETHOD HasHandOff(PRBool* present) override;
  NS_IMETHOD GetHandOffD(PRInt32* d) override;
  NS_IMETHOD GetHandOffT(nsAString& t) override;
  NS_IMETHOD GetHandOffU(nsAString& u) override;
  NS_IMETHOD ClearHandOffD() override;
  NS_IMETHOD ShowAot(const nsAString& text) override;
  NS_IMETHOD HasAotFolder(PRBool* present) override;
  NS_IMETHOD IsPageTranslateModeZero(PRBool* zero) override;
  NS_IMETHOD IsWebSearchMode(PRBool* on) override;
  NS_IMETHOD GetActiveDirIndex(PRInt32* index) override;
  NS_IMETHOD GetActiveTemplateIndex(PRInt32* index) override;
  NS_IMETHOD IsEnabled(PRBool* enabled) override;
  NS_IMETHOD DetectPage(const nsAString& url, const nsAString& source) override;
  NS_IMETHOD GetPageTranslateMode(PRInt32* mode) override;
  NS_IMETHOD GetPageTranslateSyncScroll(PRInt32* value) override;
  NS_IMETHOD DetectPage2(const nsAString& url, const nsAString& fullSource, const nsAString& source) override;

  HRESULT GetSelection(std::wstring& text, VARIANT* rect) override;

  // Listens to the kernel's control events so the script's choosers follow
  // changes made elsewhere. Lives inside the component; counts nothing.
  class XNorvaCtlEvents : public DNorvaCtlEvents {
   public:
    explicit XNorvaCtlEvents(CFervixComponent& owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;
#define FERVIX_EVENT(n) \
  HRESULT STDMETHODCALLTYPE OnEvent##n() override { return S_OK; }
    FERVIX_EVENT(1) FERVIX_EVENT(2) FERVIX_EVENT(3) FERVIX_EVENT(4) FERVIX_EVENT(5) FERVIX_EVENT(6)
    FERVIX_EVENT(7) FERVIX_EVENT(8) FERVIX_EVENT(9) FERVIX_EVENT(10) FERVIX_EVENT(11) FERVIX_EVENT(12)
    FERVIX_EVENT(13) FERVIX_EVENT(20) FERVIX_EVENT(23) FERVIX_EVENT(24) FERVIX_EVENT(25)
#undef FERVIX_EVENT
    HRESULT STDMETHODCALLTYPE OnDirectionListsChanged(long dirId) override;
    HRESULT STDMETHODCALLTYPE OnDirectionTemplatesChanged(long dirId) override;
    HRESULT STDMETHODCALLTYPE OnTemplateRenamed(long dirId, BSTR oldId, BSTR newId) override;
    HRESULT STDMETHODCALLTYPE OnDirectionChanged(long, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnTemplateChanged(long, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProfileChanged(long, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnActiveDirectionChanged() override;
    HRESULT STDMETHODCALLTYPE OnActiveTemplateChanged() override;

   private:
    platform::ComPtr<ITypeInfo> TypeInfo(LCID locale);
    CFervixComponent& owner_;
  };

  // The counter sink Tessiva keeps: a Disable tells the script.
  class XNorvaBrowserAppCounterIntegration : public INorvaBrowserAppCounterEvents {
   public:
    explicit XNorvaBrowserAppCounterIntegration(CFervixComponent& owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Disable(long value) override;

   private:
    CFervixComponent& owner_;
  };

  // Advises or unadvises the event sink on the object GetDirectirons gave.
  static HRESULT AdviseEvents(IDispatch* object, IUnknown* sink, DWORD* cookie);
  static HRESULT UnadviseEvents(IDispatch* object, DWORD cookie);

  // The page's translation through the exchange files; true on success.
  bool TranslatePage(const std::wstring& address, const std::wstring& source, std::wstring& result);

 private:
  CFervixComponent();
  virtual ~CFervixComponent();

  bool Ready() const { return initialized_ && proxy_; }
  HWND FindMozillaWindow();
  // Direction and template put on the proxy; false when either failed.
  bool SetDirectionAndTemplate(PRInt32 dirId, const nsAString& templateId);
  // The 32-bit value of a setting (raises on a failing call).
  int32_t SettingValue(const wchar_t* name);
  // The active template's place in the active direction's list, as the
  // proxy finds it by its identifier; nullopt when no row holds it. count
  // receives the list's length. Raises when the list cannot be counted.
  std::optional<PRInt32> ActiveTemplatePlace(ULONG& count);
  HWND TakeWindowToDisable();
  nsresult DetectPageWith(const nsAString* url, const nsAString* fullSource, const nsAString& source);

  long initialized_ = 0;
  UINT abortFramesMessage_ = 0;
  UINT nextFrameMessage_ = 0;
  HWND rememberedWindow_ = nullptr;
  platform::ComPtr<IFervix9Observer> observer_;
  std::wstring templateId_;
  long templateIndex_ = 0;
  CHookHandlerWnd hookWindow_;
  XNorvaCtlEvents ctlEvents_{*this};
  XNorvaBrowserAppCounterIntegration counterEvents_{*this};
  nsrefcnt refs_ = 0;
  HWND disabledWindow_ = nullptr;
  platform::ComPtr<INorvaBrowserClass> proxy_;
  DWORD eventsCookie_ = 0;
  HWND lastBrowserWindow_ = nullptr;
};
