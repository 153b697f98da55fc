#include "extmanager/switches/ICQSwitch.h"

#include "extmanager/probes/InstalledPrograms.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/res/QuenloRes.h"
#include "extmanager/switches/MessengerState.h"
#include "platform/win/ResourceInstance.h"

bool CICQSW::IsPluginInstalled() {
  try {
    std::wstring folder = CompanionFolder("ICQSW.cpp", L"ICQ", L"NrvaICQ");
    pluginFile_ = L"NrvaICQ.exe";
    probeResult_ = CanOpenFile(folder + pluginFile_) ? 1 : 0;
    return probeResult_ == 1;
  } catch (...) {
    return false;
  }
}

int CICQSW::IsAppInstalled() {
  try {
    InstalledPrograms found;
    FindInstalledProgram(found, L"ICQ");
    for (const InstalledProgram& program : found) {
      if (program.displayName.find(L"Toolbar") != std::wstring::npos) continue;
      SwitchItem item;
      item.name = program.displayName;
      item.enabled = 0;
      item.kind = GetGroup().second;
      item.group = name_;
      item.unavailable = 1;
      items_.push_back(item);
    }
    return static_cast<int>(items_.size());
  } catch (...) {
    return 0;
  }
}

std::unique_ptr<CSwitch> MakeICQSwitch() { return std::make_unique<CICQSW>(platform::LoadResourceString(IDS_SW_ICQ)); }
