#include "Reports.h"

#include "Switches.h"

namespace kernelstandin {

void Reports::SetNumber(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, REG_DWORD, &value, sizeof(value));
}

void Reports::SetText(const wchar_t* name, const std::wstring& value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void Reports::Count(const wchar_t* name) {
  DWORD value = 0, size = sizeof(value);
  RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  SetNumber(name, value + 1);
}

}  // namespace kernelstandin
