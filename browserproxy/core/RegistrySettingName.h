#pragma once
#include <windows.h>

#include <string>

// A setting name of the form "reg:<root>\<key>\<value>" that reads or writes
// one registry DWORD directly. Only keys below "Software\Norvasoft\NRVA9"
// of HKCU or HKLM are reachable; any other place counts as an unknown root,
// so that a COM client cannot read or write arbitrary registry values.
struct RegistrySettingName {
  bool isRegistryName = false;  // begins with "reg:" in any case
  HKEY root = nullptr;          // null: unknown root
  std::wstring key;
  std::wstring valueName;

  bool HasKnownRoot() const { return root != nullptr; }
};

RegistrySettingName ParseRegistrySettingName(const std::wstring& name);
