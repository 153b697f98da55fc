#include "browserproxy/ui/FileVersionInfo.h"

#include <cstdio>
#include <cstring>

void CFileVersionInfo::Clear() {
  data_.reset();
  size_ = 0;
}

bool CFileVersionInfo::LoadFromModule(HMODULE module) {
  std::wstring path(8320, L'\0');
  DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
  if (n == 0 || n >= path.size()) return false;
  path.resize(n);
  return LoadFromFile(path);
}

bool CFileVersionInfo::LoadFromFile(const std::wstring& path) {
  Clear();
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return false;
  data_ = std::make_unique<BYTE[]>(size);
  size_ = size;
  void* root = nullptr;
  UINT rootLength = 0;
  if (GetFileVersionInfoW(path.c_str(), 0, size, data_.get()) &&
      VerQueryValueW(data_.get(), L"\\", &root, &rootLength) && rootLength > 0 &&
      rootLength <= sizeof(fixed_)) {
    memcpy(&fixed_, root, rootLength);
    return true;
  }
  Clear();
  return false;
}

UINT CFileVersionInfo::QueryValueLength(const std::wstring& subBlock) const {
  if (!data_) return 0;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data_.get(), subBlock.c_str(), &value, &length)) return 0;
  return length;
}

bool CFileVersionInfo::QueryValue(const std::wstring& subBlock, void* destination, UINT capacity) const {
  if (!data_ || !destination) return false;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data_.get(), subBlock.c_str(), &value, &length)) return false;
  if (length == 0 || length > capacity) return false;
  // The length counts characters for strings and bytes otherwise, so the
  // caller's capacity says how much to copy; it must stay inside the block.
  const BYTE* start = static_cast<const BYTE*>(value);
  if (start < data_.get() || start + capacity > data_.get() + size_) return false;
  memcpy(destination, start, capacity);
  return true;
}

std::wstring CFileVersionInfo::GetString(const std::wstring& name, DWORD translation) const {
  wchar_t subBlock[300];
  swprintf(subBlock, 300, L"\\StringFileInfo\\%08X\\%ls", translation, name.c_str());
  UINT length = QueryValueLength(subBlock);
  if (length == 0 && LOWORD(translation) != 1200) {
    swprintf(subBlock, 300, L"\\StringFileInfo\\%04X04B0\\%ls", HIWORD(translation), name.c_str());
    length = QueryValueLength(subBlock);
  }
  if (length == 0) return {};
  // A string value's length counts characters.
  std::wstring text(length, L'\0');
  if (!QueryValue(subBlock, text.data(), length * sizeof(wchar_t))) return {};
  text.resize(wcsnlen(text.c_str(), length));
  return text;
}
