#pragma once
#include "extmanager/switches/Switch.h"

// The product's Chrome extension, announced to Chrome through its
// machine-wide external-extension key. One item: Chrome as the uninstall
// list names it.
class CChromeSW : public CSwitch {
 public:
  CChromeSW(std::wstring name, int kind);

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  void ApplyItems(SwitchItems& items, bool silent) override;
  std::pair<std::wstring, int> GetGroup() override { return {L"Google Chrome", kind_}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(kind_); }
  std::wstring GetNote() override { return note_; }

  // HKLM "Software\Google\Chrome\Extensions\<identifier>" of the edition.
  static std::wstring ExtensionKey(int kind);
  const std::wstring& CrxName() const { return crxName_; }

 private:
  std::wstring PackagePath() const;
  void Apply(const SwitchItem& item);

  int kind_;
  std::wstring crxName_;
};
