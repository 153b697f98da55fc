#include "shared/FileVersion.h"

#include <vector>

bool GetFixedFileVersion(const std::wstring& file, VS_FIXEDFILEINFO* version) {
  if (!version) return false;
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
      length < sizeof(VS_FIXEDFILEINFO))
    return false;
  *version = *fixed;
  return true;
}
