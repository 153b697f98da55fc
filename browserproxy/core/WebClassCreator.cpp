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

void CWebClassCreator::ReleaseAllBrowserObjects() noexcept {
  while (!browsers_.empty()) {
    // Out of the list, unhooked, then let go: the object's end (its settings
    // saved, its engine released) may pump messages, and whatever call comes
    // in meanwhile finds the list whole and no hook for an object that ends.
    // A client may still hold the object: it lives on without the hook.
    auto node = browsers_.extract(browsers_.begin());
    hook_.UnSetBrowserHook(node.key());
    node.mapped().Reset();
  }
}

HRESULT CWebClassCreator::GetProxyObject(ENorvaBrowserType Type, INorvaBrowserAppCounterEvents* pAppIntegration,
                                         LONG ParentHwnd, LONG HandlerHwnd, IDispatch** ppDisp) {
  return platform::ComBoundary([&]() -> HRESULT {
    // Only 0..3 have a descriptor row and a settings key: another type fails
    // the browser object's initialisation, and so the creation.
    if (!IsKnownBrowserType(Type)) return E_FAIL;
    if (!ppDisp) return E_INVALIDARG;

    HRESULT result = S_OK;
    auto found = browsers_.find(Type);
    if (found == browsers_.end()) {
      // The creator's own reference does not hold the module: the server
      // ends when no client holds a browser object any more.
      auto browser = platform::MakeComObject<CNorvaBrowserClass, platform::ModuleLockPolicy::BeyondFirstReference>();
      result = browser->Initialize(Type, pAppIntegration, ParentHwnd);
      if (FAILED(result)) return E_FAIL;
      platform::ComPtr<IDispatch> dispatch = browser.As<IDispatch>();
      if (!dispatch) return E_FAIL;
      // Initialize may pump messages: a request for the same type that came
      // in meanwhile may have kept its object first. That one stays the
      // type's object; this one ends with the block.
      found = browsers_.try_emplace(Type, std::move(dispatch)).first;
    }
    if (HandlerHwnd != 0) hook_.SetBrowserHook(Type, HandlerHwnd);
    HRESULT copied = found->second.CopyTo(IID_IDispatch, reinterpret_cast<void**>(ppDisp));
    if (FAILED(copied)) return copied;
    return result;
  });
}
