#include "Switches.h"

namespace kernelstandin {

DWORD Switches::Number(const wchar_t* name, DWORD fallback) {
  DWORD value = 0, size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return fallback;
  return value;
}

std::wstring Switches::Text(const wchar_t* name) {
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS ||
      size < sizeof(wchar_t))
    return {};
  std::wstring text(size / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, text.data(), &size) != ERROR_SUCCESS)
    return {};
  text.resize(wcslen(text.c_str()));
  return text;
}

HRESULT Switches::CallResult(const wchar_t* call) {
  std::wstring list = L";" + Text(L"FailCall") + L";";
  if (list.find(L";" + std::wstring(call) + L";") == std::wstring::npos) return S_OK;
  return static_cast<HRESULT>(Number(L"FailCallResult", static_cast<DWORD>(E_FAIL)));
}

}  // namespace kernelstandin
