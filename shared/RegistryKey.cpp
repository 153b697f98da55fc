#include "shared/RegistryKey.h"

#include "platform/base/Handles.h"
#include "platform/win/ResourceInstance.h"
#include "shared/DeliverableConfig.h"
#include "shared/PathStrings.h"

#include <algorithm>
#include <cwchar>
#include <utility>
#include <vector>

namespace {

// Longest key name (255) and value name (16383) the registry allows, plus the terminator.
constexpr DWORD kKeyNameChars = 256;
constexpr DWORD kValueNameChars = 16384;

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

// Deletes root\path, its sub-keys first when recursive; the first failure ends it.
LONG DeleteTree(HKEY root, const std::wstring& path, bool recursive) {
  // An empty path would name the root itself: never delete a whole hive.
  if (!root || path.empty()) return ERROR_INVALID_PARAMETER;
  if (recursive) {
    // Closed before the key itself is deleted.
    platform::UniqueRegistryKey key;
    LONG rc = RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, key.Receive());
    if (rc != ERROR_SUCCESS) return rc;
    for (;;) {
      wchar_t name[kKeyNameChars] = {};
      DWORD length = kKeyNameChars;
      rc = RegEnumKeyExW(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_NO_MORE_ITEMS) break;
      // A sub-key that cannot be named or deleted stays at index 0; going on
      // would find it again for ever.
      if (rc == ERROR_SUCCESS) rc = DeleteTree(root, path + L"\\" + std::wstring(name, length), true);
      if (rc != ERROR_SUCCESS) return rc;
    }
  }
  return RegDeleteKeyW(root, path.c_str());
}

int CopyTree(HKEY sourceRoot, const std::wstring& sourcePath, HKEY destinationRoot,
             const std::wstring& destinationPath) {
  CRegistryKey source;
  if (!source.Open(sourceRoot, sourcePath.c_str(), KEY_READ)) return 0;
  CRegistryKey destination;
  bool created = false;
  if (!destination.Open(destinationRoot, destinationPath.c_str(), KEY_ALL_ACCESS)) {
    if (!destination.Create(destinationRoot, destinationPath.c_str())) return 0;
    created = true;
  }
  int copied = 0;
  std::vector<wchar_t> name(kValueNameChars);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = kValueNameChars;
    DWORD type = 0, size = 0;
    LONG rc = RegEnumValueW(source.Key(), index, name.data(), &nameLength, nullptr, &type, nullptr, &size);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) continue;
    if (!created && RegQueryValueExW(destination.Key(), name.data(), nullptr, nullptr, nullptr, nullptr) ==
                        ERROR_SUCCESS)
      continue;
    std::vector<BYTE> data(size + 32);
    DWORD read = static_cast<DWORD>(data.size());
    if (RegQueryValueExW(source.Key(), name.data(), nullptr, &type, data.data(), &read) != ERROR_SUCCESS) continue;
    if (RegSetValueExW(destination.Key(), name.data(), 0, type, data.data(), read) == ERROR_SUCCESS) ++copied;
  }
  std::vector<std::wstring> subKeys;
  DWORD index = 0;
  for (std::wstring sub; source.EnumKey(index, sub);) subKeys.push_back(sub);
  for (const std::wstring& sub : subKeys)
    copied += CopyTree(source.Root(), source.Path() + L"\\" + sub, destination.Root(),
                       destination.Path() + L"\\" + sub);
  return copied;
}

}  // namespace

CRegistryKey::~CRegistryKey() { Close(); }

CRegistryKey::CRegistryKey(CRegistryKey&& other) noexcept
    : path_(std::move(other.path_)),
      key_(std::exchange(other.key_, nullptr)),
      root_(std::exchange(other.root_, nullptr)),
      lastError_(other.lastError_) {}

CRegistryKey& CRegistryKey::operator=(CRegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    path_ = std::move(other.path_);
    key_ = std::exchange(other.key_, nullptr);
    root_ = std::exchange(other.root_, nullptr);
    lastError_ = other.lastError_;
  }
  return *this;
}

bool CRegistryKey::Remember(LONG result) {
  lastError_ = static_cast<DWORD>(result);
  return result == ERROR_SUCCESS;
}

void CRegistryKey::Attach(HKEY key) {
  if (key_) Remember(RegCloseKey(key_));
  key_ = key;
}

bool CRegistryKey::SetPath(HKEY root, const wchar_t* subKey, HKEY* resolvedRoot) {
  Close();
  path_ = root ? std::wstring() : DefaultRegistryPath();
  if (subKey && *subKey) AppendPathComponent(path_, subKey);
  // The root always belongs to the path just set, so that later sub-key and
  // delete operations never act under the root of an earlier path.
  root_ = root ? root : HKEY_CURRENT_USER;
  if (resolvedRoot) *resolvedRoot = root_;
  return true;
}

