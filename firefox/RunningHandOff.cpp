#include "firefox/RunningHandOff.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "platform/base/Handles.h"

namespace {

bool SameKey(std::wstring_view key, const wchar_t* name) {
  return key.size() == wcslen(name) && _wcsnicmp(key.data(), name, key.size()) == 0;
}

}  // namespace

RunningHandOff ParseRunningHandOff(std::wstring_view text) {
  RunningHandOff record;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L';', start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view item = text.substr(start, end - start);
    start = end + 1;
    if (item.empty()) continue;
    size_t equals = item.find(L'=');
    std::wstring_view key = item.substr(0, equals);
    std::wstring value(equals == std::wstring_view::npos ? std::wstring_view() : item.substr(equals + 1));
    if (SameKey(key, L"S"))
      record.s = value;
    else if (SameKey(key, L"D"))
      record.d = wcstol(value.c_str(), nullptr, 10);
    else if (SameKey(key, L"T"))
      record.t = value;
    else if (SameKey(key, L"U"))
      record.u = value;
  }
  if (record.s == L"local") {
    record.present = true;
    record.s.clear();
  }
  return record;
}

bool ReadRunningHandOff(RunningHandOff& record) {
  record = RunningHandOff();
  platform::UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunningKey, 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) return false;
  std::wstring text;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), kFireFoxValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ && size >= sizeof(wchar_t)) {
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = size;
    if (RegQueryValueExW(key.Get(), kFireFoxValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &read) ==
            ERROR_SUCCESS &&
        type == REG_SZ)
      text.assign(buffer.data());  // up to the first NUL
  }
  RegDeleteValueW(key.Get(), kFireFoxValue);
  record = ParseRunningHandOff(text);
  if (!text.empty()) record.present = true;
  return !text.empty();
}
