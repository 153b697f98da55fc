#pragma once
#include <windows.h>

#include <string>

// The words an error box of the server connector shows for an HRESULT: the
// system's message text, or, when the system has none for it (Wine has none
// for E_UNEXPECTED or E_POINTER), "Unknown error" with the code after it.
std::wstring ServerErrorText(HRESULT hr);
