// An in-process COM server for the COM layer's tests: serves
// TestInprocObject, registers itself with DllRegisterServer.
#include <windows.h>

#include "PlatformComTest.h"
#include "TestCalc.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/com/ServerRegistration.h"

using namespace platform;

namespace {

const InprocClass classes[] = {
    {&CLSID_TestInprocObject, [] { return MakeClassFactory<TestCalc>(); }},
};

ClassRegistration InprocClassEntry() {
  ClassRegistration entry;
  entry.clsid = CLSID_TestInprocObject;
  entry.description = L"TestInprocObject Class";
  entry.progId = L"PlatformComTest.TestInprocObject.1";
  entry.versionIndependentProgId = L"PlatformComTest.TestInprocObject";
  entry.kind = ServerKind::InprocServer;
  entry.server = ModulePath(CurrentModule());
  entry.threadingModel = L"Apartment";
  entry.typeLib = &LIBID_PlatformComTestLib;
  return entry;
}

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return GetInprocClassObject(classes, clsid, iid, out);
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return CanUnloadInprocServer(); }

__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() { return RegisterComClass(InprocClassEntry()); }

__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return UnregisterComClass(InprocClassEntry());
}

}  // extern "C"
