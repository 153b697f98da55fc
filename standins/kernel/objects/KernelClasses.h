#pragma once
#include <windows.h>

#include <span>

#include "platform/com/ComPtr.h"
#include "platform/com/ServerRegistration.h"

namespace kernelstandin {

// One creatable class of the stand-in kernel.
struct KernelClass {
  const CLSID* clsid;
  const wchar_t* name;  // ProgID "NorvaKernel.<name>" and description
  platform::ComPtr<IClassFactory> (*makeFactory)();
  bool outOfProcess;  // served by NrvaKernelServer.exe, else by NrvaKernel.dll
};

std::span<const KernelClass> KernelClasses();

// The kernel's application identifier (the local server's classes).
extern const GUID kKernelAppId;

// The registry entries of a class served by the given server: a DLL path,
// or the local server's command line (which also brings the application id).
platform::ClassRegistration RegistrationOf(const KernelClass& c, const std::wstring& server);

}  // namespace kernelstandin
