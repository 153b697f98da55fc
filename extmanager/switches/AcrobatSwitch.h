#pragma once
#include <memory>
#include <optional>

#include "extmanager/switches/AcrobatVersions.h"
#include "extmanager/switches/Switch.h"

// The product's Acrobat plug-in "Pelvane<suffix>.API": copied into a
// sub-folder of each Adobe Acrobat or Adobe Reader version's "plug_ins"
// folder and recorded in the shared register "plugins.ini". One switch per
// edition; each keeps its own kind bit, so that one edition never applies
// the other's file.
class CAcrobatSW : public CSwitch {
 public:
  // kind 1: the ordinary edition; 0x100000: the VQD edition.
  CAcrobatSW(std::wstring name, int kind);

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  void ApplyItems(SwitchItems& items, bool silent) override;
  std::pair<std::wstring, int> GetGroup() override { return {L"Acrobat", kind_}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(kind_); }

  // Writes the key of section "PLUGINS" of the register or, with no value,
  // removes it. The file is edited beside itself and then replaced, so it is
  // never left half-written; a missing register or folder is made.
  static bool WritePluginsIni(const std::optional<std::wstring>& value, const std::wstring& key);
  // The register's folder: <common application data>\Norvasoft\NRVA\9.0\Acrobat.
  static std::wstring PluginsIniFolder();

  const std::wstring& PluginFile() const { return pluginFile_; }
  const AcrobatVersions* Versions() const { return versions_.get(); }

 private:
  void Apply(SwitchItem& item);

  std::wstring pluginFile_;
  bool pluginInstalled_ = false;
  std::unique_ptr<AcrobatVersions> versions_;
  int kind_;
  std::wstring suffix_;
};

std::unique_ptr<CSwitch> MakeAcrobatSwitch();
std::unique_ptr<CSwitch> MakeAcrobatVqdSwitch();
