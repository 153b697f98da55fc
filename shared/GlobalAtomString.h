#pragma once
#include <windows.h>

#include <string>

// Adds the text as a global atom; 0 on failure.
ATOM GlobalAtomString(const std::wstring& text);
// The atom's name (at most 512 characters); true when one was read.
bool GlobalAtomString(ATOM atom, std::wstring& text);
