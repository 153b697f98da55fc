#pragma once
#include "platform/com/TypeLibrary.h"

namespace kernelstandin {

// The kernel's two type libraries, embedded in the stand-in's modules
// (TYPELIB 1 and 2) and registered by DllRegisterServer.
extern platform::TypeLibrary kNorvaObjLib;
extern platform::TypeLibrary kKelVarLib;

}  // namespace kernelstandin
