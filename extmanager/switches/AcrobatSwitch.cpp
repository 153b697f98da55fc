#include "extmanager/switches/AcrobatSwitch.h"

#include <windows.h>
#include <shlobj.h>

#include <stdexcept>

#include "extmanager/app/QuenloLog.h"
#include "extmanager/hostfiles/IniText.h"
#include "extmanager/hostfiles/TextFiles.h"
#include "extmanager/probes/FileRemoval.h"
#include "extmanager/probes/LongPath.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/res/QuenloRes.h"
#include "extmanager/switches/ExceptSW.h"
#include "platform/win/ResourceInstance.h"
#include "shared/ProductFolders.h"

namespace {

constexpr char kLogUnit[] = "AcrobatSW.cpp";

constexpr int kVqdKind = 0x100000;
constexpr wchar_t kSection[] = L"PLUGINS";

DWORD MajorVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return 0;
#pragma GCC diagnostic pop
  return info.dwMajorVersion;
}

std::wstring Upper(std::wstring text) {
  CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

CAcrobatSW::CAcrobatSW(std::wstring name, int kind)
    : CSwitch(std::move(name)), kind_(kind), suffix_(kind == 1 ? L"" : L"VQD") {}

namespace {

// The common application data, with a final separator; empty when unknown.
std::wstring CommonDataFolder() {
  std::wstring base = GetShellFolder(CSIDL_COMMON_APPDATA);
  if (base.empty() && MajorVersion() < 5) base = ReadFoldersValue(L"CommonAppDataRoot");
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  return base;
}

// The register's folder and the product's levels above it that a clean
// machine did not have go with the register once they are empty; the
// common application data itself stays.
void RemoveEmptyRegisterFolders(const std::wstring& folder) {
  std::wstring base = CommonDataFolder();
  if (base.empty() || folder.size() <= base.size() || Upper(folder.substr(0, base.size())) != Upper(base)) return;
  for (std::wstring level = folder; level.size() > base.size(); level = level.substr(0, level.find_last_of(L'\\')))
    if (!RemoveDirectoryW(LongPath(level).c_str())) break;
}

}  // namespace

std::wstring CAcrobatSW::PluginsIniFolder() {
  std::wstring base = CommonDataFolder();
  if (base.empty()) return std::wstring();
  if (Upper(base).find(L"NORVASOFT\\NRVA\\9.0\\") == std::wstring::npos) base += L"Norvasoft\\NRVA\\9.0\\";
  return base + L"Acrobat";
}

bool CAcrobatSW::WritePluginsIni(const std::optional<std::wstring>& value, const std::wstring& key) {
  std::wstring folder = PluginsIniFolder();
  if (folder.empty()) return !value;
  std::wstring path = folder + L"\\plugins.ini";
  IniFile file;
  std::string bytes;
  if (ReadWholeFile(path, bytes)) {
    if (!DecodeIni(bytes, file)) return false;
  } else if (FilePresent(path)) {
    return false;  // there but unreadable: left as it is
  } else if (!value) {
    return true;  // no register: nothing to remove
  } else if (!MakeFolderPath(folder)) {
    // A clean machine has none of the register's folders yet.
    return false;
  }
  if (!EditIniKey(file.text, kSection, key, value)) return true;
  // A register left with nothing in it goes, as on a machine that never had one.
  if (!value && IsEmptyIni(file.text, kSection)) {
    if (CheckRemoval(path) != Removal::Free || !DeleteFileW(LongPath(path).c_str())) return false;
    RemoveEmptyRegisterFolders(folder);
    return true;
  }
  return ReplaceFileContents(path, EncodeIni(file));
}

bool CAcrobatSW::IsPluginInstalled() {
  try {
    pluginFile_.clear();
    pluginInstalled_ = false;
    std::wstring folder = ReadFoldersValue(kind_ == 1 ? L"Acrobat" : L"AcrobatVQD");
    if (folder.empty()) {
      QUENLO_LOG(L"%s#%s#%s", L"Acrobat", L"Acrobat", L"No key in registry");
      return false;
    }
    // The folder value ends in a separator: the name is appended directly.
    pluginFile_ = folder + AcrobatPluginFileName(suffix_);
    pluginInstalled_ = CanOpenFile(pluginFile_);
    if (!pluginInstalled_) QUENLO_LOG(L"%s#%s#%s", L"Acrobat", L"Acrobat", L"No AcroPluginFile");
    return pluginInstalled_;
  } catch (...) {
    return false;
  }
}

int CAcrobatSW::IsAppInstalled() {
  try {
    versions_ = std::make_unique<AcrobatVersions>(EnumAcrobatVersions(suffix_));
    for (size_t i = 0; i < versions_->size(); ++i) {
      AcrobatVersion& version = (*versions_)[i];
      if (version.pluginPresent) QUENLO_LOG(L"%s#%s#%s", L"Acrobat", L"Plugin", L"Plugin present");
      SwitchItem item;
      item.tag = static_cast<int>(i);
      item.name = version.displayName;
      item.enabled = version.pluginPresent ? 1 : 0;
      item.kind = kind_;
      item.group = name_;
      version.itemIndex = static_cast<int>(items_.size());
      items_.push_back(item);
    }
    return static_cast<int>(versions_->size());
  } catch (...) {
    return 0;
  }
}

void CAcrobatSW::Apply(SwitchItem& item) {
  if (!versions_ || item.tag < 0 || static_cast<size_t>(item.tag) >= versions_->size())
    throw std::out_of_range("no such Acrobat version");
  AcrobatVersion& version = (*versions_)[static_cast<size_t>(item.tag)];
  bool wanted = item.enabled != 0;
  // An item the user left as it is needs no rights: the tree hands over every item.
  if (CheckAcrobatVersion(version, suffix_) && version.pluginPresent == wanted) return;
  if (wanted && !pluginInstalled_) {
    // Nothing to copy: the item shows the version as it is.
    item.enabled = version.pluginPresent ? 1 : 0;
    return;
  }
  if (!IsUserAdmin()) {
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), L"Standard user");
    throw CExceptSW(item.name, item.group, CExceptSW::kNoRights);
  }
  if (!ApplyAcrobatVersion(version, suffix_, wanted, pluginFile_, item.group)) return;
  std::wstring key = version.family + version.version;
  if (wanted) {
    if (!WritePluginsIni(version.pluginFolder, key)) {
      QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(),
                 L"Can't Register addin(can't write in Application Data)");
      // Unregistered, the plug-in would not be found: take the copy back.
      ApplyAcrobatVersion(version, suffix_, false, pluginFile_, item.group);
      throw CExceptSW(item.name, item.group, CExceptSW::kStepFailed);
    }
  } else if (!WritePluginsIni(std::nullopt, key)) {
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(),
               L"Can't Unregister addin(can't write in Application Data)");
  }
}

void CAcrobatSW::ApplyItems(SwitchItems& items, bool silent) {
  GuardApply(items, silent, [&](size_t& current) {
    for (current = 0; current < items.size(); ++current) {
      // Another edition's item (same group key, other kind) is never applied here.
      if (items[current].kind != kind_) continue;
      Apply(items[current]);
    }
  });
}

std::unique_ptr<CSwitch> MakeAcrobatSwitch() {
  return std::make_unique<CAcrobatSW>(platform::LoadResourceString(IDS_SW_ACROBAT), 1);
}

std::unique_ptr<CSwitch> MakeAcrobatVqdSwitch() {
  return std::make_unique<CAcrobatSW>(platform::LoadResourceString(IDS_SW_ACROBAT_VQD), kVqdKind);
}
