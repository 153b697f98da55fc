#include "SmartUrlStandIn.h"

#include <cstdio>

namespace dialogstest {

HRESULT CallSmartUrlEntry(const char* name) {
  HMODULE dll = LoadLibraryW(L"NrvaSmartUrl.dll");
  if (!dll) return HRESULT_FROM_WIN32(GetLastError());
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto entry = reinterpret_cast<Entry>(GetProcAddress(dll, name));
  HRESULT hr = entry ? entry() : E_NOINTERFACE;
  FreeLibrary(dll);
  return hr;
}

std::vector<StoredUrl> StoredUrls() {
  std::vector<StoredUrl> entries;
  const std::wstring key = std::wstring(kSmartUrlKey) + L"\\Entries";
  for (int i = 0;; ++i) {
    wchar_t name[16];
    swprintf(name, 16, L"%04d", i);
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!testsupport::GetRegValue(HKEY_CURRENT_USER, key, name, &type, &data) || type != REG_SZ) break;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2);
    text.resize(wcsnlen(text.c_str(), text.size()));
    size_t a = text.find(L'\x1F'), b = text.find(L'\x1F', a + 1);
    entries.push_back({text.substr(0, a), std::stol(text.substr(a + 1, b - a - 1)), text.substr(b + 1)});
  }
  return entries;
}

void SeedUrls(const std::vector<StoredUrl>& entries) {
  const std::wstring key = std::wstring(kSmartUrlKey) + L"\\Entries";
  testsupport::DeleteRegTree(HKEY_CURRENT_USER, key);
  for (size_t i = 0; i < entries.size(); ++i) {
    wchar_t name[16];
    swprintf(name, 16, L"%04d", static_cast<int>(i));
    testsupport::SetRegString(HKEY_CURRENT_USER, key, name,
                              entries[i].url + L'\x1F' + std::to_wstring(entries[i].dirId) + L'\x1F' +
                                  entries[i].templateName);
  }
}

ScopedSmartUrlStore::ScopedSmartUrlStore() { registered_ = SUCCEEDED(CallSmartUrlEntry("DllRegisterServer")); }

}  // namespace dialogstest
