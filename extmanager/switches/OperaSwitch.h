#pragma once
#include "extmanager/switches/Switch.h"

// The product's Opera toolbar, menu and skin: three files in the user's Opera
// profile and three keys of "operaprefs.ini" that point at them. One item:
// Opera as the uninstall list names it.
class COperaSW : public CSwitch {
 public:
  COperaSW(std::wstring name, int kind);

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  void ApplyItems(SwitchItems& items, bool silent) override;
  std::pair<std::wstring, int> GetGroup() override { return {L"Opera", kind_}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(kind_); }
  std::wstring GetNote() override { return note_; }

  // Edits (or, in test mode, checks) the three keys of "operaprefs.ini".
  bool EditOperaPrefs(bool enable, bool testOnly);
  // Writes (copies) or removes one of the three files below appDataFolder.
  bool InstallOperaFile(const std::wstring& file, const std::wstring& subFolder, bool enable);
  // The generated toolbar and menu texts.
  std::wstring ToolbarText() const;
  std::wstring MenuText() const;
  std::wstring RunnerPath() const;

  const std::wstring& ToolbarFile() const { return toolbarFile_; }
  const std::wstring& MenuFile() const { return menuFile_; }
  const std::wstring& SkinFile() const { return skinFile_; }

 private:
  bool IsVqd() const { return kind_ == 0x1000000; }
  std::wstring PrefsPath() const { return appDataFolder_ + L"Opera\\Opera\\operaprefs.ini"; }
  std::wstring Header() const;
  // The preference text, decoded; false when it cannot be read or is not UTF-8.
  bool ReadPrefs(std::wstring& text, bool& mark) const;
  void SwitchOffEveryUser();
  void Apply(SwitchItem& item, bool silent);

  int kind_;
  std::wstring appDataFolder_;
  std::wstring productFolder_;
  std::wstring toolbarFile_, menuFile_, skinFile_;
  std::wstring toolbarPref_, menuPref_, skinPref_;
};
