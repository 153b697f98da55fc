#include "dialogs/ListView.h"

#include <vector>

namespace ombrel {

int ListView::InsertColumn(int index, const std::wstring& title, int width) const {
  // The header draws a caption into a box exactly as wide as the text's
  // advance, which cuts off the ink of a last glyph that hangs over it ("а"
  // and "о" of the dialog font lose up to three pixels); a trailing space
  // gives that ink room.
  std::wstring caption = title.empty() ? title : title + L" ";
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = caption.data();
  column.cx = width;
  column.iSubItem = index;
  return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int ListView::InsertItem(int index, const std::wstring& text, int image) const {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  // No picture beside the text unless one is asked for (the list's images are for other columns).
  item.iImage = image >= 0 ? image : I_IMAGENONE;
  return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListView::SetItemText(int index, int column, const std::wstring& text) const {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::wstring ListView::ItemText(int index, int column) const {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    int length = static_cast<int>(Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    if (length < static_cast<int>(buffer.size()) - 1) return std::wstring(buffer.data(), static_cast<size_t>(length));
    buffer.resize(buffer.size() * 2);
  }
}

void ListView::Select(int index) const {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

LPARAM ListView::ItemData(int index) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

void ListView::SetItemData(int index, LPARAM data) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = data;
  Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int ListView::SubItemImage(int index, int column) const {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iSubItem = column;
  Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

void ListView::SetSubItemImage(int index, int column, int image) const {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iSubItem = column;
  item.iImage = image;
  Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListView::SetChecked(int index, bool checked) const {
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

}  // namespace ombrel
