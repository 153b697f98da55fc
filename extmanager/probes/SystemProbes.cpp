#include "extmanager/probes/SystemProbes.h"

#include <windows.h>

#include "extmanager/probes/FolderEntries.h"
#include "extmanager/probes/LongPath.h"
#include "extmanager/probes/SystemSeams.h"
#include "platform/base/Handles.h"
#include "shared/ProductRegistry.h"
#include "shared/RegistryKey.h"

std::wstring ReadFoldersValue(const wchar_t* valueName) {
  try {
    CRegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kProductFoldersKey, KEY_READ)) return std::wstring();
    std::wstring value = key.ReadStringValue(valueName, L"");
    key.Close();
    return value;
  } catch (...) {
    return std::wstring();
  }
}

bool IsUserAdmin() {
  const SystemSeams& seams = Seams();
  if (seams.userIsAdmin) return *seams.userIsAdmin;
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, seams.adminSidSubAuthorities, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
    return false;
  bool answer = false;
  if (platform::UniqueLibrary advapi(LoadLibraryW(L"advapi32.dll")); advapi) {
    using CheckFn = BOOL(WINAPI*)(HANDLE, PSID, PBOOL);
    auto check = reinterpret_cast<CheckFn>(GetProcAddress(advapi.Get(), seams.membershipFunction.c_str()));
    if (check) {
      BOOL member = FALSE;
      answer = check(nullptr, administrators, &member) && member;
    } else {
      answer = true;  // systems before Windows 2000 have no such check
    }
  }
  FreeSid(administrators);
  return answer;
}

bool CanOpenFile(const std::wstring& path) {
  platform::UniqueFileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid();
}

bool FileIsThere(const std::wstring& path, bool& found) {
  platform::UniqueFileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Valid()) {
    found = true;
    return true;
  }
  switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_ACCESS:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:  // held open by another program: it is there
    case ERROR_LOCK_VIOLATION:
      found = true;
      return true;
    default:
      return false;
  }
}

namespace {

bool FindBelow(const std::wstring& folder, std::wstring& name, int depth) {
  WIN32_FIND_DATAW data{};
  UniqueFind search(FindFirstFileW(LongPath(folder + L"\\*.*").c_str(), &data));
  if (!search) return false;
  do {
    std::wstring entry = data.cFileName;
    if (entry == L"." || entry == L"..") continue;
    if (CompareStringOrdinal(entry.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) {
      name = folder + L"\\" + name;
      return true;
    }
    // Links and junctions may lead back up the tree: never followed.
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        depth < kMaxSearchDepth) {
      if (FindBelow(folder + L"\\" + entry, name, depth + 1)) return true;
    }
  } while (FindNextFileW(search.Get(), &data));
  return false;
}

}  // namespace

bool FindEntryBelow(const std::wstring& folder, std::wstring& name) {
  std::wstring start = folder;
  while (start.size() > 3 && (start.back() == L'\\' || start.back() == L'/')) start.pop_back();
  return FindBelow(start, name, 1);
}
