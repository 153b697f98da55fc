#include "KernelTypeLibraries.h"

#include "KelVarLib.h"
#include "OMBREL.h"

namespace kernelstandin {

platform::TypeLibrary kNorvaObjLib(LIBID_NORVAOBJLib, 1, 0);
platform::TypeLibrary kKelVarLib(LIBID_KELVARLib, 1, 0);
platform::TypeLibrary kOmbrelLib(LIBID_OMBRELLib, 1, 0);

}  // namespace kernelstandin
