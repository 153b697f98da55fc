#include "platform/com/InprocServer.h"

#include "platform/com/ComError.h"
#include "platform/com/ModuleLock.h"

namespace platform {

HRESULT GetInprocClassObject(std::span<const InprocClass> classes, REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const InprocClass& c : classes) {
    if (*c.clsid != clsid) continue;
    return ComBoundary([&] {
      ComPtr<IClassFactory> factory = c.makeFactory();
      if (!factory) return E_UNEXPECTED;
      return factory->QueryInterface(iid, out);
    });
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CanUnloadInprocServer() { return ModuleLock::Count() == 0 ? S_OK : S_FALSE; }

}  // namespace platform
