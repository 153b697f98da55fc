#include "SmartUrlData.h"

#include <cstdio>

#include "platform/base/Handles.h"

namespace smarturlstandin {

namespace {

constexpr wchar_t kSeparator = L'\x1F';

platform::UniqueRegistryKey OpenKey(const std::wstring& path, bool create) {
  HKEY key = nullptr;
  LONG status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                         &key, nullptr)
                       : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
  return platform::UniqueRegistryKey(status == ERROR_SUCCESS ? key : nullptr);
}

std::wstring EntriesPath() { return std::wstring(kStoreKey) + L"\\Entries"; }

std::optional<Entry> Parse(const std::wstring& text) {
  size_t first = text.find(kSeparator);
  if (first == std::wstring::npos) return std::nullopt;
  size_t second = text.find(kSeparator, first + 1);
  if (second == std::wstring::npos) return std::nullopt;
  Entry entry;
  entry.url = text.substr(0, first);
  entry.dirId = static_cast<long>(wcstoul(text.substr(first + 1, second - first - 1).c_str(), nullptr, 0));
  entry.templateName = text.substr(second + 1);
  return entry;
}

}  // namespace

std::vector<Entry> LoadEntries() {
  std::vector<Entry> entries;
  platform::UniqueRegistryKey key = OpenKey(EntriesPath(), false);
  if (!key) return entries;
  for (DWORD i = 0;; ++i) {
    wchar_t name[16];
    swprintf(name, 16, L"%04lu", static_cast<unsigned long>(i));
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) break;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
      break;
    text.resize(wcsnlen(text.c_str(), text.size()));
    if (auto entry = Parse(text)) entries.push_back(std::move(*entry));
  }
  return entries;
}

bool SaveEntries(const std::vector<Entry>& entries) {
  RegDeleteTreeW(HKEY_CURRENT_USER, EntriesPath().c_str());
  platform::UniqueRegistryKey key = OpenKey(EntriesPath(), true);
  if (!key) return false;
  for (size_t i = 0; i < entries.size(); ++i) {
    wchar_t name[16];
    swprintf(name, 16, L"%04lu", static_cast<unsigned long>(i));
    std::wstring text = entries[i].url + kSeparator + std::to_wstring(entries[i].dirId) + kSeparator +
                        entries[i].templateName;
    if (RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
      return false;
  }
  return true;
}

std::optional<size_t> FindEntry(const std::vector<Entry>& entries, const std::wstring& url) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].url == url) return i;
  return std::nullopt;
}

DWORD ReadDword(const wchar_t* name, DWORD fallback) {
  platform::UniqueRegistryKey key = OpenKey(kStoreKey, false);
  DWORD value = 0, type = 0, size = sizeof(value);
  if (!key || RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                  ERROR_SUCCESS ||
      type != REG_DWORD)
    return fallback;
  return value;
}

bool WriteDword(const wchar_t* name, DWORD value) {
  platform::UniqueRegistryKey key = OpenKey(kStoreKey, true);
  return key && RegSetValueExW(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                               sizeof(value)) == ERROR_SUCCESS;
}

}  // namespace smarturlstandin
