#pragma once
#include <windows.h>

// Shows the system's text for an error code in an information message box.
void ShowSystemErrorMessage(DWORD errorCode, const wchar_t* caption);
