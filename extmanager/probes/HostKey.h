#pragma once
#include <windows.h>

#include <string>

#include "platform/base/Handles.h"

// A registry key of a host application that a switch reads or changes.
// Every change goes past the registry seam (SystemSeams::refuseRegistry), so
// tests can refuse what Windows would refuse an ordinary user. Results are
// Windows error codes; nothing throws.
class HostKey {
 public:
  HostKey(HKEY root, std::wstring path) : root_(root), path_(std::move(path)) {}

  LONG OpenForReading();
  LONG OpenForWriting();
  LONG Create();
  LONG SetString(const wchar_t* valueName, const std::wstring& text);
  // Deletes the key with everything below it; a missing key is no error.
  LONG DeleteTree();
  bool IsOpen() const { return key_.Valid(); }
  void Close() { key_.Reset(); }
  // "HKLM\path" as the seam and the messages show it.
  std::wstring Display() const;

  static bool Exists(HKEY root, const std::wstring& path);

 private:
  bool Refused(const wchar_t* verb, const wchar_t* valueName = nullptr) const;

  HKEY root_;
  std::wstring path_;
  platform::UniqueRegistryKey key_;
};
