#pragma once
#include <memory>

#include "extmanager/switches/Switch.h"

// The product's COM add-ins in Microsoft Office, registered for the current
// user under each application's "Addins" key. Mode 1 serves Office 2000, XP
// and 2003, mode 2 Office 2007 and 2010; each mode has three editions of the
// add-in (ordinary, Lite for Word and Outlook, VQD), each with its own kind
// bit. One item per installed application and usable edition; its tag is
// the application's index in AppNames().
class CMSOfficeSW : public CSwitch {
 public:
  // Kind bits of the items.
  enum Kind : int {
    kOrdinary1 = 0x4, kLite1 = 0x2, kVqd1 = 0x8000,
    kOrdinary2 = 0x40, kLite2 = 0x20, kVqd2 = 0x10000,
  };

  // `edName` is accepted for the callers' sake and not used.
  CMSOfficeSW(int mode, std::wstring name, std::wstring liteName, std::wstring edName, std::wstring vqdName);

  bool IsPluginInstalled() override;
  int IsAppInstalled() override;
  void ApplyItems(SwitchItems& items, bool silent) override;
  std::pair<std::wstring, int> GetGroup() override;
  void GetKinds(std::vector<int>& kinds) override;

  // The two switches with their names from the string table, as the runner and the dialog build them.
  static std::unique_ptr<CSwitch> MakeMode1();
  static std::unique_ptr<CSwitch> MakeMode2();

  int Mode() const { return mode_; }
  unsigned InstalledKinds() const { return installedKinds_; }
  const std::vector<std::wstring>& AppNames() const { return appNames_; }
  // The kind's ProgID for the application index; empty for another mode's kind.
  std::wstring ProgId(int kind, int index) const;
  // HKCU "Software\Microsoft\Office\<App>\Addins\<ProgID>".
  std::wstring AddinKeyPath(int kind, int index) const;

 private:
  bool IsOfficeAppInstalled(int index);
  bool AddinSupportsApp(int kind, int index);
  bool IsAddinLibraryPresent(int kind, int index);
  bool AddinKeyExists(int kind, int index);
  bool GetAddinKeyPath(int kind, int index, std::wstring& path) const;
  bool GetProgId(int kind, int index, std::wstring& text) const;
  std::wstring ReadOfficeFolder(const wchar_t* valueName) const;
  const std::vector<std::wstring>* ProgIds(int kind) const;
  std::wstring GroupOf(int kind) const;
  // The item differs from the state last read or applied.
  bool Differs(const SwitchItem& item);
  void Register(const SwitchItem& item);
  void Unregister(const SwitchItem& item);

  int mode_;
  unsigned installedKinds_ = 0;
  std::vector<std::wstring> appNames_, displayNamesOld_, displayNamesNew_;
  std::vector<std::wstring> progIdsLite8_, progIds8_, progIdsVqd8_;
  std::vector<std::wstring> progIdsLiteX_, progIdsX_, progIdsVqdX_;
  std::vector<std::wstring> appCodes_;
  std::wstring liteName_, vqdName_;
};
