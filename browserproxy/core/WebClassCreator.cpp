#include "browserproxy/core/WebClassCreator.h"

#include "browserproxy/core/BrowserDescriptor.h"
#include "browserproxy/core/NorvaBrowserClass.h"
#include "platform/com/ComError.h"

std::span<const platform::InterfaceEntry> CWebClassCreator::Interfaces() {
  static const platform::InterfaceEntry table[] = {
      platform::InterfaceOf<CWebClassCreator, IWebClassCreator>(),
      platform::InterfaceOf<CWebClassCreator, IDispatch>(),
  };
  return table;
}

CWebClassCreator::~CWebClassCreator() { ReleaseAllBrowserObjects(); }

void CWebClassCreator::ReleaseAllBrowserObjects() {
  while (!browsers_.empty()) {
    auto first = browsers_.begin();
    const long type = first->first;
    IDispatch* identity = first->second.identity;
    CNorvaBrowserClass* browser = first->second.browser;
    // Taken out before it is let go: the object's end of life comes back
    // through ReleaseBrowserObject, which finds and erases the entry.
    platform::ComPtr<IDispatch> object = std::move(first->second.object);
    object.Reset();
    auto still = browsers_.find(type);
    if (still != browsers_.end() && still->second.identity == identity) {
      // Someone else still holds the object: it must not call back later.
      browser->DetachCreator();
      hook_.UnSetBrowserHook(type);
      browsers_.erase(still);
    }
  }
}

HRESULT CWebClassCreator::GetProxyObject(ENorvaBrowserType Type, INorvaBrowserAppCounterEvents* pAppIntegration,
                                         LONG ParentHwnd, LONG HandlerHwnd, IDispatch** ppDisp) {
  return platform::ComBoundary([&]() -> HRESULT {
    // Only 0..3 have a descriptor row and a settings key.
    if (!IsKnownBrowserType(Type)) return E_INVALIDARG;
    if (!ppDisp) return E_INVALIDARG;

    HRESULT result = S_OK;
    auto found = browsers_.find(Type);
    if (found == browsers_.end()) {
      // The creator's own reference does not hold the module: the server
      // ends when no client holds a browser object any more.
      auto browser = platform::MakeComObject<CNorvaBrowserClass, platform::ModuleLockPolicy::BeyondFirstReference>();
      platform::ComPtr<IDispatch> dispatch = browser.As<IDispatch>();
      if (!dispatch) return E_FAIL;
      result = browser->Initialize(Type, pAppIntegration, ParentHwnd);
      if (FAILED(result)) return E_FAIL;
      IDispatch* identity = dispatch.Get();
      found = browsers_.emplace(Type, Entry{std::move(dispatch), identity, browser.Get()}).first;
      browser->AttachCreator(this, identity);
    }
    if (HandlerHwnd != 0) hook_.SetBrowserHook(Type, HandlerHwnd);
    HRESULT copied = found->second.object.CopyTo(IID_IDispatch, reinterpret_cast<void**>(ppDisp));
    if (FAILED(copied)) return copied;
    return result;
  });
}

void CWebClassCreator::ReleaseBrowserObject(IDispatch* keptAs) {
  for (auto it = browsers_.begin(); it != browsers_.end(); ++it) {
    if (it->second.identity != keptAs) continue;
    hook_.UnSetBrowserHook(it->first);
    // The entry no longer holds a reference when its object ends.
    it->second.object.Detach();
    browsers_.erase(it);
    return;
  }
}
