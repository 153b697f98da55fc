#include "extmanager/switches/ChromeSwitch.h"

#include "extmanager/probes/HostKey.h"
#include "extmanager/probes/InstalledPrograms.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/switches/ExceptSW.h"

namespace {
bool IsVqd(int kind) { return kind == 0x400000; }
}  // namespace

CChromeSW::CChromeSW(std::wstring name, int kind)
    : CSwitch(std::move(name)),
      kind_(kind),
      crxName_(std::wstring(L"Chrome Extension") + (IsVqd(kind) ? L"VQD" : L"") + L".crx") {}

std::wstring CChromeSW::ExtensionKey(int kind) {
  return std::wstring(L"Software\\Google\\Chrome\\Extensions\\") +
         (IsVqd(kind) ? L"jclmejkokghnnhdjkiemhipildjkedph" : L"pldbfagejbppaplhakolebgljlpfpjpa");
}

std::wstring CChromeSW::PackagePath() const {
  return ReadFoldersValue(IsVqd(kind_) ? L"NorvaChromeVQD" : L"NorvaChrome") + crxName_;
}

bool CChromeSW::IsPluginInstalled() {
  try {
    return CanOpenFile(PackagePath());
  } catch (...) {
    return false;
  }
}

int CChromeSW::IsAppInstalled() {
  try {
    InstalledPrograms found;
    if (!FindInstalledProgram(found, L"Google Chrome")) return 0;
    SwitchItem item;
    item.name = found[0].displayName + L" " + found[0].displayVersion;
    item.enabled = HostKey::Exists(HKEY_LOCAL_MACHINE, ExtensionKey(kind_)) ? 1 : 0;
    item.kind = GetGroup().second;
    item.group = name_;
    note_ = found[0].installLocation;
    items_.push_back(item);
    return static_cast<int>(items_.size());
  } catch (...) {
    return 0;
  }
}

void CChromeSW::Apply(const SwitchItem& item) {
  if (!IsUserAdmin()) throw CExceptSW(L"not an administrator", item.group, CExceptSW::kNoRights);
  HostKey key(HKEY_LOCAL_MACHINE, ExtensionKey(kind_));
  if (item.enabled) {
    if (key.Create() != ERROR_SUCCESS) throw CExceptSW(L"create " + key.Display(), item.group, CExceptSW::kNoRights);
    if (key.SetString(L"path", PackagePath()) != ERROR_SUCCESS ||
        key.SetString(L"version", L"9.0") != ERROR_SUCCESS) {
      // Half a registration would point Chrome nowhere: take it back.
      key.DeleteTree();
      throw CExceptSW(L"write " + key.Display(), item.group, CExceptSW::kStepFailed);
    }
  } else {
    LONG result = key.OpenForWriting();
    if (result == ERROR_ACCESS_DENIED) throw CExceptSW(L"open " + key.Display(), item.group, CExceptSW::kNoRights);
    if (result == ERROR_SUCCESS) {
      result = key.DeleteTree();
      if (result != ERROR_SUCCESS)
        throw CExceptSW(L"delete " + key.Display(), item.group,
                        result == ERROR_ACCESS_DENIED ? CExceptSW::kNoRights : CExceptSW::kStepFailed);
    }
  }
  key.Close();
}

void CChromeSW::ApplyItems(SwitchItems& items, bool silent) {
  GuardApplyFirst(items, silent, [this](SwitchItem& item) { Apply(item); });
}
