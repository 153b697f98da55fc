#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "extmanager/switches/SwitchItem.h"

// The base of every host-application switch: it lists the host's versions or
// profiles as items and brings each item to a wanted state. No error leaves
// a switch: ApplyItems reports through the item's state and, unless silent,
// a message box; the detection operations answer false or 0.
class CSwitch {
 public:
  explicit CSwitch(std::wstring name);
  virtual ~CSwitch();
  CSwitch(const CSwitch&) = delete;
  CSwitch& operator=(const CSwitch&) = delete;

  virtual bool IsPluginInstalled() = 0;
  // Appends one item per detected version or profile; the number of items.
  virtual int IsAppInstalled() = 0;
  virtual void ApplyItems(SwitchItems& items, bool silent) = 0;
  // The host family caption and the switch's kind bit.
  virtual std::pair<std::wstring, int> GetGroup() = 0;
  virtual void GetKinds(std::vector<int>& kinds) = 0;
  virtual void SetItems(const SwitchItems& items);
  virtual int GetItems(SwitchItems& out);
  // True when the stored item with item.id has another state; never for an
  // item that cannot be switched.
  virtual bool IsChanged(const SwitchItem& item);
  virtual std::wstring GetNote();

  const std::wstring& Name() const { return name_; }

 protected:
  // Runs `work` over the items as ApplyItems does. `work` sets `current` to
  // the index it is working on. When it throws, the item at `current` keeps
  // its old state (enabled reversed), the items after it, which were never
  // reached, get the state the switch last read or applied, and the message
  // is shown unless silent.
  void GuardApply(SwitchItems& items, bool silent, const std::function<void(size_t& current)>& work);
  // A shortcut for switches that serve one item: `work` applies items[0].
  void GuardApplyFirst(SwitchItems& items, bool silent, const std::function<void(SwitchItem&)>& work);
  // Runs `work` for one item of a switch whose items do not depend on each
  // other: when it throws, the item keeps its old state (enabled reversed)
  // and the message is shown unless silent, and the caller goes on with its
  // next item. True when `work` went through.
  bool GuardItem(SwitchItem& item, bool silent, const std::function<void()>& work);

  SwitchItems items_;
  std::wstring name_;
  std::wstring note_;

 private:
  int StoredState(const SwitchItem& item, size_t index, int fallback) const;
};

// The window that owns switch message boxes (the tree dialog; null when none runs).
void SetSwitchMessageOwner(HWND owner);
HWND SwitchMessageOwner();
