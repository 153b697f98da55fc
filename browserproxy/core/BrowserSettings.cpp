#include "browserproxy/core/BrowserSettings.h"

#include <optional>

#include "browserproxy/core/BrowserDescriptor.h"
#include "shared/RegistryKey.h"

namespace {

const wchar_t kLastDirection[] = L"lastDirID";

struct DefaultSetting {
  const wchar_t* name;
  DWORD value;
};

const DefaultSetting kDefaults[] = {
    {L"SelectionTranslateMode", 0}, {L"AddColorRGB", 0xACFFAC},  {L"AddBGColorRGB", 0x6200},
    {L"WebSearchMode", 0},          {L"TranslateWordPopupMode", 0}, {L"UseTranslateWordPopup", 1},
    {L"TranslateCtrl", 0},          {L"PopupWordDelay", 500},    {L"LimitedTextAmount", 100},
};

std::optional<DWORD> DefaultOf(const std::wstring& name, const std::wstring& keyPath) {
  if (_wcsicmp(name.c_str(), L"PageTranslateMode") == 0) {
    // Only Internet Explorer's key path contains "IE".
    return keyPath.find(L"IE") != std::wstring::npos ? 2u : 0u;
  }
  for (const DefaultSetting& d : kDefaults) {
    if (_wcsicmp(name.c_str(), d.name) == 0) return d.value;
  }
  return std::nullopt;
}

// Only VT_UI4 (as REG_DWORD) and VT_BSTR (as REG_SZ) values are kept in the
// registry; values of other types live as long as the browser object.
bool WriteOne(CRegistryKey& key, const std::wstring& name, const VARIANT& value) {
  if (value.vt == VT_BSTR) return key.WriteString(name.c_str(), value.bstrVal ? value.bstrVal : L"");
  if (value.vt == VT_UI4) return key.WriteDword(name.c_str(), value.ulVal);
  return false;
}

}  // namespace

bool CBrowserSettings::IsStorable(const VARIANT& value) { return value.vt == VT_BSTR || value.vt == VT_UI4; }

bool CBrowserSettings::Load(const BrowserDescriptor& row) {
  keyPath_ = std::wstring(kBrowsersKey) + L"\\" + row.name;
  CRegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, keyPath_.c_str(), KEY_ALL_ACCESS)) return true;
  DWORD index = 0;
  std::wstring name;
  while (key.EnumValue(index, name)) {
    if (name == kLastDirection) {
      // Unreadable (wrong type or size) means no direction is known yet.
      lastDirection_ = key.ReadInt(kLastDirection, -1);
      continue;
    }
    DWORD type = key.GetValueType(name.c_str());
    if (type == REG_SZ) {
      values_[name] = platform::Variant::FromString(key.ReadStringValue(name.c_str()));
    } else if (type == REG_DWORD) {
      values_[name] = platform::Variant::FromUInt32(static_cast<uint32_t>(key.ReadInt(name.c_str(), 0)));
    }
  }
  return true;
}

bool CBrowserSettings::Save() const {
  if (keyPath_.empty()) return true;
  CRegistryKey key;
  if (!key.Create(HKEY_CURRENT_USER, keyPath_.c_str())) return true;
  key.WriteDword(kLastDirection, static_cast<DWORD>(lastDirection_));
  for (const auto& [name, value] : values_) WriteOne(key, name, value.Get());
  return true;
}

HRESULT CBrowserSettings::WriteValue(const std::wstring& name) const {
  auto found = values_.find(name);
  if (keyPath_.empty() || found == values_.end() || !IsStorable(found->second.Get())) return S_OK;
  CRegistryKey key;
  // Under the name the store keeps it by: the spelling first stored.
  if (key.Create(HKEY_CURRENT_USER, keyPath_.c_str()) && WriteOne(key, found->first, found->second.Get())) return S_OK;
  return key.GetLastError() != ERROR_SUCCESS ? HRESULT_FROM_WIN32(key.GetLastError()) : E_FAIL;
}

HRESULT CBrowserSettings::StoreValue(const std::wstring& name, const VARIANT& value) {
  std::optional<platform::Variant> previous;
  if (auto found = values_.find(name); found != values_.end()) previous = found->second.Copy();
  SetValue(name, value);
  HRESULT hr = WriteValue(name);
  if (FAILED(hr)) {
    if (previous) values_[name] = std::move(*previous);
    else values_.erase(name);
  }
  return hr;
}

void CBrowserSettings::SetLastDirection(long direction) {
  lastDirection_ = direction;
  if (keyPath_.empty()) return;
  CRegistryKey key;
  if (key.Create(HKEY_CURRENT_USER, keyPath_.c_str())) key.WriteDword(kLastDirection, static_cast<DWORD>(direction));
}

platform::Variant CBrowserSettings::GetValue(const std::wstring& name) const {
  auto found = values_.find(name);
  if (found != values_.end()) return found->second.Copy();
  if (auto value = DefaultOf(name, keyPath_)) return platform::Variant::FromUInt32(*value);
  return platform::Variant::Missing();
}

void CBrowserSettings::SetValue(const std::wstring& name, const VARIANT& value) {
  values_[name] = platform::Variant::CopyOf(value);
}
