#include "extmanager/switches/OfficeSwitch.h"

#include "extmanager/app/QuenloLog.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/res/QuenloRes.h"
#include "extmanager/switches/ExceptSW.h"
#include "extmanager/switches/OfficeAddinKey.h"
#include "platform/win/ResourceInstance.h"
#include "platform/win/UniqueHandle.h"
#include "shared/RegistryKey.h"

namespace {

constexpr char kLogUnit[] = "MSOfficeSW.cpp";

// What each kind needs: its mode, the product folder (a Folders value), the
// library looked for there (none: the ProgID + ".dll") and the add-in class
// whose MiscStatus names the applications it serves (none: all of them).
struct KindInfo {
  int kind;
  int mode;
  const wchar_t* folderValue;
  const wchar_t* library;
  const wchar_t* addinClass;
};

constexpr KindInfo kKinds[] = {
    {CMSOfficeSW::kOrdinary1, 1, L"Office", L"Quorbex8.dll", L"{66BAFEE8-6762-4774-94FB-2E94D4363D0A}"},
    {CMSOfficeSW::kLite1, 1, L"Office", L"EasyQuorbex8.dll", L"{27A883F2-BD17-498F-9AA2-A49E70FD1492}"},
    {CMSOfficeSW::kVqd1, 1, L"OfficeVQD", L"Quorbex8VQD.dll", nullptr},
    {CMSOfficeSW::kOrdinary2, 2, L"OfficeX", nullptr, L"{CAE2CD5E-A3FF-48B7-AFC0-9B505E0A605D}"},
    {CMSOfficeSW::kLite2, 2, L"OfficeX", nullptr, L"{B04A0B94-6F68-43FC-93C7-6677DE1C5622}"},
    {CMSOfficeSW::kVqd2, 2, L"OfficeXVQD", nullptr, nullptr},
};

const KindInfo* Info(int kind) {
  for (const KindInfo& info : kKinds)
    if (info.kind == kind) return &info;
  return nullptr;
}

bool IsVqd(int kind) { return kind == CMSOfficeSW::kVqd1 || kind == CMSOfficeSW::kVqd2; }
bool IsLite(int kind) { return kind == CMSOfficeSW::kLite1 || kind == CMSOfficeSW::kLite2; }

// Ordinary, Lite, VQD: the order items are listed in.
std::vector<int> KindsOfMode(int mode) {
  return mode == 1 ? std::vector<int>{CMSOfficeSW::kOrdinary1, CMSOfficeSW::kLite1, CMSOfficeSW::kVqd1}
                   : std::vector<int>{CMSOfficeSW::kOrdinary2, CMSOfficeSW::kLite2, CMSOfficeSW::kVqd2};
}

bool KeyOpens(HKEY root, const std::wstring& path) {
  platform::UniqueRegistryKey key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

std::wstring ReadString(HKEY root, const std::wstring& path, const wchar_t* valueName) {
  CRegistryKey key;
  if (!key.Open(root, path.c_str(), KEY_READ)) return std::wstring();
  return key.ReadStringValue(valueName, L"");
}

}  // namespace

CMSOfficeSW::CMSOfficeSW(int mode, std::wstring name, std::wstring liteName, std::wstring /*edName*/,
                         std::wstring vqdName)
    : CSwitch(std::move(name)),
      mode_(mode),
      appNames_{L"Word", L"Outlook", L"Excel", L"PowerPoint", L"FrontPage"},
      displayNamesOld_{L"Microsoft Word 2000/XP/2003", L"Microsoft Outlook 2000/XP/2003",
                       L"Microsoft Excel 2000/XP/2003", L"Microsoft PowerPoint 2000/XP/2003",
                       L"Microsoft FrontPage 2000/XP/2003"},
      displayNamesNew_{L"Microsoft Word 2007/2010", L"Microsoft Outlook 2007/2010", L"Microsoft Excel 2007/2010",
                       L"Microsoft PowerPoint 2007/2010", L"Microsoft FrontPage 2007/2010"},
      progIdsLite8_{L"EasyQuorbex8.WordEasyAddin", L"EasyQuorbex8.OutlookEasyAddin"},
      progIds8_{L"Quorbex8.WordAddin", L"Quorbex8.OutlookAddin", L"Quorbex8.ExcelAddin", L"Quorbex8.PowerPointAddin",
                L"Quorbex8.FrontPageAddin"},
      progIdsVqd8_{L"Quorbex8VQD.WordVQDAddin", L"Quorbex8VQD.OutlookVQDAddin", L"Quorbex8VQD.ExcelVQDAddin",
                   L"Quorbex8VQD.PowerPointVQDAddin", L"Quorbex8VQD.FrontPageVQDAddin"},
      progIdsLiteX_{L"QuorbexX.Easy.WordAddin", L"QuorbexX.Easy.OutlookAddin"},
      progIdsX_{L"QuorbexX.WordAddin", L"QuorbexX.OutlookAddin", L"QuorbexX.ExcelAddin", L"QuorbexX.PowerPointAddin"},
      progIdsVqdX_{L"QuorbexXVQD.WordAddin", L"QuorbexXVQD.OutlookAddin", L"QuorbexXVQD.ExcelAddin",
                   L"QuorbexXVQD.PowerPointAddin"},
      appCodes_{L"ww", L"ot", L"ex", L"pp", L"fp"},
      liteName_(std::move(liteName)),
      vqdName_(std::move(vqdName)) {}

std::unique_ptr<CSwitch> CMSOfficeSW::MakeMode1() {
  return std::make_unique<CMSOfficeSW>(
      1, platform::LoadResourceString(IDS_SW_OFFICE1), platform::LoadResourceString(IDS_SW_OFFICE1_LITE),
      platform::LoadResourceString(IDS_SW_OFFICE1_ED), platform::LoadResourceString(IDS_SW_OFFICE1_VQD));
}

std::unique_ptr<CSwitch> CMSOfficeSW::MakeMode2() {
  return std::make_unique<CMSOfficeSW>(
      2, platform::LoadResourceString(IDS_SW_OFFICE2), platform::LoadResourceString(IDS_SW_OFFICE2_LITE),
      platform::LoadResourceString(IDS_SW_OFFICE2_ED), platform::LoadResourceString(IDS_SW_OFFICE2_VQD));
}

std::pair<std::wstring, int> CMSOfficeSW::GetGroup() {
  return mode_ == 1 ? std::make_pair(std::wstring(L"MS Office XP/2003"), 1)
                    : std::make_pair(std::wstring(L"MS Office 2007"), 2);
}

void CMSOfficeSW::GetKinds(std::vector<int>& kinds) {
  for (int kind : KindsOfMode(mode_)) kinds.push_back(kind);
}

const std::vector<std::wstring>* CMSOfficeSW::ProgIds(int kind) const {
  switch (kind) {
    case kOrdinary1: return &progIds8_;
    case kLite1: return &progIdsLite8_;
    case kVqd1: return &progIdsVqd8_;
    case kOrdinary2: return &progIdsX_;
    case kLite2: return &progIdsLiteX_;
    case kVqd2: return &progIdsVqdX_;
    default: return nullptr;
  }
}

bool CMSOfficeSW::GetProgId(int kind, int index, std::wstring& text) const {
  const KindInfo* info = Info(kind);
  const std::vector<std::wstring>* list = ProgIds(kind);
  text.clear();
  if (info && info->mode == mode_ && list && index >= 0 && static_cast<size_t>(index) < list->size())
    text = (*list)[index];
  return true;
}

std::wstring CMSOfficeSW::ProgId(int kind, int index) const {
  std::wstring text;
  GetProgId(kind, index, text);
  return text;
}

bool CMSOfficeSW::GetAddinKeyPath(int kind, int index, std::wstring& path) const {
  if (index < 0 || static_cast<size_t>(index) >= appNames_.size()) {
    path.clear();
    return false;
  }
  OfficeAddinKey key(appNames_[index], ProgId(kind, index));
  path = key.Path();
  return key.Exists();
}

std::wstring CMSOfficeSW::AddinKeyPath(int kind, int index) const {
  std::wstring path;
  GetAddinKeyPath(kind, index, path);
  return path;
}

bool CMSOfficeSW::AddinKeyExists(int kind, int index) {
  std::wstring path;
  return !ProgId(kind, index).empty() && GetAddinKeyPath(kind, index, path);
}

std::wstring CMSOfficeSW::ReadOfficeFolder(const wchar_t* valueName) const { return ReadFoldersValue(valueName); }

std::wstring CMSOfficeSW::GroupOf(int kind) const {
  if (IsLite(kind)) return liteName_;
  if (IsVqd(kind)) return vqdName_;
  return name_;
}

bool CMSOfficeSW::IsAddinLibraryPresent(int kind, int index) {
  const KindInfo* info = Info(kind);
  if (!info || info->mode != mode_) return false;
  std::wstring folder = ReadOfficeFolder(info->folderValue);
  std::wstring progId = ProgId(kind, index);
  if (folder.empty() || progId.empty()) return false;
  std::wstring library = info->library ? std::wstring(info->library) : progId + L".dll";
  return FindEntryBelow(folder, library);
}

bool CMSOfficeSW::AddinSupportsApp(int kind, int index) {
  const KindInfo* info = Info(kind);
  if (!info) return false;
  if (!info->addinClass) return true;
  if (index < 0 || static_cast<size_t>(index) >= appCodes_.size()) return false;
  CRegistryKey key;
  if (!key.Open(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + info->addinClass + L"\\MiscStatus").c_str(), KEY_READ))
    return false;
  return key.ReadStringValue(appCodes_[index].c_str(), L"") == L"1";
}

