#include "browserproxy/core/NorvaIEContextMenu.h"

#include "platform/base/Handles.h"
#include "platform/com/Bstr.h"
#include "shared/RegistryKey.h"

namespace iecontextmenu {
namespace {

// One key name: an empty name or one with "\" would reach the MenuExt key
// itself or a key below another entry, one with a NUL the entry named by
// its first part.
bool IsEntryName(const std::wstring& name) {
  return !name.empty() && name.find(L'\\') == std::wstring::npos && !platform::HasEmbeddedNul(name);
}

std::wstring EntryPath(const std::wstring& name) { return std::wstring(kMenuExtKey) + L"\\" + name; }

bool PageExists(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  return platform::UniqueFindHandle(FindFirstFileW(path.c_str(), &found)).Valid();
}

}  // namespace

HRESULT AddCommand(const std::wstring& name, const std::wstring& pagePath) {
  if (!IsEntryName(name) || pagePath.empty() || platform::HasEmbeddedNul(pagePath)) return E_INVALIDARG;
  if (!PageExists(pagePath)) return S_FALSE;
  CRegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, EntryPath(name).c_str(), KEY_ALL_ACCESS) &&
      !key.Create(HKEY_CURRENT_USER, EntryPath(name).c_str())) {
    return HRESULT_FROM_WIN32(key.GetLastError());
  }
  if (!key.SetString(pagePath.c_str()) || !key.WriteDword(L"context", 0x10)) {
    return HRESULT_FROM_WIN32(key.GetLastError());
  }
  return S_OK;
}

HRESULT RemoveCommand(const std::wstring& name) {
  if (!IsEntryName(name)) return E_INVALIDARG;
  CRegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, EntryPath(name).c_str(), KEY_ALL_ACCESS)) return S_FALSE;
  return key.DeleteKeyTree(true) ? S_OK : HRESULT_FROM_WIN32(key.GetLastError());
}

}  // namespace iecontextmenu
