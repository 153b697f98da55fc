#include "shared/TempFiles.h"

#include "shared/PathStrings.h"
#include "shared/ProductFolders.h"
#include "shared/ProductRegistry.h"
#include "shared/RegistryKey.h"

#include <windows.h>

namespace {

std::wstring SystemTempPath() {
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = GetTempPathW(MAX_PATH, buffer);
  return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

// An empty folder is not the current folder to GetTempFileNameW everywhere; name it.
std::wstring CurrentFolder() {
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
  return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring(L".");
}

}  // namespace

std::wstring GetNrvaTempFolder() {
  CRegistryKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kProductFoldersKey, KEY_READ) && key.GetValueType(L"Temp") == REG_SZ &&
      key.GetValueSize(L"Temp") <= MAX_PATH * sizeof(wchar_t)) {
    std::wstring folder = key.ReadStringValue(L"Temp", L"");
    if (!folder.empty()) {
      if (folder.back() != L'\\') folder += L'\\';
      return folder;
    }
  }
  return SystemTempPath() + L"Norvasoft\\NRVA\\9.0\\";
}

std::wstring EnsureTempFolder(const wchar_t* subFolder) {
  std::wstring folder = GetNrvaTempFolder();
  if (subFolder && *subFolder) {
    folder += subFolder;
    folder += L'\\';
  }
  CreateDirectoryPath(folder);
  return folder;
}

std::wstring GetWindowsTempFolder() {
  std::wstring folder = SystemTempPath();
  CreateDirectoryPath(folder);
  return folder;
}

void CreateDirectoryPath(const std::wstring& path) {
  if (path.empty()) return;
  std::wstring whole = path;
  if (whole.back() == L'\\') whole.pop_back();
  if (whole.empty()) return;
  size_t start = whole.size() > 2 && whole[1] == L':' ? 2 : 0;
  for (size_t slash = whole.find(L'\\', start + 1); slash != std::wstring::npos;
       slash = whole.find(L'\\', slash + 1))
    CreateDirectoryW(whole.substr(0, slash).c_str(), nullptr);
  CreateDirectoryW(whole.c_str(), nullptr);
}

std::wstring MakeTempFileName(const std::wstring& folder, const wchar_t* prefix) {
  wchar_t name[MAX_PATH + 1] = {};
  if (!prefix || !*prefix) prefix = L"xstr";
  if (GetTempFileNameW(folder.c_str(), prefix, 0, name) == 0) return std::wstring();
  return name;
}

bool MakeTempFileNameIn(std::wstring& name, const wchar_t* prefix, bool inWindowsTemp) {
  std::wstring made = MakeTempFileName(inWindowsTemp ? GetNamedFolder(15, false) : CurrentFolder(), prefix);
  if (made.empty()) return false;
  name = made;
  return true;
}
