#include "browserproxy/ui/OwnerDrawList.h"

void COwnerDrawList::TakeBaseItemHeight() {
  if (!Hwnd()) return;
  LRESULT height = SendMessageW(Hwnd(), LB_GETITEMHEIGHT, 0, 0);
  if (height > 0 && height != LB_ERR) baseItemHeight_ = static_cast<int>(height);
}

void COwnerDrawList::AddListString(const std::wstring& text) {
  if (!Hwnd()) return;
  pendingText_ = &text;
  SendMessageW(Hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  pendingText_ = nullptr;
}

int COwnerDrawList::LineHeight(const std::wstring* text) const {
  return text && *text == L" " ? 2 * baseItemHeight_ : baseItemHeight_;
}

bool COwnerDrawList::HandleOwnerDraw(platform::Message& message, LRESULT& result) {
  if (!Hwnd()) return false;
  if (message.id == WM_MEASUREITEM) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.lParam);
    if (!measure || measure->CtlType != ODT_LISTBOX || measure->CtlID != static_cast<UINT>(GetDlgCtrlID(Hwnd())))
      return false;
    measure->itemWidth = 255;
    measure->itemHeight = static_cast<UINT>(LineHeight(pendingText_ ? pendingText_ : LineText(measure->itemID)));
    result = TRUE;
    return true;
  }
  if (message.id == WM_DRAWITEM) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.lParam);
    if (!draw || draw->hwndItem != Hwnd()) return false;
    if (draw->itemID != static_cast<UINT>(-1)) DrawEntryItem(draw->hDC, static_cast<int>(draw->itemID), draw->rcItem);
    result = TRUE;
    return true;
  }
  return false;
}
