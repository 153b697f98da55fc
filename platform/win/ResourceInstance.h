#pragma once
#include <windows.h>

#include <string>

namespace platform {

// The module this code is linked into (the program, or the DLL that holds it).
HINSTANCE ModuleInstance();

// The module that dialogs, menus, strings and bitmaps are loaded from: the
// module itself until the interface-language library replaces it.
HINSTANCE ResourceInstance();
// Null goes back to the module itself.
void SetResourceInstance(HINSTANCE instance);

// String `id` of the resource instance; empty when it has none.
std::wstring LoadResourceString(UINT id);

}  // namespace platform