bool CRegistryKey::OpenOrCreate(HKEY root, const wchar_t* subKey, bool create, const wchar_t* keyClass,
                                DWORD options, REGSAM access, SECURITY_ATTRIBUTES* security,
                                DWORD* disposition) {
  SetPath(root, subKey);
  HKEY key = nullptr;
  LONG rc;
  if (create) {
    DWORD how = 0;
    rc = RegCreateKeyExW(root_, path_.c_str(), 0, const_cast<LPWSTR>(keyClass), options, access, security, &key,
                         &how);
    if (rc == ERROR_SUCCESS && disposition) *disposition = how;
  } else {
    rc = RegOpenKeyExW(root_, path_.c_str(), 0, access, &key);
  }
  if (!Remember(rc)) return false;
  key_ = key;
  return true;
}

bool CRegistryKey::Create(HKEY root, const wchar_t* subKey, const wchar_t* keyClass, DWORD options,
                          REGSAM access, SECURITY_ATTRIBUTES* security, DWORD* disposition) {
  return OpenOrCreate(root, subKey, true, keyClass, options, access, security, disposition);
}

bool CRegistryKey::Open(HKEY root, const wchar_t* subKey, REGSAM access) {
  return OpenOrCreate(root, subKey, false, nullptr, 0, access, nullptr, nullptr);
}

bool CRegistryKey::Create(HKEY root, UINT subKeyStringId, const wchar_t* keyClass, DWORD options,
                          REGSAM access, SECURITY_ATTRIBUTES* security, DWORD* disposition) {
  return Create(root, platform::LoadResourceString(subKeyStringId).c_str(), keyClass, options, access, security,
                disposition);
}

bool CRegistryKey::Open(HKEY root, UINT subKeyStringId, REGSAM access) {
  return Open(root, platform::LoadResourceString(subKeyStringId).c_str(), access);
}

bool CRegistryKey::Close() {
  path_.clear();
  if (!key_) return true;
  bool closed = Remember(RegCloseKey(key_));
  key_ = nullptr;
  return closed;
}

std::wstring CRegistryKey::SubKeyPath(const wchar_t* name) const {
  std::wstring path = path_;
  if (name && *name) {
    if (!path.empty()) path += L'\\';
    path += name;
  }
  return path;
}

bool CRegistryKey::ParentPath(std::wstring& parent) const {
  size_t slash = path_.rfind(L'\\');
  if (slash == std::wstring::npos || slash == 0) return false;
  parent = path_.substr(0, slash);
  return true;
}

bool CRegistryKey::OpenSubKeyInto(CRegistryKey& target, const wchar_t* name, bool create) const {
  if (!root_) {
    target.Remember(ERROR_INVALID_HANDLE);
    return false;
  }
  HKEY root = root_;
  std::wstring path = SubKeyPath(name);
  return create ? target.Create(root, path.c_str()) : target.Open(root, path.c_str(), KEY_ALL_ACCESS);
}

bool CRegistryKey::CreateSubKeyPath(const wchar_t* name, bool create) { return OpenSubKeyInto(*this, name, create); }

bool CRegistryKey::CreateSubKeyPath(UINT nameStringId, bool create) {
  return CreateSubKeyPath(platform::LoadResourceString(nameStringId).c_str(), create);
}

std::unique_ptr<CRegistryKey> CRegistryKey::NewSubKey(const wchar_t* name, bool create) const {
  auto key = std::make_unique<CRegistryKey>();
  if (!OpenSubKeyInto(*key, name, create)) return nullptr;
  return key;
}

bool CRegistryKey::OpenParentKey() {
  std::wstring parent;
  if (!root_ || !ParentPath(parent)) return false;
  return Open(root_, parent.c_str(), KEY_ALL_ACCESS);
}

std::unique_ptr<CRegistryKey> CRegistryKey::NewParentKey() const {
  std::wstring parent;
  if (!root_ || !ParentPath(parent)) return nullptr;
  auto key = std::make_unique<CRegistryKey>();
  if (!key->Open(root_, parent.c_str(), KEY_ALL_ACCESS)) return nullptr;
  return key;
}

bool CRegistryKey::DeleteKeyTree(bool recursive) {
  std::wstring path = path_;
  Close();
  return Remember(DeleteTree(root_, path, recursive));
}

bool CRegistryKey::DeleteKeyTree(HKEY root, const std::wstring& path, bool recursive) {
  return DeleteTree(root, path, recursive) == ERROR_SUCCESS;
}

std::wstring CRegistryKey::GetDefaultString(const wchar_t* defaultText) { return ReadStringValue(nullptr, defaultText); }

int CRegistryKey::GetDefaultInt() { return _wtoi(GetDefaultString(L"0").c_str()); }

bool CRegistryKey::SetString(const wchar_t* text, const wchar_t* valueName) {
  return WriteString(valueName, text ? text : L"");
}

bool CRegistryKey::SetNumberString(UINT number, const wchar_t* valueName) {
  return SetString(std::to_wstring(number).c_str(), valueName);
}

bool CRegistryKey::ValueExists(const wchar_t* name) {
  return Remember(RegQueryValueExW(key_, name, nullptr, nullptr, nullptr, nullptr));
}

