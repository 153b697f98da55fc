#include "extmanager/switches/MsnSwitch.h"

#include "extmanager/app/QuenloLog.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/res/QuenloRes.h"
#include "extmanager/switches/ExceptSW.h"
#include "extmanager/switches/MessengerState.h"
#include "platform/win/ResourceInstance.h"
#include "platform/win/UniqueHandle.h"

namespace {

constexpr char kLogUnit[] = "MsnSW.cpp";
constexpr wchar_t kMessenger[] = L"Windows Live Messenger";
}

bool CMsnSW::IsPluginInstalled() {
  try {
    std::wstring folder = CompanionFolder(kLogUnit, kMessenger, L"NorvaMSN");
    pluginFile_ = L"NorvaMSN.chm";
    probeResult_ = CanOpenFile(folder + pluginFile_) ? 1 : 0;
    return probeResult_ == 1;
  } catch (...) {
    return false;
  }
}

int CMsnSW::IsAppInstalled() {
  try {
    platform::UniqueRegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\MSNMessenger", 0, KEY_READ, key.Receive()) !=
        ERROR_SUCCESS) {
      QUENLO_LOG(L"%s#%s#%s", kMessenger, L"REGISTRY", L"Windows Live Messenger isn't installed");
      throw CExceptSW(L"MSNMessenger", kMessenger, CExceptSW::kStepFailed);
    }
    key.Reset();
    SwitchItem item;
    item.name = kMessenger;
    item.enabled = -1;
    item.kind = GetGroup().second;
    item.group = name_;
    item.unavailable = 1;
    items_.push_back(item);
    return static_cast<int>(items_.size());
  } catch (...) {
    return 0;
  }
}

std::unique_ptr<CSwitch> MakeMsnSwitch() { return std::make_unique<CMsnSW>(platform::LoadResourceString(IDS_SW_MSN)); }
