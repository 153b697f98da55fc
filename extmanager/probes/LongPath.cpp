#include "extmanager/probes/LongPath.h"

#include <windows.h>

std::wstring LongPath(const std::wstring& path) {
  std::wstring result = path;
  for (wchar_t& c : result)
    if (c == L'/') c = L'\\';
  if (result.size() < MAX_PATH - 12 || result.rfind(L"\\\\?\\", 0) == 0) return result;
  if (result.size() > 2 && result[1] == L':' && result[2] == L'\\') return L"\\\\?\\" + result;
  if (result.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + result.substr(2);
  return result;
}