bool CMSOfficeSW::IsOfficeAppInstalled(int index) {
  const std::wstring& app = appNames_[index];
  const std::wstring office = L"Software\\Microsoft\\Office\\";
  auto found = [&](const wchar_t* label) {
    QUENLO_LOG(L"%s#%s#%s", label, app.c_str(), L"Application Installed");
    return true;
  };
  // FrontPage 2000 and 2002 leave no key of their own: their program file
  // in the shared Office folder tells.
  auto frontPageIn = [&](const wchar_t* version) {
    std::wstring folder = ReadString(HKEY_LOCAL_MACHINE, office + version + L"\\Common\\InstallRoot", L"Path");
    if (folder.empty()) return false;
    if (folder.back() != L'\\') folder += L'\\';
    return CanOpenFile(folder + L"FRONTPG.EXE");
  };
  if (mode_ == 1) {
    if (KeyOpens(HKEY_LOCAL_MACHINE, office + L"11.0\\" + app + L"\\InstallRoot")) return found(L"MS Office2003");
    if (index == 4) {
      if (frontPageIn(L"10.0")) return found(L"MS OfficeXP");
      if (frontPageIn(L"9.0")) return found(L"MS Office2000");
    }
    if (KeyOpens(HKEY_LOCAL_MACHINE, office + L"10.0\\" + app + L"\\InstallRoot")) return found(L"MS OfficeXP");
    if (KeyOpens(HKEY_LOCAL_MACHINE, office + L"9.0\\" + app + L"\\InstallRoot")) return found(L"MS Office2000");
    return false;
  }
  if (KeyOpens(HKEY_LOCAL_MACHINE, office + L"12.0\\" + app + L"\\InstallRoot")) return found(L"MS Office2007");
  if (KeyOpens(HKEY_LOCAL_MACHINE, office + L"14.0\\" + app + L"\\InstallRoot")) return found(L"MS Office2010");
  // Click-to-Run names its key "Click2run" + the application, with no separator.
  if (KeyOpens(HKEY_LOCAL_MACHINE, office + L"14.0\\CVH\\Click2run" + app)) return found(L"MS Office2010");
  return false;
}

