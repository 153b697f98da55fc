#include "extmanager/probes/InstalledPrograms.h"

#include <psapi.h>

#include "extmanager/probes/FolderEntries.h"
#include "platform/base/Handles.h"
#include "shared/RegistryKey.h"

bool ScanUninstallKeys(HKEY root, const std::wstring& text, InstalledPrograms& list) {
  CRegistryKey uninstall;
  if (!uninstall.Open(root, kUninstallKey, KEY_READ)) return !list.empty();
  DWORD index = 0;
  std::wstring name;
  while (uninstall.EnumKey(index, name)) {
    CRegistryKey entry;
    if (!entry.Open(root, (std::wstring(kUninstallKey) + L"\\" + name).c_str(), KEY_READ)) continue;
    std::wstring displayName = entry.ReadStringValue(L"DisplayName", L"");
    if (!displayName.empty() && displayName.find(text) != std::wstring::npos)
      list.push_back({displayName, entry.ReadStringValue(L"DisplayVersion", L""),
                      entry.ReadStringValue(L"InstallLocation", L"")});
    entry.Close();
  }
  uninstall.Close();
  return !list.empty();
}

bool FindInstalledProgram(InstalledPrograms& list, const std::wstring& text) {
  if (ScanUninstallKeys(HKEY_LOCAL_MACHINE, text, list)) return true;
  return ScanUninstallKeys(HKEY_CURRENT_USER, text, list);
}

bool PathExists(const std::wstring& path) {
  return !FolderEntries(path + L"*").empty();
}

bool IsProcessRunning(const std::wstring& fileName) {
  std::vector<DWORD> ids(1024);
  DWORD bytes = 0;
  // Grows the table until every process fits.
  for (;;) {
    if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) return false;
    if (bytes < ids.size() * sizeof(DWORD) || ids.size() >= 65536) break;
    ids.resize(ids.size() * 2);
  }
  ids.resize(bytes / sizeof(DWORD));
  for (DWORD id : ids) {
    platform::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process) continue;
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (!EnumProcessModules(process.Get(), &module, sizeof(module), &needed)) continue;
    wchar_t name[MAX_PATH] = L"<unknown>";
    if (!GetModuleBaseNameW(process.Get(), module, name, MAX_PATH)) continue;
    if (CompareStringOrdinal(name, -1, fileName.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
  }
  return false;
}
