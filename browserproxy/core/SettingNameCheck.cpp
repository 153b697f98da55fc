#include "browserproxy/core/SettingNameCheck.h"

#include "browserproxy/core/RegistrySettingName.h"

namespace settingname {

namespace {

// Written by the settings store itself (the last direction).
const wchar_t* const kReservedNames[] = {L"lastDirID"};

}  // namespace

HRESULT CheckCharacters(const std::wstring& name) {
  return name.find(L'\0') == std::wstring::npos ? S_OK : E_INVALIDARG;
}

HRESULT CheckStoreName(const std::wstring& name) {
  if (FAILED(CheckCharacters(name)) || name.size() > kMaxValueNameLength) return E_INVALIDARG;
  for (const wchar_t* reserved : kReservedNames) {
    if (_wcsicmp(name.c_str(), reserved) == 0) return E_INVALIDARG;
  }
  return S_OK;
}

HRESULT CheckRegistryName(const RegistrySettingName& name) {
  if (name.valueName.size() > kMaxValueNameLength) return E_INVALIDARG;
  size_t start = 0;
  for (;;) {
    size_t end = name.key.find(L'\\', start);
    size_t length = (end == std::wstring::npos ? name.key.size() : end) - start;
    if (length > kMaxKeyNameLength) return E_INVALIDARG;
    if (end == std::wstring::npos) return S_OK;
    start = end + 1;
  }
}

}  // namespace settingname
