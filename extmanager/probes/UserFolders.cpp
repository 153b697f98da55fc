#include "extmanager/probes/UserFolders.h"

#include <windows.h>
#include <lmcons.h>
#include <shlobj.h>

#include "extmanager/probes/FolderEntries.h"
#include "extmanager/probes/SystemSeams.h"

namespace {

std::wstring WithoutFinalSeparator(std::wstring path) {
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR text = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &text)) && text) result = text;
  CoTaskMemFree(text);
  return WithoutFinalSeparator(result);
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& start) {
  return text.size() >= start.size() &&
         CompareStringOrdinal(text.c_str(), static_cast<int>(start.size()), start.c_str(),
                              static_cast<int>(start.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::wstring CurrentUserName() {
  if (Seams().userName) return *Seams().userName;
  wchar_t name[UNLEN + 1] = {};
  DWORD size = UNLEN + 1;
  return GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

std::wstring RoamingAppDataFolder() {
  if (Seams().roamingAppData) return WithoutFinalSeparator(*Seams().roamingAppData);
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return std::wstring();
  return WithoutFinalSeparator(path);
}

std::wstring EnvironmentAppDataFolder() {
  if (Seams().roamingAppData) return WithoutFinalSeparator(*Seams().roamingAppData);
  DWORD size = GetEnvironmentVariableW(L"appdata", nullptr, 0);
  if (size == 0) return std::wstring();
  std::wstring value(size, L'\0');
  size = GetEnvironmentVariableW(L"appdata", value.data(), size);
  value.resize(size);
  return WithoutFinalSeparator(value);
}

std::wstring UserProfileFolder() {
  if (Seams().userProfile) return WithoutFinalSeparator(*Seams().userProfile);
  return KnownFolder(FOLDERID_Profile);
}

std::wstring UserProfilesRoot() {
  if (Seams().userProfilesRoot) return WithoutFinalSeparator(*Seams().userProfilesRoot);
  std::wstring root = KnownFolder(FOLDERID_UserProfiles);
  if (!root.empty()) return root;
  std::wstring own = UserProfileFolder();
  size_t cut = own.find_last_of(L'\\');
  return cut == std::wstring::npos ? std::wstring() : own.substr(0, cut);
}

std::vector<std::wstring> SameFolderOfEveryUser(const std::wstring& ownFolder) {
  std::wstring own = WithoutFinalSeparator(ownFolder);
  std::wstring profile = UserProfileFolder();
  std::wstring root = UserProfilesRoot();
  if (profile.empty() || root.empty() || !StartsWithNoCase(own, profile + L"\\")) return {own};
  // The part of the folder below the user's profile, e.g. "\AppData\Roaming".
  std::wstring rest = own.substr(profile.size());
  std::vector<std::wstring> folders;
  for (const WIN32_FIND_DATAW& entry : FolderEntries(root + L"\\*"))
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) folders.push_back(root + L"\\" + entry.cFileName + rest);
  return folders.empty() ? std::vector<std::wstring>{own} : folders;
}
