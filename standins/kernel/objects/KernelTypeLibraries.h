#pragma once
#include "platform/com/TypeLibrary.h"

namespace kernelstandin {

// The kernel's two type libraries, embedded in the stand-in's modules
// (TYPELIB 1 and 2) and registered by DllRegisterServer; and the AOT
// module's OMBRELLib (TYPELIB 3), through which the analyzer handed out by
// the analyzer source answers IDispatch.
extern platform::TypeLibrary kNorvaObjLib;
extern platform::TypeLibrary kKelVarLib;
extern platform::TypeLibrary kOmbrelLib;

}  // namespace kernelstandin
