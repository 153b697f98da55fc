#pragma once
#include <windows.h>

#include <optional>
#include <string>

// Whether a messenger companion of the product is on, as recorded for the
// current user in HKCU "SOFTWARE\Norvasoft\NRVA9\Messengers" (one DWORD per
// messenger: 1 on, 0 off). The companions read it.
inline constexpr const wchar_t* kMessengersKey = L"SOFTWARE\\Norvasoft\\NRVA9\\Messengers";

// The recorded state, 0 or 1; none when the key or the value is missing or
// holds no number.
std::optional<int> ReadMessengerState(const wchar_t* valueName);
// Records the state (any non-zero on as 1). The registry's answer; refused
// writes (the registry seam) answer ERROR_ACCESS_DENIED. `step` tells which
// step failed: "create" or "set".
LONG WriteMessengerState(const wchar_t* valueName, bool on, const wchar_t** step = nullptr);

// The companion's folder, the value `valueName` of the product's Folders key
// (it ends with a separator). When the key or the value is missing the
// failure is logged for `messenger`, as a record of the messenger's switch
// `logUnit`, and CExceptSW (reason 2) thrown.
std::wstring CompanionFolder(const char* logUnit, const wchar_t* messenger, const wchar_t* valueName);
