// NrvaKernel.dll: the in-process classes of the stand-in kernel and the
// registration of both kernel type libraries. The AOT module's type library,
// which the stand-in's own analyzer carries for its IDispatch, is registered
// by the AOT module alone.
#include <windows.h>

#include <vector>

#include "KelVarLib.h"
#include "KernelClasses.h"
#include "platform/com/ComError.h"
#include "platform/com/InprocServer.h"
#include "platform/com/ServerRegistration.h"

namespace {

using namespace kernelstandin;

std::vector<platform::InprocClass> InprocClasses() {
  std::vector<platform::InprocClass> classes;
  for (const KernelClass& c : KernelClasses())
    if (!c.outOfProcess) classes.push_back({c.clsid, c.makeFactory});
  return classes;
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return platform::ComBoundary([&] {
    static const std::vector<platform::InprocClass> classes = InprocClasses();
    return platform::GetInprocClassObject(classes, clsid, iid, out);
  });
}

STDAPI DllCanUnloadNow() { return platform::CanUnloadInprocServer(); }

// Paths and registrations allocate: nothing raised leaves the DLL.
STDAPI DllRegisterServer() {
  return platform::ComBoundary([]() -> HRESULT {
  const std::wstring dll = platform::ModulePath(platform::CurrentModule());
  HRESULT hr = platform::RegisterModuleTypeLib(dll);
  if (SUCCEEDED(hr)) hr = platform::RegisterModuleTypeLib(dll + L"\\2");
  for (const KernelClass& c : KernelClasses())
    if (SUCCEEDED(hr) && !c.outOfProcess) hr = platform::RegisterComClass(RegistrationOf(c, dll));
  return hr;
  });
}

STDAPI DllUnregisterServer() {
  return platform::ComBoundary([]() -> HRESULT {
  const std::wstring dll = platform::ModulePath(platform::CurrentModule());
  HRESULT result = S_OK;
  for (const KernelClass& c : KernelClasses()) {
    if (c.outOfProcess) continue;
    HRESULT hr = platform::UnregisterComClass(RegistrationOf(c, dll));
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  }
  for (const std::wstring& lib : {dll, dll + L"\\2"}) {
    HRESULT hr = platform::UnregisterModuleTypeLib(lib);
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  }
  return result;
  });
}
