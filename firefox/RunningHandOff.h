#pragma once
// The one-shot record another program of the product leaves for the Firefox
// plug-in: HKCU "Software\Norvasoft\NRVA9\Running", value "FireFox", a list
// of "key=value" items separated by ";".
#include <string>
#include <string_view>

#include "shared/ProductRegistry.h"

struct RunningHandOff {
  std::wstring s;
  long d = 0;
  std::wstring t;
  std::wstring u;
  bool present = false;
};

inline constexpr const wchar_t* kRunningKey = kUserRunningKey;
inline constexpr wchar_t kFireFoxValue[] = L"FireFox";

// The items of a value's text. A value is everything after its item's first
// "=", so addresses holding "=" stay whole. Sets present for S "local".
RunningHandOff ParseRunningHandOff(std::wstring_view text);
// Reads and deletes the value (only a REG_SZ value is read); true when it
// held text. A key that cannot be opened leaves the record empty.
bool ReadRunningHandOff(RunningHandOff& record);
