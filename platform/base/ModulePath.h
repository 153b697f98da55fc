#pragma once
#include <windows.h>

#include <string>

namespace platform {

// The module (DLL or program) that holds the calling code.
HMODULE CurrentModule();
// The full path of a module (null: the program's); empty on failure. Paths
// longer than MAX_PATH are read whole.
std::wstring ModulePath(HMODULE module);
// The folder of a module's file, with its final backslash; empty on failure.
std::wstring ModuleFolder(HMODULE module);

}  // namespace platform
