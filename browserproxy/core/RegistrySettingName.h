#pragma once
#include <windows.h>

#include <string>

// A setting name of the form "reg:<root>\<key>\<value>" that reads or writes
// one registry DWORD directly, in any key of HKCU or HKLM (the caller is a
// program of the same user, which could write there itself).
struct RegistrySettingName {
  bool isRegistryName = false;  // begins with "reg:" in any case
  HKEY root = nullptr;          // null: unknown root
  std::wstring key;
  std::wstring valueName;

  bool HasKnownRoot() const { return root != nullptr; }
};

RegistrySettingName ParseRegistrySettingName(const std::wstring& name);
