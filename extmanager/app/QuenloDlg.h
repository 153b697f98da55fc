#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "extmanager/app/MyTreeCtrl.h"
#include "extmanager/switches/Switch.h"
#include "platform/base/Handles.h"
#include "platform/win/Dialog.h"
#include "shared/ImageList.h"

// The main window: every plug-in that can be switched on this machine, in a
// tri-state check tree grouped by switch, with OK, Cancel, Apply and Help.
class CquenloDlg : public platform::Dialog {
 public:
  using SwitchList = std::vector<std::unique_ptr<CSwitch>>;
  // The switches to offer; by default those of the kind table.
  using SwitchMaker = std::function<SwitchList()>;

  explicit CquenloDlg(SwitchMaker maker = nullptr);
  ~CquenloDlg() override;

 protected:
  bool OnInitDialog(LPARAM initParam) override;

 private:
  struct Group {
    std::wstring key;
    SwitchItems items;
  };

  void FillTree();
  SwitchItems CollectTreeState(CSwitch& sw) const;
  void CollectBelow(HTREEITEM node, int kind, SwitchItems& out) const;
  HTREEITEM FindNode(HTREEITEM node, int id) const;
  void UpdateModified();
  void Apply();
  void ShowHelp();
  void Close();
  static SwitchList DefaultSwitches();

  SwitchMaker maker_;
  CMyTreeCtrl tree_;
  SwitchList switches_;
  std::vector<Group> groups_;
  std::vector<std::unique_ptr<SwitchItem>> nodeData_;
  ImageListHandle images_;
  platform::UniqueIcon icon_;
  bool modified_ = false;
  bool comReady_ = false;
};
