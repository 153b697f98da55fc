#pragma once
#include "extmanager/switches/Switch.h"

// The product's Firefox extension: the product's Firefox component folder,
// copied into or deleted from the "extensions" folder of each Firefox
// profile (of every user when the user is an administrator). One item per
// installed Firefox version of major version 3 or later.
class CMozillaSW : public CSwitch {
 public:
  struct FireFoxVersion {
    std::wstring keyName;
    std::wstring displayName;
  };

  CMozillaSW(std::wstring name, int kind);

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  void ApplyItems(SwitchItems& items, bool silent) override;
  std::pair<std::wstring, int> GetGroup() override { return {L"Mozilla FireFox", kind_}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(kind_); }

  // The extension's folder inside a profile: "extensions\<identifier>".
  static std::wstring ExtensionFolder(int kind);
  // The profile folders below the application-data folder, of every user's
  // application-data folder when allUsers is set.
  static std::vector<std::wstring> GetProfileFolders(const std::wstring& appData, bool allUsers);

 private:
  void Apply(const SwitchItem& item);

  std::vector<FireFoxVersion> versions_;
  int kind_;
};
