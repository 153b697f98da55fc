#pragma once
#include <memory>

#include "extmanager/switches/Switch.h"

// Skype: the product's companion program "NorvaSkype.exe" stays where it is;
// the switch only records whether it is on, as "Skype" under the product's
// Messengers key. Every Skype found is an item; they share that one state.
class CSkypeSW : public CSwitch {
 public:
  explicit CSkypeSW(std::wstring name) : CSwitch(std::move(name)) {}

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  // Records the state the user changed (the first item whose state differs
  // from the stored one, else the first item's) as 0 or 1, and gives every
  // item that state.
  void ApplyItems(SwitchItems& items, bool silent) override;
  std::pair<std::wstring, int> GetGroup() override { return {L"Skype", 0x2000}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(0x2000); }

 private:
  std::wstring pluginFile_;
  int probeResult_ = 0;
};

std::unique_ptr<CSwitch> MakeSkypeSwitch();
