#include "extmanager/probes/FolderEntries.h"

#include "extmanager/probes/LongPath.h"

std::vector<WIN32_FIND_DATAW> FolderEntries(const std::wstring& pattern) {
  std::vector<WIN32_FIND_DATAW> entries;
  WIN32_FIND_DATAW data{};
  UniqueFind search(FindFirstFileW(LongPath(pattern).c_str(), &data));
  if (!search) return entries;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") entries.push_back(data);
  } while (FindNextFileW(search.Get(), &data));
  return entries;
}
