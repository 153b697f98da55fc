#pragma once
#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "browserproxy/core/SettingNameLess.h"
#include "platform/com/Variant.h"
#include "shared/ProductRegistry.h"

struct BrowserDescriptor;

// The settings of one browser: named values (names in any case, as the
// registry takes them) kept in memory, loaded from
// HKCU "Software\Norvasoft\NRVA9\Browsers\<browser>" and written back there.
// Besides the full save at the browser object's end of life, each change the
// browser object acknowledges is written at once (WriteValue,
// SetLastDirection), so that a killed process loses nothing acknowledged.
class CBrowserSettings {
 public:
  static constexpr const wchar_t* kBrowsersKey = kUserBrowsersKey;

  // Reads the browser's key; a missing key leaves the store empty. Always true.
  bool Load(const BrowserDescriptor& row);
  // Writes "lastDirID" and every value of a storable type. Nothing is written
  // before Load has chosen the key. Always true.
  bool Save() const;

  // The stored value, else the built-in default, else the missing value.
  platform::Variant GetValue(const std::wstring& name) const;
  void SetValue(const std::wstring& name, const VARIANT& value);
  // Writes the one value of that name to the registry now (when storable):
  // S_OK, also when there is nothing to write, else the registry's failure.
  HRESULT WriteValue(const std::wstring& name) const;
  // SetValue and WriteValue together; when the write fails the value in
  // memory stays as it was and the failure is answered.
  HRESULT StoreValue(const std::wstring& name, const VARIANT& value);

  long LastDirection() const { return lastDirection_; }
  // Remembers the direction and writes "lastDirID" now.
  void SetLastDirection(long direction);

  const std::wstring& KeyPath() const { return keyPath_; }

  // VT_UI4 values are stored as REG_DWORD, VT_BSTR values as REG_SZ; values
  // of any other type live only as long as the browser object.
  static bool IsStorable(const VARIANT& value);

 private:
  long lastDirection_ = -1;
  std::map<std::wstring, platform::Variant, SettingNameLess> values_;
  std::wstring keyPath_;
};