DWORD CRegistryKey::GetValueType(const wchar_t* name) {
  DWORD type = 0;
  return Remember(RegQueryValueExW(key_, name, nullptr, &type, nullptr, nullptr)) ? type : 0;
}

DWORD CRegistryKey::GetValueSize(const wchar_t* name) {
  DWORD size = 0;
  return Remember(RegQueryValueExW(key_, name, nullptr, nullptr, nullptr, &size)) ? size : 0;
}

bool CRegistryKey::DeleteValue(const wchar_t* name) { return Remember(RegDeleteValueW(key_, name)); }

std::wstring CRegistryKey::ReadStringValue(const wchar_t* name, const wchar_t* defaultText) {
  std::wstring fallback = defaultText ? defaultText : L"";
  DWORD size = GetValueSize(name);
  if (size == 0) return fallback;
  // Offer exactly the data's bytes; the extra element keeps a terminator
  // behind data that has none.
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  DWORD read = size;
  if (!Remember(RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &read)))
    return fallback;
  size_t characters = std::min<size_t>(read, size) / sizeof(wchar_t);
  std::wstring text(buffer.data(), wcsnlen(buffer.data(), characters));
  return text.empty() ? fallback : text;
}

bool CRegistryKey::WriteString(const wchar_t* name, const wchar_t* text) {
  if (!text) text = L"";
  DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
  return Remember(RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes));
}

int CRegistryKey::ReadInt(const wchar_t* name, int defaultValue) {
  int failure = GetDeliverableConfig().readIntFailureValue.value_or(defaultValue);
  DWORD type = 0, size = 0;
  if (!Remember(RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size))) return failure;
  BYTE bytes[4] = {};
  DWORD read = sizeof(bytes);
  if (type == REG_BINARY && (size == 0 || size > sizeof(bytes))) return failure;
  if (!Remember(RegQueryValueExW(key_, name, nullptr, nullptr, bytes, &read))) return failure;
  if (type == REG_BINARY && read == 0) return failure;
  return static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24);
}

bool CRegistryKey::WriteDword(const wchar_t* name, DWORD value) {
  return Remember(RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)));
}

DWORD CRegistryKey::ReadBinary(const wchar_t* name, void* buffer, DWORD size) {
  DWORD read = size;
  return Remember(RegQueryValueExW(key_, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &read)) ? read : 0;
}

bool CRegistryKey::WriteBinary(const wchar_t* name, const void* data, DWORD size) {
  return Remember(RegSetValueExW(key_, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size));
}

bool CRegistryKey::ReadGuid(const wchar_t* name, GUID* out, const GUID* defaultGuid) {
  if (!out) return false;
  constexpr size_t kBracedGuidChars = 38;
  std::wstring text = ReadStringValue(name, L"");
  GUID parsed{};
  if (!text.empty() && text.size() <= kBracedGuidChars && SUCCEEDED(CLSIDFromString(text.c_str(), &parsed))) {
    *out = parsed;
    return true;
  }
  if (!defaultGuid) return false;
  *out = *defaultGuid;
  return true;
}

bool CRegistryKey::WriteGuid(const wchar_t* name, const GUID& guid) {
  wchar_t text[40] = {};
  if (!StringFromGUID2(guid, text, 40)) return false;
  return WriteString(name, text);
}

std::wstring CRegistryKey::EnumKey(DWORD& index) {
  std::wstring name;
  EnumKey(index, name);
  return name;
}

bool CRegistryKey::EnumKey(DWORD& index, std::wstring& name) {
  wchar_t buffer[kKeyNameChars] = {};
  DWORD length = kKeyNameChars;
  if (!Remember(RegEnumKeyExW(key_, index, buffer, &length, nullptr, nullptr, nullptr, nullptr))) {
    name.clear();
    return false;
  }
  ++index;
  name.assign(buffer, length);
  return true;
}

bool CRegistryKey::EnumValue(DWORD& index, std::wstring& name, bool includeUnnamed) {
  std::vector<wchar_t> buffer(kValueNameChars);
  for (;;) {
    DWORD length = kValueNameChars;
    if (!Remember(RegEnumValueW(key_, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)))
      return false;
    ++index;
    if (length == 0 && !includeUnnamed) continue;
    name.assign(buffer.data(), length);
    return true;
  }
}

int CopyRegistryTree(const wchar_t* sourcePath, HKEY sourceRoot, const wchar_t* destinationPath,
                     HKEY destinationRoot) {
  CRegistryKey resolver;
  HKEY source = nullptr, destination = nullptr;
  resolver.SetPath(sourceRoot, sourcePath, &source);
  std::wstring from = resolver.Path();
  resolver.SetPath(destinationRoot, destinationPath ? destinationPath : sourcePath, &destination);
  std::wstring to = resolver.Path();
  // A destination inside the source would be copied into itself without end.
  if (source == destination &&
      (EqualNoCase(from, to) || (to.size() > from.size() && to[from.size()] == L'\\' &&
                                 EqualNoCase(from, to.substr(0, from.size())))))
    return 0;
  return CopyTree(source, from, destination, to);
}
