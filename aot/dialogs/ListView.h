#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win/WindowRef.h"

namespace ombrel {

// The list-view messages the module's dialogs use.
class ListView : public platform::WindowRef {
 public:
  using WindowRef::WindowRef;

  void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
  int InsertColumn(int index, const std::wstring& title, int width) const;
  // image -1: none.
  int InsertItem(int index, const std::wstring& text, int image = -1) const;
  bool SetItemText(int item, int column, const std::wstring& text) const;
  std::wstring ItemText(int item, int column = 0) const;
  bool DeleteItem(int item) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(item)) != 0; }
  void DeleteAllItems() const { Send(LVM_DELETEALLITEMS); }
  int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  // The first selected item, -1 when none.
  int Selected() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
  // Selects, focuses and shows the item.
  void Select(int item) const;
  LPARAM ItemData(int item) const;
  void SetItemData(int item, LPARAM data) const;
  int SubItemImage(int item, int column) const;
  void SetSubItemImage(int item, int column, int image) const;
  bool Checked(int item) const {
    return ((static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK)) >> 12) - 1) != 0;
  }
  void SetChecked(int item, bool checked) const;
};

}  // namespace ombrel
