#include "extmanager/switches/QIPInfiumSwitch.h"

#include <windows.h>

#include "extmanager/app/QuenloLog.h"
#include "extmanager/probes/FileRemoval.h"
#include "extmanager/probes/InstalledPrograms.h"
#include "extmanager/probes/LongPath.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/res/QuenloRes.h"
#include "extmanager/switches/ExceptSW.h"
#include "extmanager/switches/MessengerState.h"
#include "platform/win/ResourceInstance.h"
#include "shared/PathStrings.h"
#include "shared/ResourceLanguage.h"

namespace {

constexpr char kLogUnit[] = "QIPInfiumSW.cpp";

constexpr wchar_t kMessenger[] = L"QIP Infium";
constexpr wchar_t kPluginFile[] = L"NorvaQIP.dll";
constexpr DWORD kDefaultLanguage = 0x419;  // Russian: the product's own texts

// Every removal problem of the files is found before the first goes.
void CheckRemovable(const std::wstring& path, const std::wstring& group) {
  switch (CheckRemoval(path)) {
    case Removal::Free:
    case Removal::Missing: return;
    default:
      QUENLO_LOG(L"%s#%s#%s#%s", kMessenger, L"FILE", L"Cannot delete", path.c_str());
      throw CExceptSW(path, group, CExceptSW::kStepFailed);
  }
}

}  // namespace

void CQIPInfiumSW::LanguageLibrary(std::wstring& name, std::wstring& source) {
  name = BuildResourceDllName(L"NorvaQIP");
  source = FindResourceDllPath(L"NorvaQIP", std::wstring());
  if (!name.empty()) return;
  name = std::wstring(L"NorvaQIPRes") + ResourceLanguageCode(kDefaultLanguage) + L".dll";
  std::wstring shared = ReadFoldersValue(L"SharedRoot");
  source = shared.empty() ? std::wstring() : JoinPath(JoinPath(shared, std::to_wstring(kDefaultLanguage)), name);
}

bool CQIPInfiumSW::IsPluginInstalled() {
  try {
    std::wstring folder = CompanionFolder(kLogUnit, kMessenger, L"NorvaQIP");
    pluginFile_ = kPluginFile;
    probeResult_ = CanOpenFile(folder + pluginFile_) ? 1 : 0;
    return probeResult_ == 1;
  } catch (...) {
    return false;
  }
}

int CQIPInfiumSW::IsAppInstalled() {
  try {
    InstalledPrograms found;
    if (!FindInstalledProgram(found, kMessenger)) return 0;
    SwitchItem item;
    item.name = found[0].displayName;
    item.enabled = ReadMessengerState(kMessenger).value_or(0);
    item.kind = GetGroup().second;
    item.group = name_;
    installLocation_ = found[0].installLocation;
    items_.push_back(item);
    return static_cast<int>(items_.size());
  } catch (...) {
    return 0;
  }
}

void CQIPInfiumSW::Record(bool on) {
  const wchar_t* step = L"";
  if (WriteMessengerState(kMessenger, on, &step) == ERROR_SUCCESS) return;
  bool opening = std::wstring(step) == L"create";
  QUENLO_LOG(L"%s#%s#%s", kMessenger, L"REGISTRY",
             opening ? L"Failed to open  Messengers" : L"Failed to write QIP Infium key");
  throw CExceptSW(L"Messengers", kMessenger, CExceptSW::kNoRights);
}

void CQIPInfiumSW::Apply(SwitchItem& item) {
  bool wanted = item.enabled != 0;
  std::wstring plugins = installLocation_ + L"\\Plugins\\";
  // The folder itself, also when empty (a name search would find nothing in it).
  if (!FolderPresent(plugins)) {
    // No plug-in folder, nothing switched: the item shows it.
    if (wanted) throw CExceptSW(plugins, item.group, CExceptSW::kStepFailed);
    return;
  }
  std::wstring folder = plugins + L"NorvaQIP";
  std::wstring library = folder + L"\\" + kPluginFile;
  std::wstring languageName, languageSource;
  LanguageLibrary(languageName, languageSource);
  std::wstring language = folder + L"\\" + languageName;

  if (!wanted) {
    if (IsProcessRunning(L"infium.exe")) {
      // The running messenger holds its plug-ins: they stay, and the record says so.
      bool there = FilePresent(library);
      Record(there);
      if (there) throw CExceptSW(L"infium.exe", item.group, CExceptSW::kStepFailed);
      return;
    }
    CheckRemovable(library, item.group);
    CheckRemovable(language, item.group);
    Record(false);
    DeleteFileW(LongPath(library).c_str());
    DeleteFileW(LongPath(language).c_str());
    RemoveDirectoryW(LongPath(folder).c_str());
    // Without its library the plug-in is off, whatever became of the rest.
    if (FilePresent(library)) {
      Record(true);
      throw CExceptSW(library, item.group, CExceptSW::kStepFailed);
    }
    return;
  }

  std::wstring source = CompanionFolder(kLogUnit, kMessenger, L"NorvaQIP") + kPluginFile;
  bool madeFolder = false;
  if (!FolderPresent(folder)) {
    if (!CreateDirectoryW(LongPath(folder).c_str(), nullptr)) throw CExceptSW(folder, item.group, CExceptSW::kStepFailed);
    madeFolder = true;
  }
  bool hadLibrary = FilePresent(library), hadLanguage = FilePresent(language);
  // A failure takes back what this attempt added.
  auto undo = [&] {
    if (!hadLibrary) DeleteFileW(LongPath(library).c_str());
    if (!hadLanguage) DeleteFileW(LongPath(language).c_str());
    if (madeFolder) RemoveDirectoryW(LongPath(folder).c_str());
  };
  if (!CopyFileW(LongPath(source).c_str(), LongPath(library).c_str(), FALSE) ||
      languageSource.empty() ||
      !CopyFileW(LongPath(languageSource).c_str(), LongPath(language).c_str(), FALSE)) {
    QUENLO_LOG(L"%s#%s#%s", kMessenger, L"FILE", L"Copy failed");
    undo();
    throw CExceptSW(library, item.group, CExceptSW::kStepFailed);
  }
  bool ok = FolderPresent(folder) && FilePresent(library) && FilePresent(language);
  try {
    Record(ok);
  } catch (...) {
    undo();
    throw;
  }
  if (!ok) {
    undo();
    throw CExceptSW(library, item.group, CExceptSW::kStepFailed);
  }
}

void CQIPInfiumSW::ApplyItems(SwitchItems& items, bool silent) {
  GuardApplyFirst(items, silent, [&](SwitchItem& item) { Apply(item); });
}

std::unique_ptr<CSwitch> MakeQIPInfiumSwitch() {
  return std::make_unique<CQIPInfiumSW>(platform::LoadResourceString(IDS_SW_QIP));
}
