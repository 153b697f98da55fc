#pragma once
#include "platform/com/ComPtr.h"
#include "platform/com/TypeLibrary.h"

namespace smarturlstandin {

// NORVASMARTURLLib, embedded as the module's TYPELIB 1.
extern platform::TypeLibrary kSmartUrlLib;

// A new store object; raises ComError when the "FailCreate" switch is on.
platform::ComPtr<IUnknown> NewSmartUrlStore();

}  // namespace smarturlstandin