bool CMSOfficeSW::IsPluginInstalled() {
  try {
    for (int kind : KindsOfMode(mode_)) {
      const std::vector<std::wstring>* list = ProgIds(kind);
      // Mode 1 has one library for all applications; mode 2 one per application.
      size_t count = mode_ == 1 ? 1 : list->size();
      for (size_t index = 0; index < count; ++index)
        if (IsAddinLibraryPresent(kind, static_cast<int>(index))) installedKinds_ |= static_cast<unsigned>(kind);
    }
    return installedKinds_ != 0;
  } catch (...) {
    return false;
  }
}

int CMSOfficeSW::IsAppInstalled() {
  try {
    for (size_t index = 0; index < appNames_.size(); ++index) {
      int i = static_cast<int>(index);
      if (!IsOfficeAppInstalled(i)) continue;
      for (int kind : KindsOfMode(mode_)) {
        if (!AddinSupportsApp(kind, i) || !IsAddinLibraryPresent(kind, i)) continue;
        SwitchItem item;
        item.tag = i;
        item.name = mode_ == 1 ? displayNamesOld_[index] : displayNamesNew_[index];
        item.enabled = AddinKeyExists(kind, i) ? 1 : 0;
        item.kind = kind;
        item.group = GroupOf(kind);
        items_.push_back(item);
      }
    }
    return static_cast<int>(items_.size());
  } catch (...) {
    return 0;
  }
}

