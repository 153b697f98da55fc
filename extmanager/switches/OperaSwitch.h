#pragma once
#include "extmanager/hostfiles/OperaPrefsText.h"
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
  // Switching on keeps the user's own values of the keys (and whether the
  // section had to be added) in SavedPrefsPath() first; switching off puts
  // them back where the keys still hold the product's values, and drops the
  // kept values.
  bool EditOperaPrefs(bool enable, bool testOnly);
  // Writes (copies) or removes one of the three files below appDataFolder.
  bool InstallOperaFile(const std::wstring& file, const std::wstring& subFolder, bool enable);
  // The generated toolbar and menu texts.
  std::wstring ToolbarText() const;
  std::wstring MenuText() const;
  std::wstring RunnerPath() const;

  // The product's file beside the preferences that keeps the user's values.
  std::wstring SavedPrefsPath() const { return SavedPrefsPath(IsVqd()); }

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
  std::wstring SavedPrefsPath(bool vqd) const;
  // The three keys with this edition's values and the other edition's.
  struct Key {
    const wchar_t* name;
    std::wstring ours, theirs;
  };
  std::vector<Key> Keys() const;
  // The preferences name one of this edition's files.
  bool PrefsNameOurs(const std::wstring& text) const;
  // What a run that ended before it edited the preferences left (the files,
  // the kept values and the folders it made), while the preferences name
  // none of this edition's files; false when something could not go.
  bool TakeBackLeftovers();
  void RemoveMadeFolders(const SavedUserPrefs& saved);
  // Writes what switching on must keep of the preference text; false when
  // it cannot be kept (then nothing may be changed).
  bool KeepUserPrefs(const std::wstring& text);

  int kind_;
  std::wstring appDataFolder_;
  std::wstring productFolder_;
  std::wstring toolbarFile_, menuFile_, skinFile_;
  std::wstring toolbarPref_, menuPref_, skinPref_;
};
