#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// A unique registry sub-tree (root\Software\NorvaTests\{guid}) for one test,
// removed with everything below it when the object goes.
class RegistrySandbox {
 public:
  explicit RegistrySandbox(HKEY root = HKEY_CURRENT_USER);
  ~RegistrySandbox();
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

  HKEY Root() const { return root_; }
  // The sandbox's path below the root, without a final backslash.
  const std::wstring& Path() const { return path_; }
  // Path() + "\" + sub.
  std::wstring Sub(const std::wstring& sub) const { return path_ + L"\\" + sub; }

 private:
  HKEY root_;
  std::wstring path_;
};

// A registry key at a fixed path that the code under test reads (the
// product's own keys): removed when the object is made and when it goes.
// Tests that use one hold the matching ctest lock.
class ScopedFixedKey {
 public:
  ScopedFixedKey(HKEY root, std::wstring path);
  ~ScopedFixedKey();
  ScopedFixedKey(const ScopedFixedKey&) = delete;
  ScopedFixedKey& operator=(const ScopedFixedKey&) = delete;

  HKEY Root() const { return root_; }
  const std::wstring& Path() const { return path_; }

 private:
  HKEY root_;
  std::wstring path_;
};

// Small writers and readers for test set-up; they throw std::runtime_error on failure.
void SetRegString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value);
void SetRegDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value);
void SetRegValue(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type,
                 const std::vector<BYTE>& data);
bool RegKeyExists(HKEY root, const std::wstring& key);
bool RegValueExists(HKEY root, const std::wstring& key, const wchar_t* name);
// The value's type and bytes; false when it is missing.
bool GetRegValue(HKEY root, const std::wstring& key, const wchar_t* name, DWORD* type,
                 std::vector<BYTE>* data);
void DeleteRegTree(HKEY root, const std::wstring& key);

}  // namespace testsupport
