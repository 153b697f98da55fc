#pragma once
#include <windows.h>

// The module every dialog, menu and string of the deliverable is loaded from:
// the interface-language resource library once one is installed, else the
// deliverable's own module.
namespace platform {

void SetResourceInstance(HMODULE module);
HMODULE ResourceInstance();

}  // namespace platform
