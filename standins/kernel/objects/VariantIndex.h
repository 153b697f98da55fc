#pragma once
#include <oaidl.h>

#include <optional>

namespace kernelstandin {

// How a VARIANT argument names a direction: an index (any integer type but
// VT_I4) or, as VT_I4, a direction id.
struct DirectionRef {
  bool isId = false;
  long value = 0;
};
std::optional<DirectionRef> DirectionRefOf(const VARIANT& v);

// An index given as any integer VARIANT; empty for other types.
std::optional<long> IndexOf(const VARIANT& v);

}  // namespace kernelstandin
