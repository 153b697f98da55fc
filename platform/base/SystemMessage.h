#pragma once
#include <windows.h>

#include <string>

namespace platform {

// The system's text for an error code or HRESULT (FormatMessage, in the
// language languageId; 0 lets the system choose), without the line break it
// ends with; empty when the system has none.
std::wstring SystemMessageText(DWORD code, DWORD languageId = 0);

}  // namespace platform
