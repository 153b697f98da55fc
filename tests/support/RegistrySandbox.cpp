#include "RegistrySandbox.h"

#include <objbase.h>

#include <stdexcept>

namespace testsupport {
namespace {

HKEY CreateKey(HKEY root, const std::wstring& key) {
  HKEY h = nullptr;
  LONG rc = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  if (rc != ERROR_SUCCESS) throw std::runtime_error("RegCreateKeyExW failed");
  return h;
}

}  // namespace

RegistrySandbox::RegistrySandbox(HKEY root) : root_(root) {
  GUID guid;
  CoCreateGuid(&guid);
  wchar_t text[64] = {};
  StringFromGUID2(guid, text, 64);
  path_ = std::wstring(L"Software\\NorvaTests\\") + text;
  RegCloseKey(CreateKey(root_, path_));
}

RegistrySandbox::~RegistrySandbox() { DeleteRegTree(root_, path_); }

ScopedFixedKey::ScopedFixedKey(HKEY root, std::wstring path) : root_(root), path_(std::move(path)) {
  DeleteRegTree(root_, path_);
}

ScopedFixedKey::~ScopedFixedKey() { DeleteRegTree(root_, path_); }

void SetRegValue(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type,
                 const std::vector<BYTE>& data) {
  HKEY h = CreateKey(root, key);
  LONG rc = RegSetValueExW(h, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
  RegCloseKey(h);
  if (rc != ERROR_SUCCESS) throw std::runtime_error("RegSetValueExW failed");
}

void SetRegString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(value.c_str());
  SetRegValue(root, key, name, REG_SZ, std::vector<BYTE>(bytes, bytes + (value.size() + 1) * sizeof(wchar_t)));
}

void SetRegDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
  SetRegValue(root, key, name, REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof(value)));
}

bool RegKeyExists(HKEY root, const std::wstring& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

bool RegValueExists(HKEY root, const std::wstring& key, const wchar_t* name) {
  return GetRegValue(root, key, name, nullptr, nullptr);
}

bool GetRegValue(HKEY root, const std::wstring& key, const wchar_t* name, DWORD* type,
                 std::vector<BYTE>* data) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  DWORD size = 0, kind = 0;
  LONG rc = RegQueryValueExW(h, name, nullptr, &kind, nullptr, &size);
  if (rc == ERROR_SUCCESS && data) {
    data->assign(size, 0);
    rc = RegQueryValueExW(h, name, nullptr, &kind, data->data(), &size);
    data->resize(size);
  }
  RegCloseKey(h);
  if (type) *type = kind;
  return rc == ERROR_SUCCESS;
}

void DeleteRegTree(HKEY root, const std::wstring& key) {
  RegDeleteTreeW(root, key.c_str());
  RegDeleteKeyW(root, key.c_str());
}

}  // namespace testsupport
