// GetSetting and SetSetting of the browser object: the settings store, and
// "reg:" names that reach one DWORD below the product's registry key.
#include "browserproxy/core/NorvaBrowserClass.h"
#include "browserproxy/core/RegistrySettingName.h"
#include "browserproxy/core/SettingNameCheck.h"
#include "browserproxy/core/SettingValueCheck.h"
#include "platform/com/Variant.h"
#include "shared/RegistryKey.h"

using platform::ComBoundary;

namespace {

// S_OK once the value is in the registry, else the registry's failure.
HRESULT WriteRegistrySetting(const RegistrySettingName& name, DWORD value) {
  CRegistryKey key;
  if ((key.Open(name.root, name.key.c_str(), KEY_ALL_ACCESS) || key.Create(name.root, name.key.c_str())) &&
      key.WriteDword(name.valueName.c_str(), value)) {
    return S_OK;
  }
  return key.GetLastError() != ERROR_SUCCESS ? HRESULT_FROM_WIN32(key.GetLastError()) : E_FAIL;
}

LONG ReadRegistrySetting(const RegistrySettingName& name) {
  CRegistryKey key;
  if (!key.Open(name.root, name.key.c_str(), KEY_READ)) return 0;
  return key.ReadInt(name.valueName.c_str(), 0);
}

}  // namespace

HRESULT CNorvaBrowserClass::SetSetting(BSTR Name, VARIANT Value) {
  return ComBoundary([&]() -> HRESULT {
    std::wstring name(platform::BstrView(Name));
    if (name.empty()) return E_INVALIDARG;
    // The registry would cut the name at the NUL and write another setting.
    if (FAILED(settingname::CheckCharacters(name))) return E_INVALIDARG;
    RegistrySettingName registryName = ParseRegistrySettingName(name);
    if (registryName.isRegistryName) {
      if (registryName.HasKnownRoot() && (Value.vt == VT_I4 || Value.vt == VT_INT)) {
        HRESULT hr = settingname::CheckRegistryName(registryName);
        if (FAILED(hr)) return hr;
        return WriteRegistrySetting(registryName, static_cast<DWORD>(Value.vt == VT_I4 ? Value.lVal : Value.intVal));
      }
      return S_OK;
    }
    HRESULT hr = settingname::CheckStoreName(name);
    if (FAILED(hr)) return hr;
    // A value passed by reference is stored as the value it points at.
    platform::Variant value;
    platform::ThrowIfFailed(VariantCopyInd(value.Receive(), &Value), L"VariantCopyInd");
    hr = settingvalue::Check(value.Get());
    if (FAILED(hr)) return hr;
    // Acknowledged only once it is written: it must survive a restart.
    return settings_.StoreValue(name, value.Get());
  });
}

HRESULT CNorvaBrowserClass::GetSetting(BSTR Name, VARIANT DefVal, VARIANT* pValue) {
  if (!pValue) return E_INVALIDARG;
  return ComBoundary([&]() -> HRESULT {
    std::wstring name(platform::BstrView(Name));
    if (FAILED(settingname::CheckCharacters(name))) return E_INVALIDARG;
    RegistrySettingName registryName = ParseRegistrySettingName(name);
    if (registryName.isRegistryName) {
      if (!registryName.HasKnownRoot()) return S_FALSE;
      *pValue = platform::Variant::FromInt32(ReadRegistrySetting(registryName)).Detach();
      return S_OK;
    }
    platform::Variant value = settings_.GetValue(name);
    if (value.Type() == VT_ERROR) {
      *pValue = platform::Variant::Missing().Detach();
      return S_FALSE;
    }
    if (value.IsEmpty()) {
      if (!platform::IsMissing(DefVal)) *pValue = platform::Variant::CopyOf(DefVal).Detach();
      return S_FALSE;
    }
    *pValue = value.Detach();
    return S_OK;
  });
}
