#pragma once
#include <windows.h>

#include <span>

#include "platform/com/ComPtr.h"

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

}  // namespace kernelstandin
