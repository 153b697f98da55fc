#include "extmanager/switches/MozillaSwitch.h"

#include <shellapi.h>

#include <cwchar>

#include "extmanager/probes/FolderEntries.h"
#include "extmanager/probes/HostKey.h"
#include "extmanager/probes/LongPath.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/probes/UserFolders.h"
#include "extmanager/switches/ExceptSW.h"

namespace {

constexpr wchar_t kFirefoxKey[] = L"SOFTWARE\\Mozilla\\Mozilla Firefox";
bool IsVqd(int kind) { return kind == 0x80000; }
const wchar_t* FoldersValueName(int kind) { return IsVqd(kind) ? L"FireFoxVQD" : L"FireFox"; }
const wchar_t* ComponentFile(int kind) { return IsVqd(kind) ? L"fervix9vqd.dll" : L"fervix9.dll"; }

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> SubFolders(const std::wstring& folder) {
  std::vector<std::wstring> result;
  for (const WIN32_FIND_DATAW& entry : FolderEntries(folder + L"\\*"))
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) result.push_back(folder + L"\\" + entry.cFileName);
  return result;
}

// The shell's file operation, never with a window: texts double-null terminated.
int ShellFileOperation(UINT operation, const std::wstring& from, const std::wstring& to) {
  std::wstring source = from + L'\0';
  std::wstring target = to + L'\0';
  SHFILEOPSTRUCTW op{};
  op.wFunc = operation;
  op.pFrom = source.c_str();
  op.pTo = operation == FO_DELETE ? nullptr : target.c_str();
  op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
  int result = SHFileOperationW(&op);
  return result != 0 ? result : (op.fAnyOperationsAborted ? -1 : 0);
}

}  // namespace

CMozillaSW::CMozillaSW(std::wstring name, int kind) : CSwitch(std::move(name)), kind_(kind) {}

std::wstring CMozillaSW::ExtensionFolder(int kind) {
  return IsVqd(kind) ? L"extensions\\norvatranslatorvqd@norvasoft.com" : L"extensions\\norvatranslator@norvasoft.com";
}

std::vector<std::wstring> CMozillaSW::GetProfileFolders(const std::wstring& appData, bool allUsers) {
  std::vector<std::wstring> appDataFolders =
      allUsers ? SameFolderOfEveryUser(appData) : std::vector<std::wstring>{appData};
  std::vector<std::wstring> profiles;
  for (const std::wstring& folder : appDataFolders) {
    if (folder.empty()) continue;
    for (std::wstring& profile : SubFolders(folder + L"\\Mozilla\\Firefox\\Profiles")) profiles.push_back(profile);
  }
  return profiles;
}

bool CMozillaSW::IsPluginInstalled() {
  try {
    std::wstring folder = ReadFoldersValue(FoldersValueName(kind_));
    if (folder.empty()) return false;
    std::wstring name = ComponentFile(kind_);
    return FindEntryBelow(folder + L"components", name);
  } catch (...) {
    return false;
  }
}

int CMozillaSW::IsAppInstalled() {
  try {
    HostKey firefox(HKEY_LOCAL_MACHINE, kFirefoxKey);
    if (firefox.OpenForReading() != ERROR_SUCCESS) return 0;
    firefox.Close();
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFirefoxKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) return 0;
    platform::UniqueRegistryKey key(raw);
    std::vector<std::wstring> profiles =
        GetProfileFolders(EnvironmentAppDataFolder(), IsUserAdmin());
    std::wstring extension = ExtensionFolder(kind_);
    for (DWORD index = 0;; ++index) {
      wchar_t name[261] = {};
      DWORD size = 261;
      LONG result = RegEnumKeyExW(key.Get(), index, name, &size, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_MORE_DATA) continue;
      if (result != ERROR_SUCCESS) break;
      if (wcstol(name, nullptr, 10) < 3) continue;
      if (!HostKey::Exists(HKEY_LOCAL_MACHINE, std::wstring(kFirefoxKey) + L"\\" + name + L"\\Main")) continue;
      bool enabled = !profiles.empty();
      for (const std::wstring& profile : profiles)
        if (!IsFolder(profile + L"\\" + extension)) {
          enabled = false;
          break;
        }
      SwitchItem item;
      item.tag = static_cast<int>(versions_.size());
      item.name = std::wstring(L"Mozilla Firefox ") + name;
      item.enabled = enabled ? 1 : 0;
      item.kind = GetGroup().second;
      item.group = name_;
      versions_.push_back({name, item.name});
      items_.push_back(item);
    }
    return static_cast<int>(versions_.size());
  } catch (...) {
    return 0;
  }
}

void CMozillaSW::Apply(const SwitchItem& item) {
  std::vector<std::wstring> profiles = GetProfileFolders(EnvironmentAppDataFolder(), IsUserAdmin());
  std::wstring extension = ExtensionFolder(kind_);
  if (item.enabled) {
    if (profiles.empty()) throw CExceptSW(L"no Firefox profile", name_, CExceptSW::kStepFailed);
    std::wstring source = ReadFoldersValue(FoldersValueName(kind_));
    if (source.empty()) throw CExceptSW(L"no extension folder", name_, CExceptSW::kStepFailed);
    if (source.back() != L'\\') source += L'\\';
    for (const std::wstring& profile : profiles) {
      std::wstring target = profile + L"\\" + extension;
      // The copy must have left the component in place, whatever the shell answered.
      std::wstring component = ComponentFile(kind_);
      if (ShellFileOperation(FO_COPY, source + L"*", target) != 0 || !IsFolder(target) ||
          !FindEntryBelow(target + L"\\components", component))
        throw CExceptSW(L"copy to " + target, name_, CExceptSW::kStepFailed);
    }
  } else {
    for (const std::wstring& profile : profiles) {
      std::wstring target = profile + L"\\" + extension;
      if (!IsFolder(target)) continue;  // not there: already off
      if (ShellFileOperation(FO_DELETE, target, std::wstring()) != 0 || IsFolder(target))
        throw CExceptSW(L"delete " + target, name_, CExceptSW::kStepFailed);
    }
  }
}

void CMozillaSW::ApplyItems(SwitchItems& items, bool silent) {
  GuardApply(items, silent, [&](size_t& current) {
    for (current = 0; current < versions_.size() && current < items.size(); ++current) Apply(items[current]);
  });
}
