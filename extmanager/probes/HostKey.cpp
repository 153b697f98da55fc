#include "extmanager/probes/HostKey.h"

#include "extmanager/probes/SystemSeams.h"

namespace {
const wchar_t* RootName(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return L"HKLM";
  if (root == HKEY_CURRENT_USER) return L"HKCU";
  if (root == HKEY_CLASSES_ROOT) return L"HKCR";
  if (root == HKEY_USERS) return L"HKU";
  return L"HK?";
}
}  // namespace

std::wstring HostKey::Display() const { return std::wstring(RootName(root_)) + L"\\" + path_; }

bool HostKey::Refused(const wchar_t* verb, const wchar_t* valueName) const {
  const auto& refuse = Seams().refuseRegistry;
  if (!refuse) return false;
  std::wstring change = std::wstring(verb) + L" " + Display();
  if (valueName) change += std::wstring(L"\\") + valueName;
  return refuse(change);
}

LONG HostKey::OpenForReading() {
  return RegOpenKeyExW(root_, path_.c_str(), 0, KEY_READ, key_.Receive());
}

LONG HostKey::OpenForWriting() {
  if (Refused(L"open")) return ERROR_ACCESS_DENIED;
  return RegOpenKeyExW(root_, path_.c_str(), 0, KEY_WRITE | KEY_READ, key_.Receive());
}

LONG HostKey::Create() {
  if (Refused(L"create")) return ERROR_ACCESS_DENIED;
  return RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_READ, nullptr, key_.Receive(),
                         nullptr);
}

LONG HostKey::SetString(const wchar_t* valueName, const std::wstring& text) {
  if (!key_) return ERROR_INVALID_HANDLE;
  if (Refused(L"set", valueName)) return ERROR_ACCESS_DENIED;
  return RegSetValueExW(key_.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LONG HostKey::DeleteTree() {
  key_.Reset();
  if (Refused(L"delete")) return ERROR_ACCESS_DENIED;
  // With a sub-key named, the key goes too, not only what is below it.
  LONG result = RegDeleteTreeW(root_, path_.c_str());
  return result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND ? ERROR_SUCCESS : result;
}

bool HostKey::Exists(HKEY root, const std::wstring& path) {
  HostKey key(root, path);
  return key.OpenForReading() == ERROR_SUCCESS;
}
