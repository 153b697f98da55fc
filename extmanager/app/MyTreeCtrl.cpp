#include "extmanager/app/MyTreeCtrl.h"

CMyTreeCtrl::CMyTreeCtrl() {
  Messages()
      .On(WM_LBUTTONDOWN,
          [this](platform::Message& message) -> LRESULT {
            if (!clickable_) return 0;  // swallowed
            TVHITTESTINFO hit{};
            hit.pt = message.Point();
            HTREEITEM node = TreeView_HitTest(Hwnd(), &hit);
            if (node && (hit.flags & TVHT_ONITEMICON)) SetCheckRecursive(!GetCheck(node), node);
            message.handled = false;  // the control then handles the press as usual
            return 0;
          })
      .On(WM_LBUTTONDBLCLK,
          [this](platform::Message& message) -> LRESULT {
            message.handled = !clickable_;
            return 0;
          })
      .On(WM_RBUTTONDOWN, [](platform::Message&) -> LRESULT { return 0; })
      .On(WM_RBUTTONDBLCLK, [](platform::Message&) -> LRESULT { return 0; });
}

bool CMyTreeCtrl::GetCheck(HTREEITEM node) const {
  UINT state = TreeView_GetItemState(Hwnd(), node, TVIS_STATEIMAGEMASK);
  return (state >> 12) == 2;
}

void CMyTreeCtrl::SetCheck(HTREEITEM node, bool checked) {
  TreeView_SetItemState(Hwnd(), node, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), TVIS_STATEIMAGEMASK);
}

int CMyTreeCtrl::GetImage(HTREEITEM node) const {
  TVITEMW item{};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
  item.hItem = node;
  if (!TreeView_GetItem(Hwnd(), &item)) return -1;
  return item.iImage == kUnavailable || item.iSelectedImage == kUnavailable ? kUnavailable : item.iImage;
}

void CMyTreeCtrl::SetImage(HTREEITEM node, int image) {
  TVITEMW item{};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
  item.hItem = node;
  item.iImage = item.iSelectedImage = image;
  TreeView_SetItem(Hwnd(), &item);
}

bool CMyTreeCtrl::IsUnavailable(HTREEITEM node) const {
  int image = GetImage(node);
  return image == kUnavailable || image == I_IMAGECALLBACK;
}

LPARAM CMyTreeCtrl::Data(HTREEITEM node) const {
  TVITEMW item{};
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = node;
  return TreeView_GetItem(Hwnd(), &item) ? item.lParam : 0;
}

void CMyTreeCtrl::SetSubtree(bool checked, HTREEITEM node) {
  SetCheck(node, checked);
  SetImage(node, checked ? kChecked : kUnchecked);
  for (HTREEITEM child = Child(node); child; child = Next(child))
    if (!IsUnavailable(child)) SetSubtree(checked, child);
}

void CMyTreeCtrl::RecomputeParents(HTREEITEM node) {
  for (HTREEITEM parent = Parent(node); parent; parent = Parent(parent)) {
    int children = 0, unchecked = 0, checked = 0;
    for (HTREEITEM child = Child(parent); child; child = Next(child)) {
      ++children;
      int image = GetImage(child);
      if (image == kMixed) continue;
      if (GetCheck(child)) ++checked;
      else ++unchecked;
    }
    if (unchecked == children) {
      SetCheck(parent, false);
      SetImage(parent, kUnchecked);
    } else if (checked == children) {
      SetCheck(parent, true);
      SetImage(parent, kChecked);
    } else {
      SetImage(parent, kMixed);
    }
  }
}

void CMyTreeCtrl::SetCheckRecursive(bool checked, HTREEITEM node) {
  TreeView_SelectItem(Hwnd(), node);
  if (IsUnavailable(node)) return;
  SetSubtree(checked, node);
  RecomputeParents(node);
}
