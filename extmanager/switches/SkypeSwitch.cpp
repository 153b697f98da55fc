#include "extmanager/switches/SkypeSwitch.h"

#include "extmanager/app/QuenloLog.h"
#include "extmanager/probes/InstalledPrograms.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/res/QuenloRes.h"
#include "extmanager/switches/ExceptSW.h"
#include "extmanager/switches/MessengerState.h"
#include "platform/win/ResourceInstance.h"

namespace {

constexpr char kLogUnit[] = "SkypeSW.cpp";
constexpr wchar_t kMessenger[] = L"Skype";
}

bool CSkypeSW::IsPluginInstalled() {
  try {
    std::wstring folder = CompanionFolder(kLogUnit, kMessenger, L"NorvaSkype");
    pluginFile_ = L"NorvaSkype.exe";
    probeResult_ = CanOpenFile(folder + pluginFile_) ? 1 : 0;
    return probeResult_ == 1;
  } catch (...) {
    return false;
  }
}

int CSkypeSW::IsAppInstalled() {
  try {
    // Never recorded: the companion is on.
    int state = ReadMessengerState(kMessenger).value_or(1);
    InstalledPrograms found;
    FindInstalledProgram(found, kMessenger);
    for (const InstalledProgram& program : found) {
      SwitchItem item;
      item.name = program.displayName;
      item.enabled = state;
      item.kind = GetGroup().second;
      item.group = name_;
      items_.push_back(item);
    }
    return static_cast<int>(items_.size());
  } catch (...) {
    return 0;
  }
}

void CSkypeSW::ApplyItems(SwitchItems& items, bool silent) {
  if (items.empty()) return;
  size_t changed = 0;
  for (size_t i = 0; i < items.size(); ++i)
    if (IsChanged(items[i])) {
      changed = i;
      break;
    }
  const int value = items[changed].enabled != 0 ? 1 : 0;
  GuardApply(items, silent, [&](size_t& current) {
    current = changed;
    const wchar_t* step = L"";
    if (WriteMessengerState(kMessenger, value != 0, &step) != ERROR_SUCCESS) {
      bool opening = std::wstring(step) == L"create";
      QUENLO_LOG(L"%s#%s#%s", kMessenger, L"REGISTRY",
                 opening ? L"Failed to read  Messengers" : L"Failed to write Skype key");
      throw CExceptSW(L"Messengers", kMessenger, CExceptSW::kNoRights);
    }
    for (SwitchItem& item : items) item.enabled = value;
  });
}

std::unique_ptr<CSwitch> MakeSkypeSwitch() {
  return std::make_unique<CSkypeSW>(platform::LoadResourceString(IDS_SW_SKYPE));
}
