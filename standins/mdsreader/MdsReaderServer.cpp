// The in-process server mdsreader.dll: its class object and its registration.
#include <windows.h>

#include "MdsReaderObject.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/com/ServerRegistration.h"

namespace {

platform::ComPtr<IClassFactory> MakeReaderFactory() {
  return platform::ComPtr<IClassFactory>(
      platform::MakeComObject<platform::ClassFactory, platform::ModuleLockPolicy::None>(
          platform::ObjectCreator(&CreateMdsReader)));
}

const platform::InprocClass kClasses[] = {{&CLSID_MdsReader, &MakeReaderFactory}};

platform::ClassRegistration ReaderRegistration() {
  platform::ClassRegistration entry;
  entry.clsid = CLSID_MdsReader;
  entry.description = L"Layout table";
  entry.progId = L"NorvaMds.Table.1";
  entry.versionIndependentProgId = L"NorvaMds.Table";
  entry.kind = platform::ServerKind::InprocServer;
  entry.server = platform::ModulePath(platform::CurrentModule());
  entry.threadingModel = L"Apartment";
  entry.typeLib = &LIBID_MdsReaderLib;
  return entry;
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return platform::GetInprocClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return platform::CanUnloadInprocServer(); }

STDAPI DllRegisterServer() {
  HRESULT hr = platform::RegisterModuleTypeLib(platform::ModulePath(platform::CurrentModule()));
  if (FAILED(hr)) return hr;
  return platform::RegisterComClass(ReaderRegistration());
}

STDAPI DllUnregisterServer() {
  HRESULT hr = platform::UnregisterComClass(ReaderRegistration());
  HRESULT lib = platform::UnregisterModuleTypeLib(platform::ModulePath(platform::CurrentModule()));
  return FAILED(hr) ? hr : lib;
}
