#include "extmanager/switches/AcrobatVersions.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "extmanager/app/QuenloLog.h"
#include "extmanager/probes/FileRemoval.h"
#include "extmanager/probes/FolderEntries.h"
#include "extmanager/probes/LongPath.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/switches/ExceptSW.h"
#include "platform/win/UniqueHandle.h"

namespace {

constexpr char kLogUnit[] = "AcroVersion.cpp";

struct Product {
  const wchar_t* key;
  const wchar_t* displayName;
};
constexpr Product kProducts[] = {{L"Adobe Acrobat", L"Adobe Acrobat"}, {L"Acrobat Reader", L"Adobe Reader"}};

// Digits and dots only, and a major number above 5.
bool IsVersionName(const std::wstring& name) {
  if (name.empty() || name.find_first_not_of(L"0123456789.") != std::wstring::npos) return false;
  std::wstring major = name.substr(0, name.find(L'.'));
  return !major.empty() && major.size() < 9 && std::stol(major) > 5;
}

bool ReadInstallPath(HKEY productKey, const std::wstring& version, std::wstring& path) {
  platform::UniqueRegistryKey key;
  if (RegOpenKeyExW(productKey, (version + L"\\InstallPath").c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return false;
  std::vector<wchar_t> buffer(1025, L'\0');
  DWORD type = 0, size = 2048;
  if (RegQueryValueExW(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return false;
  path.assign(buffer.data());
  return true;
}

void ReadRoot(HKEY root, const std::wstring& suffix, AcrobatVersions& out) {
  platform::UniqueRegistryKey adobe;
  if (RegOpenKeyExW(root, L"SOFTWARE\\Adobe", 0, KEY_READ, adobe.Receive()) != ERROR_SUCCESS) return;
  for (const Product& product : kProducts) {
    platform::UniqueRegistryKey key;
    if (RegOpenKeyExW(adobe.Get(), product.key, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) continue;
    for (DWORD index = 0;; ++index) {
      wchar_t name[1025] = {};
      DWORD size = 1024;
      LONG result = RegEnumKeyExW(key.Get(), index, name, &size, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_MORE_DATA) continue;
      if (result != ERROR_SUCCESS) break;
      if (!IsVersionName(name)) continue;
      AcrobatVersion version;
      if (!ReadInstallPath(key.Get(), name, version.installPath)) continue;
      version.displayName = std::wstring(product.displayName) + L" " + name;
      version.version = name;
      version.family =
          CompareStringOrdinal(product.displayName, -1, L"Adobe Acrobat", -1, TRUE) == CSTR_EQUAL ? L"AA" : L"AAR";
      if (CheckAcrobatVersion(version, suffix)) out.push_back(version);
    }
  }
}

}  // namespace

std::wstring AcrobatPluginFileName(const std::wstring& suffix) { return L"Pelvane" + suffix + L".API"; }

bool CheckAcrobatVersion(AcrobatVersion& version, const std::wstring& suffix) {
  std::wstring plugIns = version.installPath + L"\\plug_ins";
  bool found = false;
  // A folder may or may not open as a file; its attributes tell either way.
  if (!FileIsThere(plugIns, found) && !FolderPresent(plugIns)) return false;
  version.pluginsFolderFound = true;
  version.pluginFolder = plugIns + L"\\NRVA9" + suffix;
  std::wstring plugin = version.pluginFolder + L"\\" + AcrobatPluginFileName(suffix);
  QUENLO_LOG(L"%s#%s#%s", L"Acrobat", plugin.c_str(), L"Check File");
  version.pluginPresent = CanOpenFile(plugin) || FilePresent(plugin);
  QUENLO_LOG(L"%s#%s#%s", L"Acrobat", L"Plugin",
             version.pluginPresent ? L"Plugin present(AcroVersion)" : L"No Plugin(AcroVersion)");
  return true;
}

AcrobatVersions EnumAcrobatVersions(const std::wstring& suffix) {
  AcrobatVersions list;
  ReadRoot(HKEY_CURRENT_USER, suffix, list);
  ReadRoot(HKEY_LOCAL_MACHINE, suffix, list);
  std::stable_sort(list.begin(), list.end(), [](const AcrobatVersion& a, const AcrobatVersion& b) {
    if (a.displayName != b.displayName) return a.displayName > b.displayName;
    return a.installPath > b.installPath;
  });
  for (size_t i = 0; i + 1 < list.size();) {
    AcrobatVersion& here = list[i];
    AcrobatVersion& next = list[i + 1];
    if (here.displayName == next.displayName && here.installPath == next.installPath) {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      if (here.displayName == next.displayName) here.sameName = next.sameName = true;
      ++i;
    }
  }
  for (AcrobatVersion& version : list)
    if (version.sameName) version.displayName += L" at " + version.installPath;
  return list;
}

bool ApplyAcrobatVersion(AcrobatVersion& version, const std::wstring& suffix, bool wanted,
                         const std::wstring& source, const std::wstring& application) {
  if (!CheckAcrobatVersion(version, suffix)) throw std::runtime_error("the plug_ins folder is gone");
  if (version.pluginPresent == wanted) return false;
  std::wstring plugin = version.pluginFolder + L"\\" + AcrobatPluginFileName(suffix);
  const wchar_t* name = version.displayName.c_str();
  if (wanted) {
    bool made = false;
    if (!FolderPresent(version.pluginFolder)) {
      made = CreateDirectoryW(LongPath(version.pluginFolder).c_str(), nullptr) != FALSE;
      if (!made) QUENLO_LOG(L"%s#%s#%s", name, application.c_str(), L" Error create dir");
    }
    QUENLO_LOG(L"%s#%s#%s", name, application.c_str(), L" Before CopyFile");
    if (!CopyFileW(LongPath(source).c_str(), LongPath(plugin).c_str(), TRUE)) {
      QUENLO_LOG(L"%s#%s#%s", name, application.c_str(), L" Error CopyFile");
      // Nothing of the attempt stays behind.
      if (made) RemoveDirectoryW(LongPath(version.pluginFolder).c_str());
      throw CExceptSW(version.displayName, application, CExceptSW::kNoRights);
    }
    SetFileAttributesW(LongPath(plugin).c_str(), FILE_ATTRIBUTE_NORMAL);
    version.pluginPresent = true;
    return true;
  }
  QUENLO_LOG(L"%s#%s#%s", name, application.c_str(), L" Before delete file");
  // Asked first, so that a file that cannot go leaves the folder untouched.
  switch (CheckRemoval(plugin)) {
    case Removal::ReadOnly:
      QUENLO_LOG(L"%s#%s#%s", name, application.c_str(), L"Error delete file, readonly)");
      throw CExceptSW(version.displayName, application, CExceptSW::kStepFailed);
    case Removal::Denied:
      QUENLO_LOG(L"%s#%s#%s", name, application.c_str(), L"Error delete file, no permissions)");
      throw CExceptSW(version.displayName, application, CExceptSW::kNoRights);
    case Removal::InUse:
      QUENLO_LOG(L"%s#%s#%s", name, application.c_str(), L"Error delete file, in use)");
      throw CExceptSW(version.displayName, application, CExceptSW::kStepFailed);
    default: break;
  }
  if (!DeleteFileW(LongPath(plugin).c_str())) {
    DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
      QUENLO_LOG(L"%s#%s#%s", name, application.c_str(), L"Error delete file, no permissions)");
      throw CExceptSW(version.displayName, application, CExceptSW::kNoRights);
    }
    if (FilePresent(plugin)) throw CExceptSW(version.displayName, application, CExceptSW::kStepFailed);
  }
  // The plug-in is gone, so the version is off whatever becomes of its folder.
  version.pluginPresent = false;
  std::wstring plugIns = version.installPath + L"\\plug_ins";
  if (CompareStringOrdinal(version.pluginFolder.c_str(), -1, plugIns.c_str(), -1, TRUE) != CSTR_EQUAL) {
    for (const WIN32_FIND_DATAW& entry : FolderEntries(version.pluginFolder + L"\\*"))
      if (entry.dwFileAttributes != FILE_ATTRIBUTE_DIRECTORY)
        DeleteFileW(LongPath(version.pluginFolder + L"\\" + entry.cFileName).c_str());
    if (!RemoveDirectoryW(LongPath(version.pluginFolder).c_str()) && FolderPresent(version.pluginFolder))
      QUENLO_LOG(L"%s#%s#%s", name, application.c_str(), L"Error delete dir");
  }
  return true;
}
