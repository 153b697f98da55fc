#include "VariantIndex.h"

namespace kernelstandin {

std::optional<long> IndexOf(const VARIANT& v) {
  switch (v.vt) {
    case VT_I2: return v.iVal;
    case VT_UI2: return v.uiVal;
    case VT_I4: return v.lVal;
    case VT_UI4: return static_cast<long>(v.ulVal);
    case VT_INT: return v.intVal;
    case VT_UINT: return static_cast<long>(v.uintVal);
    case VT_I1: return v.cVal;
    case VT_UI1: return v.bVal;
    default: return std::nullopt;
  }
}

std::optional<DirectionRef> DirectionRefOf(const VARIANT& v) {
  std::optional<long> n = IndexOf(v);
  if (!n) return std::nullopt;
  return DirectionRef{v.vt == VT_I4, *n};
}

}  // namespace kernelstandin
