#pragma once
#include "extmanager/switches/Switch.h"

// The product's Internet Explorer plug-in: a COM server DLL registered or
// unregistered with the system's regsvr32. One item: Internet Explorer.
class CIESW : public CSwitch {
 public:
  CIESW(std::wstring name, int kind);

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  void ApplyItems(SwitchItems& items, bool silent) override;
  std::pair<std::wstring, int> GetGroup() override { return {L"Internet Explorer", kind_}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(kind_); }

  // The edition's class key (below HKEY_CLASSES_ROOT) and DLL name.
  static std::wstring ClassKey(int kind);
  static std::wstring DllName(int kind);

 private:
  std::wstring PluginPath() const;
  void Register(const SwitchItem& item);

  int kind_;
};
