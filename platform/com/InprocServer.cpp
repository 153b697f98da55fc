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

HMODULE CurrentModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&CurrentModule), &module);
  return module;
}

std::wstring ModulePath(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace platform
