#pragma once
#include <windows.h>

#include <memory>
#include <string>

// The version block of a module or file: its fixed file information and its
// string tables.
class CFileVersionInfo {
 public:
  CFileVersionInfo() = default;
  CFileVersionInfo(const CFileVersionInfo&) = delete;
  CFileVersionInfo& operator=(const CFileVersionInfo&) = delete;

  bool LoadFromModule(HMODULE module);
  // True when the block and its fixed file information were found.
  bool LoadFromFile(const std::wstring& path);

  // Length of a sub-block's value; 0 when absent or empty.
  UINT QueryValueLength(const std::wstring& subBlock) const;
  // Copies capacity bytes of the value when it is not empty and its length
  // (characters for strings, bytes otherwise) is at most the capacity.
  bool QueryValue(const std::wstring& subBlock, void* destination, UINT capacity) const;
  // A string of the string table of that translation (language in the high
  // 16 bits, code page in the low 16); the Unicode table of the same
  // language is tried second. Empty when absent.
  std::wstring GetString(const std::wstring& name, DWORD translation) const;

  const VS_FIXEDFILEINFO& FixedInfo() const { return fixed_; }
  DWORD DataSize() const { return size_; }

 private:
  void Clear();

  VS_FIXEDFILEINFO fixed_ = {};
  std::unique_ptr<BYTE[]> data_;
  DWORD size_ = 0;
};
