#pragma once
#include <windows.h>

#include <string>

#include "shared/ProductRegistry.h"

namespace ombrel {

// The module's application object: its interface language, its settings
// (registry key "Norvasoft\NRVA9", profile "AOT", section "Settings") and
// its name (string 100).
class COmbrelApp {
 public:
  // InitInstance once, on the first call.
  static void EnsureStarted();
  static void InitInstance(HINSTANCE module);

  static std::wstring Name();
  // The module's help file (its own path with ".chm"), opened at its topic.
  static void ShowHelp(HWND owner);
  // Values of the section "Settings" of the application profile.
  static int GetProfileInt(const wchar_t* name, int defaultValue);
  static std::wstring GetProfileString(const wchar_t* name, const wchar_t* defaultValue = L"");
  static bool WriteProfileInt(const wchar_t* name, int value);
  static bool WriteProfileString(const wchar_t* name, const std::wstring& value);
};

// HKEY_CURRENT_USER path of the section "Settings".
inline constexpr const wchar_t* kSettingsKey = kUserAotSettingsKey;

}  // namespace ombrel
