// NrvaSmartUrl.dll: the in-process server of the stand-in smart-URL store and
// the registration of its class and type library.
#include <windows.h>

#include "NorvaSmartUrl.h"
#include "SmartUrlObjects.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/com/ServerRegistration.h"

namespace {

platform::ComPtr<IClassFactory> StoreFactory() {
  return platform::ComPtr<IClassFactory>(
      platform::MakeComObject<platform::ClassFactory, platform::ModuleLockPolicy::None>(
          platform::ObjectCreator([] { return smarturlstandin::NewSmartUrlStore(); })));
}

platform::ClassRegistration Registration(const std::wstring& dll) {
  platform::ClassRegistration entry;
  entry.clsid = CLSID_SmartUrlStore;
  entry.description = L"Norva smart-URL store (stand-in)";
  entry.progId = L"Norva.SmartUrlStore.1";
  entry.versionIndependentProgId = L"Norva.SmartUrlStore";
  entry.kind = platform::ServerKind::InprocServer;
  entry.server = dll;
  entry.threadingModel = L"Apartment";
  entry.typeLib = &LIBID_NORVASMARTURLLib;
  entry.programmable = true;
  return entry;
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  static const platform::InprocClass classes[] = {{&CLSID_SmartUrlStore, &StoreFactory}};
  return platform::GetInprocClassObject(classes, clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return platform::CanUnloadInprocServer(); }

STDAPI DllRegisterServer() {
  const std::wstring dll = platform::ModulePath(platform::CurrentModule());
  HRESULT hr = platform::RegisterModuleTypeLib(dll);
  if (SUCCEEDED(hr)) hr = platform::RegisterComClass(Registration(dll));
  return hr;
}

STDAPI DllUnregisterServer() {
  const std::wstring dll = platform::ModulePath(platform::CurrentModule());
  HRESULT result = platform::UnregisterComClass(Registration(dll));
  HRESULT hr = platform::UnregisterModuleTypeLib(dll);
  return FAILED(result) ? result : hr;
}
