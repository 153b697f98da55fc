#include "browserproxy/core/RegistrySettingName.h"

namespace {

const wchar_t kPrefix[] = L"reg:";

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
  size_t n = wcslen(prefix);
  return text.size() >= n && _wcsnicmp(text.c_str(), prefix, n) == 0;
}

}  // namespace

RegistrySettingName ParseRegistrySettingName(const std::wstring& name) {
  RegistrySettingName parsed;
  if (!StartsWithNoCase(name, kPrefix)) return parsed;
  parsed.isRegistryName = true;

  size_t slash = name.find(L'\\');
  if (slash == std::wstring::npos) return parsed;
  std::wstring rootName = name.substr(wcslen(kPrefix), slash - wcslen(kPrefix));
  HKEY root = nullptr;
  if (rootName == L"HKLM") root = HKEY_LOCAL_MACHINE;
  else if (rootName == L"HKCU") root = HKEY_CURRENT_USER;
  if (!root || slash + 1 >= name.size()) return parsed;

  std::wstring rest = name.substr(slash + 1);
  size_t last = rest.rfind(L'\\');
  if (last == std::wstring::npos) return parsed;
  parsed.root = root;
  parsed.key = rest.substr(0, last);
  parsed.valueName = rest.substr(last + 1);
  return parsed;
}
