#include "MdsReaderFaults.h"

#include <windows.h>

#include <string>

bool MdsReaderFault(std::wstring_view name) {
  wchar_t buffer[512] = {};
  DWORD length = GetEnvironmentVariableW(L"NORVA_MDSREADER_FAULTS", buffer, 512);
  if (length == 0 || length >= 512) return false;
  std::wstring_view list(buffer, length);
  while (!list.empty()) {
    size_t comma = list.find(L',');
    if (list.substr(0, comma) == name) return true;
    if (comma == std::wstring_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return false;
}
