#pragma once
#include <memory>

#include "extmanager/switches/Switch.h"

// QIP Infium: the product's plug-in "NorvaQIP.dll" and its interface-language
// library, copied into the messenger's "Plugins\NorvaQIP" folder or deleted
// there, and the state recorded as "QIP Infium" under the product's
// Messengers key. The record always tells what is really on disk.
class CQIPInfiumSW : public CSwitch {
 public:
  explicit CQIPInfiumSW(std::wstring name) : CSwitch(std::move(name)) {}

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  // Acts on the first item.
  void ApplyItems(SwitchItems& items, bool silent) override;
  std::pair<std::wstring, int> GetGroup() override { return {L"QIP Infium", 0x1000}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(0x1000); }

  const std::wstring& InstallLocation() const { return installLocation_; }
  // The language library's file name and where it is copied from. Without
  // an interface language (or with one the product has no library for) the
  // default language, Russian, is taken.
  static void LanguageLibrary(std::wstring& name, std::wstring& source);

 private:
  void Apply(SwitchItem& item);
  void Record(bool on);

  std::wstring pluginFile_;
  int probeResult_ = 0;
  std::wstring installLocation_;
};

std::unique_ptr<CSwitch> MakeQIPInfiumSwitch();
