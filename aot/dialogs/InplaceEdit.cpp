#include "dialogs/InplaceEdit.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace ombrel {

HWND CInplaceEdit::Create(HWND list, int item, int column, const wchar_t* text) {
  RECT rect{};
  rect.left = LVIR_LABEL;
  if (!SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect))) return nullptr;
  HWND edit = CreateWindowExW(0, L"EDIT", text, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top + 2, list, nullptr,
                              reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(list, GWLP_HINSTANCE)), nullptr);
  if (!edit) return nullptr;
  auto* editor = new CInplaceEdit(item, column);
  SetWindowSubclass(edit, &CInplaceEdit::Proc, 1, reinterpret_cast<DWORD_PTR>(editor));
  SendMessageW(edit, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), TRUE);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
  return edit;
}

LRESULT CALLBACK CInplaceEdit::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
  auto* editor = reinterpret_cast<CInplaceEdit*>(data);
  try {
    return editor->Handle(window, message, wParam, lParam);
  } catch (...) {
    return DefSubclassProc(window, message, wParam, lParam);
  }
}

LRESULT CInplaceEdit::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND list = GetParent(window);
  switch (message) {
    case WM_SIZE:
      SendMessageW(window, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), FALSE);
      break;
    case WM_KILLFOCUS: {
      LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      ReportEnd(window);
      PostMessageW(window, WM_CLOSE, 0, 0);
      return result;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_F2) {
        SetFocus(list);
        return 0;
      }
      break;
    case WM_GETDLGCODE:
      return DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_NCDESTROY: {
      LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      RemoveWindowSubclass(window, &CInplaceEdit::Proc, 1);
      delete this;
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void CInplaceEdit::ReportEnd(HWND window) {
  if (reported_) return;
  reported_ = true;
  HWND list = GetParent(window);
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  NMLVDISPINFOW info{};
  info.hdr.hwndFrom = list;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
  info.hdr.code = LVN_ENDLABELEDITW;
  info.item.mask = LVIF_TEXT;
  info.item.iItem = item_;
  info.item.iSubItem = column_;
  info.item.pszText = text.data();
  info.item.cchTextMax = length;
  SendMessageW(GetParent(list), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

}  // namespace ombrel
