#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/win/Window.h"

// The tri-state check tree of the plug-in dialog: each node's check lives in
// its state bits and shows through its image (0 checked, 1 unchecked,
// 2 partly checked, 3 unavailable). A left press on a node's icon toggles it.
class CMyTreeCtrl : public platform::Window {
 public:
  enum Image { kChecked = 0, kUnchecked = 1, kMixed = 2, kUnavailable = 3 };

  CMyTreeCtrl();

  void SetClickable(bool clickable) { clickable_ = clickable; }
  bool Clickable() const { return clickable_; }

  bool GetCheck(HTREEITEM node) const;
  void SetCheck(HTREEITEM node, bool checked);
  int GetImage(HTREEITEM node) const;
  void SetImage(HTREEITEM node, int image);
  // The node cannot be switched (unavailable image, or the callback image
  // that stands for it).
  bool IsUnavailable(HTREEITEM node) const;
  // Checks or clears the node and its switchable descendants and recomputes
  // the state of its ancestors.
  void SetCheckRecursive(bool checked, HTREEITEM node);

  HTREEITEM Child(HTREEITEM node) const { return TreeView_GetChild(Hwnd(), node); }
  HTREEITEM Next(HTREEITEM node) const { return TreeView_GetNextSibling(Hwnd(), node); }
  HTREEITEM Parent(HTREEITEM node) const { return TreeView_GetParent(Hwnd(), node); }
  HTREEITEM Root() const { return TreeView_GetRoot(Hwnd()); }
  LPARAM Data(HTREEITEM node) const;

 private:
  void SetSubtree(bool checked, HTREEITEM node);
  void RecomputeParents(HTREEITEM node);

  bool clickable_ = true;
};
