#pragma once
#include <memory>

#include "extmanager/switches/Switch.h"

// ICQ: reports only. Shown when the product's ICQ companion is there, with
// each installed ICQ (not its toolbar) as an item that cannot be switched.
class CICQSW : public CSwitch {
 public:
  explicit CICQSW(std::wstring name) : CSwitch(std::move(name)) {}

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  void ApplyItems(SwitchItems&, bool) override {}
  std::pair<std::wstring, int> GetGroup() override { return {L"ICQ", 0x4000}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(0x4000); }

 private:
  std::wstring pluginFile_;
  int probeResult_ = 0;
};

std::unique_ptr<CSwitch> MakeICQSwitch();
