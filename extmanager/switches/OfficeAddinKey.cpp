#include "extmanager/switches/OfficeAddinKey.h"

#include "extmanager/probes/SystemSeams.h"

OfficeAddinKey::OfficeAddinKey(const std::wstring& app, std::wstring progId)
    : parentPath_(ParentPath(app)), progId_(std::move(progId)), path_(parentPath_ + progId_) {}

std::wstring OfficeAddinKey::ParentPath(const std::wstring& app) {
  return L"Software\\Microsoft\\Office\\" + app + L"\\Addins\\";
}

bool OfficeAddinKey::Refused(const wchar_t* verb, const std::wstring& path, const wchar_t* valueName) const {
  const auto& refuse = Seams().refuseRegistry;
  if (!refuse) return false;
  std::wstring change = std::wstring(verb) + L" HKCU\\" + path;
  if (valueName) change += std::wstring(L"\\") + valueName;
  return refuse(change);
}

bool OfficeAddinKey::Exists() const {
  platform::UniqueRegistryKey key;
  return RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

LONG OfficeAddinKey::OpenParent() {
  if (Refused(L"open", parentPath_)) return ERROR_ACCESS_DENIED;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, parentPath_.c_str(), 0, KEY_ALL_ACCESS, parent_.Receive()) == ERROR_SUCCESS)
    return ERROR_SUCCESS;
  if (Refused(L"create", parentPath_)) return ERROR_ACCESS_DENIED;
  platform::UniqueRegistryKey made;
  LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, parentPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                made.Receive(), nullptr);
  if (result != ERROR_SUCCESS) return result;
  made.Reset();
  return RegOpenKeyExW(HKEY_CURRENT_USER, parentPath_.c_str(), 0, KEY_ALL_ACCESS, parent_.Receive());
}

LONG OfficeAddinKey::CreateKey(bool* created) {
  if (!parent_) return ERROR_INVALID_HANDLE;
  if (Refused(L"create", path_)) return ERROR_ACCESS_DENIED;
  DWORD disposition = 0;
  LONG result = RegCreateKeyExW(parent_.Get(), progId_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                key_.Receive(), &disposition);
  if (created) *created = result == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
  return result;
}

LONG OfficeAddinKey::SetValue(const wchar_t* valueName, DWORD type, const void* data, DWORD size) {
  if (!key_) return ERROR_INVALID_HANDLE;
  if (Refused(L"set", path_, valueName)) return ERROR_ACCESS_DENIED;
  return RegSetValueExW(key_.Get(), valueName, 0, type, static_cast<const BYTE*>(data), size);
}

LONG OfficeAddinKey::SetString(const wchar_t* valueName, const std::wstring& text) {
  // With its terminating null, as Office's own entries are stored.
  return SetValue(valueName, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LONG OfficeAddinKey::SetDword(const wchar_t* valueName, DWORD value) {
  return SetValue(valueName, REG_DWORD, &value, sizeof(value));
}

LONG OfficeAddinKey::Delete() {
  key_.Reset();
  if (Refused(L"delete", path_)) return ERROR_ACCESS_DENIED;
  // Office and other programs may have put sub-keys below the entry: the
  // whole tree goes, which a plain key deletion would refuse.
  LONG result = RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  return result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND ? ERROR_SUCCESS : result;
}
