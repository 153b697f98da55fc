#include "shared/ProductFolders.h"

#include "platform/base/ModulePath.h"
#include "shared/PathStrings.h"
#include "shared/ProductRegistry.h"
#include "shared/RegistryKey.h"
#include "shared/TempFiles.h"

#include <shlobj.h>

#include <vector>

namespace {

constexpr const wchar_t* kCurrentVersionKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

std::wstring ReadValue(HKEY root, const wchar_t* key, const wchar_t* valueName) {
  CRegistryKey registry;
  if (!registry.Open(root, key, KEY_READ)) return std::wstring();
  return registry.ReadStringValue(valueName, L"");
}

std::wstring FolderValue(const wchar_t* key, const wchar_t* valueName) {
  std::wstring folder = ReadValue(HKEY_LOCAL_MACHINE, key, valueName ? valueName : L"Root");
  EnsureTrailingSeparator(folder);
  return folder;
}

std::wstring FromSystemCall(UINT(WINAPI* call)(LPWSTR, UINT), const wchar_t* subFolder) {
  wchar_t buffer[MAX_PATH] = {};
  UINT length = call(buffer, MAX_PATH);
  std::wstring folder = length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
  if (subFolder && *subFolder) AppendPathComponent(folder, subFolder);
  return folder;
}

std::wstring UserName() {
  wchar_t buffer[260] = {};
  DWORD length = 260;
  return GetUserNameW(buffer, &length) ? std::wstring(buffer) : std::wstring();
}

std::wstring NamedFolderOf(unsigned id, bool common) {
  switch (id) {
    case 0: return GetOldProductFolder(L"Root");
    case 1: return GetWindowsSubFolder();
    case 2: return GetSystemSubFolder();
    case 3: return GetWindowsSubFolder(L"System");
    case 4: return GetOldProductFolder(L"RootLocal");
    case 5: return GetShellFolder(common ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY);
    case 6: return GetShellFolder(common ? CSIDL_COMMON_STARTMENU : CSIDL_STARTMENU);
    case 7: return GetShellFolder(common ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
    case 8: return GetShellFolder(common ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP);
    case 9: return GetShellFolder(CSIDL_FONTS);
    case 10: return GetShellFolder(CSIDL_PERSONAL);
    case 11: return GetWindowsCurrentVersionFolder(L"ProgramFilesDir");
    case 12: return GetShellFolder(CSIDL_SENDTO);
    case 13: return GetShellFolder(CSIDL_TEMPLATES);
    case 14: return GetShellFolder(CSIDL_RECENT);
    case 15: return GetWindowsTempFolder();
    case 16: return GetShellFolder(CSIDL_FAVORITES);
    case 17: return GetShellFolder(CSIDL_APPDATA);
    case 18: return GetShellFolderValue(L"Cache", common);
    case 19: return GetShellFolderValue(L"Cookies", common);
    case 20: return GetShellFolderValue(L"History", common);
    case 21: return GetShellFolder(CSIDL_NETHOOD);
    case 22: return GetShellFolder(CSIDL_PRINTHOOD);
    case 23: return GetWindowsSubFolder(L"Cursors");
    case 24: return GetWindowsSubFolder(L"Help");
    case 25: return GetWindowsSubFolder(L"Inf");
    case 26: return GetWindowsCurrentVersionFolder(L"MediaPath");
    case 27: return GetWindowsSubFolder(L"Profiles");
    case 28: return GetWindowsSubFolder(L"ShellNew");
    case 29: {
      std::wstring folder = NamedFolderOf(27, false);
      return AppendPathComponent(folder, UserName());
    }
    default: return std::wstring();
  }
}

}  // namespace

std::wstring GetProductFolder(const wchar_t* valueName) { return FolderValue(kProductFoldersKey, valueName); }

std::wstring GetOldProductFolder(const wchar_t* valueName) { return FolderValue(kOldProductFoldersKey, valueName); }

std::wstring GetNamedFolder(unsigned id, bool common) {
  std::wstring folder = NamedFolderOf(id, common);
  EnsureTrailingSeparator(folder);
  return folder;
}

std::wstring GetWindowsSubFolder(const wchar_t* subFolder) { return FromSystemCall(GetWindowsDirectoryW, subFolder); }

std::wstring GetSystemSubFolder(const wchar_t* subFolder) { return FromSystemCall(GetSystemDirectoryW, subFolder); }

std::wstring GetShellFolder(int csidl) {
  PIDLIST_ABSOLUTE items = nullptr;
  // The owner is only a parent for dialogs the shell might show; none is needed here.
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return std::wstring();
  wchar_t buffer[MAX_PATH] = {};
  BOOL found = SHGetPathFromIDListW(items, buffer);
  CoTaskMemFree(items);
  return found ? std::wstring(buffer) : std::wstring();
}

std::wstring GetWindowsCurrentVersionFolder(const wchar_t* valueName) {
  return ReadValue(HKEY_LOCAL_MACHINE, kCurrentVersionKey, valueName);
}

std::wstring GetShellFolderValue(const wchar_t* valueName, bool common) {
  return ReadValue(common ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, kCurrentVersionKey, valueName);
}

std::wstring GetProductAppPath(const wchar_t* valueName) {
  std::wstring path = ReadValue(HKEY_LOCAL_MACHINE, kProductAppsKey, valueName);
  return path.empty() ? ReadValue(HKEY_LOCAL_MACHINE, kOldProductAppsKey, valueName) : path;
}

std::wstring GetModulePath(HMODULE module) { return platform::ModulePath(module); }

std::wstring GetModuleSiblingPath(const char* extension, HMODULE module) {
  std::wstring path = GetModulePath(module);
  std::wstring added;
  for (const char* c = extension ? extension : ""; *c; ++c) added += static_cast<wchar_t>(static_cast<unsigned char>(*c));
  size_t dot = path.rfind(L'.');
  size_t slash = path.rfind(L'\\');
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
    path.erase(!added.empty() && added.front() == L'.' ? dot : dot + 1);
  return path + added;
}

std::wstring GetModuleFolder(HMODULE module) { return GetFolderPart(GetModulePath(module)); }
