#pragma once
#include <windows.h>

#include <string>

#include "RegistrySandbox.h"
#include "browserproxy/core/NorvaBrowserClass.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"

// What the browser object's tests share: the apartment, an empty product
// settings tree, and a browser object made in this process.
inline constexpr const wchar_t* kBrowsersKey = L"Software\\Norvasoft\\NRVA9\\Browsers";

class BrowserObjectTest : public testing::Test {
 protected:
  platform::ComPtr<platform::ComObject<CNorvaBrowserClass>> MakeBrowser() {
    return platform::MakeComObject<CNorvaBrowserClass>();
  }
  static std::wstring BrowserKey(const wchar_t* name) { return std::wstring(kBrowsersKey) + L"\\" + name; }

  platform::ComApartment apartment_;
  testsupport::ScopedFixedKey browsers_{HKEY_CURRENT_USER, kBrowsersKey};
};

// The DWORD of a registry value; -1 (as unsigned) stands out as missing.
inline DWORD RegDword(HKEY root, const std::wstring& key, const wchar_t* name, bool* found = nullptr) {
  DWORD type = 0;
  std::vector<BYTE> data;
  bool ok = testsupport::GetRegValue(root, key, name, &type, &data) && type == REG_DWORD && data.size() == 4;
  if (found) *found = ok;
  DWORD value = 0xDEADBEEF;
  if (ok) memcpy(&value, data.data(), 4);
  return value;
}
