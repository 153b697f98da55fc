#include "shared/ResourceLanguage.h"

#include "shared/DeliverableConfig.h"
#include "shared/PathStrings.h"
#include "shared/ProductFolders.h"
#include "shared/ProductRegistry.h"
#include "shared/RegistryKey.h"
#include "platform/win/ResourceInstance.h"

namespace {

HMODULE LoadFrom(const std::wstring& path) { return path.empty() ? nullptr : LoadLibraryW(path.c_str()); }

}  // namespace

DWORD ReadNrvaLangId() {
  CRegistryKey key;
  DWORD id = 0;
  if (!key.Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_READ)) return 0;
  return key.ReadBinary(L"NrvaLangID", &id, sizeof(id)) ? id : 0;
}

std::wstring ResourceLanguageCode(DWORD languageId) {
  switch (languageId & 0x3FF) {
    case 0x07: return L"DEU";
    case 0x09: return L"ENU";
    case 0x0A: return L"ESN";
    case 0x0C: return L"FRA";
    case 0x16: return L"PTB";
    case 0x19: return L"RUS";
    case 0x22: return L"UKR";
    case 0x27: return L"LTH";
    default: return std::wstring();
  }
}

std::wstring BuildResourceDllName(const std::wstring& baseName) {
  DWORD languageId = ReadNrvaLangId();
  std::wstring code = languageId ? ResourceLanguageCode(languageId) : std::wstring();
  return code.empty() ? std::wstring() : baseName + L"Res" + code + L".dll";
}

std::wstring FindResourceDllPath(const std::wstring& baseName, const std::wstring& folder) {
  std::wstring name = BuildResourceDllName(baseName);
  if (name.empty()) return std::wstring();
  if (!folder.empty()) return JoinPath(folder, name);
  CRegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, kProductFoldersKey, KEY_READ)) return std::wstring();
  std::wstring sharedRoot = key.ReadStringValue(L"SharedRoot", L"");
  DWORD languageId = ReadNrvaLangId();
  if (sharedRoot.empty() || languageId == 0) return std::wstring();
  return JoinPath(JoinPath(sharedRoot, std::to_wstring(languageId)), name);
}

bool LoadResourceLanguageDll(std::wstring* loadedPath, const wchar_t* baseName) {
  HMODULE module = DeliverableModule();
  std::wstring modulePath = GetModulePath(module);
  std::wstring base = baseName && *baseName ? baseName : GetDeliverableConfig().resourceLibraryName;
  if (base.empty()) base = GetFileNamePart(modulePath);
  size_t dot = base.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) base.erase(dot);

  std::wstring path = FindResourceDllPath(base, GetFolderPart(modulePath));
  if (path.empty()) return false;
  HMODULE library = LoadFrom(path);
  if (!library) {
    path = FindResourceDllPath(base, std::wstring());
    library = LoadFrom(path);
  }
  if (!library) return false;
  // Never freed: every later dialog and string load reads from it.
  platform::SetResourceInstance(library);
  if (loadedPath) *loadedPath = path;
  return true;
}
