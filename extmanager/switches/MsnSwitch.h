#pragma once
#include <memory>

#include "extmanager/switches/Switch.h"

// Windows Live Messenger: reports only. Shown when the product's Messenger
// add-on and Messenger itself are there, as one item that cannot be switched.
class CMsnSW : public CSwitch {
 public:
  explicit CMsnSW(std::wstring name) : CSwitch(std::move(name)) {}

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  void ApplyItems(SwitchItems&, bool) override {}
  std::pair<std::wstring, int> GetGroup() override { return {L"Windows Live Messenger", 0x800}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(0x800); }

 private:
  std::wstring pluginFile_;
  int probeResult_ = 0;
};

std::unique_ptr<CSwitch> MakeMsnSwitch();
