#pragma once
#include <windows.h>
#include <objbase.h>

#include <span>
#include <string>

#include "platform/base/ModulePath.h"
#include "platform/com/ComPtr.h"

namespace platform {

// One class that an in-process server (a DLL) serves.
struct InprocClass {
  const CLSID* clsid;
  ComPtr<IClassFactory> (*makeFactory)();
};

// DllGetClassObject over a table of classes: a new class object of the
// class asked for, or CLASS_E_CLASSNOTAVAILABLE.
HRESULT GetInprocClassObject(std::span<const InprocClass> classes, REFCLSID clsid, REFIID iid, void** out);

// DllCanUnloadNow: S_OK when the module's lock count is zero, else S_FALSE.
HRESULT CanUnloadInprocServer();

}  // namespace platform