bool CMSOfficeSW::Differs(const SwitchItem& item) {
  if (item.id != 0) return IsChanged(item);
  // The silent runner's items are unnumbered: the application and the kind
  // name the stored item.
  for (const SwitchItem& stored : items_)
    if (stored.kind == item.kind && stored.tag == item.tag) return stored.enabled != item.enabled;
  return false;
}

void CMSOfficeSW::Register(const SwitchItem& item) {
  std::wstring progId = ProgId(item.kind, item.tag);
  if (progId.empty()) throw CExceptSW(L"no add-in for the item", item.group, CExceptSW::kStepFailed);
  const std::wstring& app = appNames_[item.tag];
  OfficeAddinKey key(app, progId);
  if (key.OpenParent() != ERROR_SUCCESS) {
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), L"Can't register addin(no key in registry)");
    throw CExceptSW(L"open " + OfficeAddinKey::ParentPath(app), item.group, CExceptSW::kStepFailed);
  }
  bool created = false;
  if (key.CreateKey(&created) != ERROR_SUCCESS) {
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), L"Can't register addin(error write to registry)");
    throw CExceptSW(L"create " + key.Path(), item.group, CExceptSW::kStepFailed);
  }

  std::wstring friendlyName;
  if (IsVqd(item.kind))
    friendlyName = L"NORVA for Microsoft " + app + L" (VQD)";
  else if (mode_ == 1)
    friendlyName = (IsLite(item.kind) ? L"NORVA Lite for Microsoft " : L"NORVA for Microsoft ") + app;
  else
    friendlyName = IsLite(item.kind) ? liteName_ : name_;

  bool written = key.SetString(L"Description", platform::LoadResourceString(IDS_OFFICE_DESCRIPTION) + L" " + app) ==
                     ERROR_SUCCESS &&
                 key.SetString(L"FriendlyName", friendlyName) == ERROR_SUCCESS;
  if (written && mode_ == 2) written = key.SetDword(L"CommandLineSafe", 1) == ERROR_SUCCESS;
  if (written) written = key.SetDword(L"LoadBehavior", 3) == ERROR_SUCCESS;
  if (written && mode_ == 2) {
    std::wstring folder = ReadOfficeFolder(item.kind == kVqd2 ? L"OfficeXVQD" : L"OfficeX");
    written = key.SetString(L"Manifest", folder + progId + L".vsto|vstolocal") == ERROR_SUCCESS;
  }
  if (!written) {
    // A load entry without its values would show the add-in on while Office
    // cannot load it: a key made here goes again.
    if (created) key.Delete();
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), L"Can't register addin(error write to registry)");
    throw CExceptSW(L"write " + key.Path(), item.group, CExceptSW::kStepFailed);
  }
}

void CMSOfficeSW::Unregister(const SwitchItem& item) {
  std::wstring progId = ProgId(item.kind, item.tag);
  if (progId.empty()) throw CExceptSW(L"no add-in for the item", item.group, CExceptSW::kStepFailed);
  OfficeAddinKey key(appNames_[item.tag], progId);
  if (key.Delete() != ERROR_SUCCESS) {
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(),
               L"Can't unregister addin(can't delete key in registry)");
    throw CExceptSW(L"delete " + key.Path(), item.group, CExceptSW::kStepFailed);
  }
}

void CMSOfficeSW::ApplyItems(SwitchItems& items, bool silent) {
  // Each item stands alone: a failure keeps that item as it was and the
  // next item is still applied.
  for (SwitchItem& item : items) {
    if (!Differs(item)) continue;
    SwitchItems one{item};
    GuardApplyFirst(one, silent, [this](SwitchItem& current) {
      if (current.tag < 0 || static_cast<size_t>(current.tag) >= appNames_.size())
        throw CExceptSW(L"no application for the item", current.group, CExceptSW::kStepFailed);
      if (current.enabled)
        Register(current);
      else
        Unregister(current);
    });
    item.enabled = one[0].enabled;
  }
}
