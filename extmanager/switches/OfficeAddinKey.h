#pragma once
#include <windows.h>

#include <string>

#include "platform/win/UniqueHandle.h"

// The current user's load entry of one Office COM add-in: HKCU
// "Software\Microsoft\Office\<App>\Addins\<ProgID>" and its values. Every
// change goes past the registry seam (SystemSeams::refuseRegistry) as
// "open|create|set|delete HKCU\<path>[\<value>]". Results are Windows error
// codes; nothing throws. Both keys are closed when the object goes.
class OfficeAddinKey {
 public:
  OfficeAddinKey(const std::wstring& app, std::wstring progId);
  OfficeAddinKey(const OfficeAddinKey&) = delete;
  OfficeAddinKey& operator=(const OfficeAddinKey&) = delete;

  // "Software\Microsoft\Office\<App>\Addins\" (with the final separator).
  static std::wstring ParentPath(const std::wstring& app);
  const std::wstring& Path() const { return path_; }
  bool Exists() const;

  // Opens the application's "Addins" key for writing, creating it when it is missing.
  LONG OpenParent();
  // Creates the add-in key below the open parent, or opens it when it is there.
  LONG CreateKey(bool* created = nullptr);
  LONG SetString(const wchar_t* valueName, const std::wstring& text);
  LONG SetDword(const wchar_t* valueName, DWORD value);
  // Deletes the add-in key with its values and sub-keys; a missing key is no error.
  LONG Delete();

 private:
  bool Refused(const wchar_t* verb, const std::wstring& path, const wchar_t* valueName = nullptr) const;
  LONG SetValue(const wchar_t* valueName, DWORD type, const void* data, DWORD size);

  std::wstring parentPath_;
  std::wstring progId_;
  std::wstring path_;
  platform::UniqueRegistryKey parent_;
  platform::UniqueRegistryKey key_;
};
