#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win/WindowRef.h"

// Thin wrappers over the standard controls: the handle plus the messages
// the user interface sends them. None owns its window.
namespace platform {

class Button : public WindowRef {
 public:
  using WindowRef::WindowRef;
  // What a user's click would do: BN_CLICKED to the parent.
  void Click() const { Send(BM_CLICK); }
  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
  int CheckState() const { return static_cast<int>(Send(BM_GETCHECK)); }
  bool IsChecked() const { return CheckState() == BST_CHECKED; }
  void SetChecked(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
};

class StaticText : public WindowRef {
 public:
  using WindowRef::WindowRef;
  // For SS_BITMAP statics; returns the previous bitmap (not owned).
  HBITMAP SetBitmap(HBITMAP bitmap) const {
    return reinterpret_cast<HBITMAP>(Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
  HICON SetIcon(HICON icon) const { return reinterpret_cast<HICON>(Send(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
};

class Edit : public WindowRef {
 public:
  using WindowRef::WindowRef;
  void LimitText(int maxChars) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(maxChars)); }
  void SetReadOnly(bool readOnly) const { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
  void SetSelection(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
  void ReplaceSelection(const std::wstring& text, bool canUndo = false) const {
    Send(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  bool IsModified() const { return Send(EM_GETMODIFY) != 0; }
};

class ListBox : public WindowRef {
 public:
  using WindowRef::WindowRef;
  // Index of the new item, or LB_ERR / LB_ERRSPACE.
  int AddString(const std::wstring& text) const { return Int(Send(LB_ADDSTRING, 0, Text(text))); }
  int InsertString(int index, const std::wstring& text) const {
    return Int(Send(LB_INSERTSTRING, static_cast<WPARAM>(index), Text(text)));
  }
  // For lists without stored strings: the item's data stands for it.
  int AddItem(LPARAM data) const { return Int(Send(LB_ADDSTRING, 0, data)); }
  int DeleteString(int index) const { return Int(Send(LB_DELETESTRING, static_cast<WPARAM>(index))); }
  void ResetContent() const { Send(LB_RESETCONTENT); }
  int Count() const { return Int(Send(LB_GETCOUNT)); }
  int CurrentSelection() const { return Int(Send(LB_GETCURSEL)); }
  bool SetCurrentSelection(int index) const { return Send(LB_SETCURSEL, static_cast<WPARAM>(index)) != LB_ERR || index < 0; }
  std::wstring ItemText(int index) const;
  LPARAM ItemData(int index) const { return static_cast<LPARAM>(Send(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
  bool SetItemData(int index, LPARAM data) const { return Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data) != LB_ERR; }
  int ItemHeight(int index = 0) const { return Int(Send(LB_GETITEMHEIGHT, static_cast<WPARAM>(index))); }
  bool SetItemHeight(int index, int height) const {
    return Send(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(height, 0)) != LB_ERR;
  }
  int TopIndex() const { return Int(Send(LB_GETTOPINDEX)); }
  RECT ItemRect(int index) const {
    RECT rect{};
    Send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  // The nearest item to a client point; outside tells whether the point lies beyond the items.
  int ItemFromPoint(POINT point, bool* outside = nullptr) const {
    DWORD answer = static_cast<DWORD>(Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
    if (outside) *outside = HIWORD(answer) != 0;
    return LOWORD(answer);
  }

 private:
  static int Int(LRESULT r) { return static_cast<int>(r); }
  static LPARAM Text(const std::wstring& text) { return reinterpret_cast<LPARAM>(text.c_str()); }
};

class ComboBox : public WindowRef {
 public:
  using WindowRef::WindowRef;
  int AddString(const std::wstring& text) const { return Int(Send(CB_ADDSTRING, 0, Text(text))); }
  int InsertString(int index, const std::wstring& text) const {
    return Int(Send(CB_INSERTSTRING, static_cast<WPARAM>(index), Text(text)));
  }
  int DeleteString(int index) const { return Int(Send(CB_DELETESTRING, static_cast<WPARAM>(index))); }
  void ResetContent() const { Send(CB_RESETCONTENT); }
  int Count() const { return Int(Send(CB_GETCOUNT)); }
  int CurrentSelection() const { return Int(Send(CB_GETCURSEL)); }
  bool SetCurrentSelection(int index) const { return Send(CB_SETCURSEL, static_cast<WPARAM>(index)) != CB_ERR || index < 0; }
  std::wstring ItemText(int index) const;
  LPARAM ItemData(int index) const { return static_cast<LPARAM>(Send(CB_GETITEMDATA, static_cast<WPARAM>(index))); }
  bool SetItemData(int index, LPARAM data) const { return Send(CB_SETITEMDATA, static_cast<WPARAM>(index), data) != CB_ERR; }
  // Index of the item with exactly this text (not case-sensitive), or CB_ERR.
  int FindExact(const std::wstring& text, int after = -1) const {
    return Int(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(after), Text(text)));
  }

 private:
  static int Int(LRESULT r) { return static_cast<int>(r); }
  static LPARAM Text(const std::wstring& text) { return reinterpret_cast<LPARAM>(text.c_str()); }
};

class ProgressBar : public WindowRef {
 public:
  using WindowRef::WindowRef;
  void SetRange(int low, int high) const { Send(PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
  int RangeLow() const { return static_cast<int>(Send(PBM_GETRANGE, TRUE)); }
  int RangeHigh() const { return static_cast<int>(Send(PBM_GETRANGE, FALSE)); }
  // Returns the previous position.
  int SetPos(int position) const { return static_cast<int>(Send(PBM_SETPOS, static_cast<WPARAM>(position))); }
  int Pos() const { return static_cast<int>(Send(PBM_GETPOS)); }
};

}  // namespace platform
