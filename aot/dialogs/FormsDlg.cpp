#include "dialogs/FormsDlg.h"

#include <windows.h>

#include <commctrl.h>

#include "analyzer/KeywordListText.h"
#include "dialogs/ListView.h"
#include "platform/win/Controls.h"
#include "res/OmbrelResource.h"

namespace ombrel {

using platform::Message;

CFormsDlg::CFormsDlg(CAotForms& forms, std::wstring firstKeyword, bool readOnly)
    : Dialog(IDD_FORMS), forms_(forms), firstKeyword_(std::move(firstKeyword)), readOnly_(readOnly) {
  Messages()
      .OnCommand(IDC_FORM_KEYWORDS, CBN_DROPDOWN, [this](Message&) -> LRESULT {
        StoreChecks();
        return 0;
      })
      .OnCommand(IDC_FORM_KEYWORDS, CBN_CLOSEUP, [this](Message&) -> LRESULT {
        StoreChecks();
        ShowKeyword(Control<platform::ComboBox>(IDC_FORM_KEYWORDS).CurrentSelection());
        return 0;
      })
      .OnCommand(IDC_FORM_KEYWORDS, CBN_SELCHANGE, [this](Message&) -> LRESULT {
        // Keyboard changes close no drop-down: store and show here too.
        StoreChecks();
        ShowKeyword(Control<platform::ComboBox>(IDC_FORM_KEYWORDS).CurrentSelection());
        return 0;
      })
      .OnNotify(IDC_FORM_TABS, TCN_SELCHANGING, [this](Message&) -> LRESULT {
        StoreChecks();
        return FALSE;
      })
      .OnNotify(IDC_FORM_TABS, TCN_SELCHANGE, [this](Message&) -> LRESULT {
        ShowGroup(static_cast<int>(SendMessageW(Item(IDC_FORM_TABS), TCM_GETCURSEL, 0, 0)));
        return 0;
      })
      .OnNotify(IDC_FORM_LIST, LVN_ITEMCHANGED, [this](Message& m) -> LRESULT {
        auto* change = reinterpret_cast<NMLISTVIEW*>(m.lParam);
        if (!filling_ && !readOnly_ && (change->uChanged & LVIF_STATE) &&
            ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK))
          changed_ = true;
        return 0;
      })
      .OnCommand(IDC_ADD_ALL, BN_CLICKED, [this](Message&) -> LRESULT {
        CheckAll(true);
        return 0;
      })
      .OnCommand(IDC_REMOVE_ALL, BN_CLICKED, [this](Message&) -> LRESULT {
        CheckAll(false);
        return 0;
      })
      .OnCommand(IDOK, BN_CLICKED, [this](Message&) -> LRESULT {
        StoreChecks();
        EndDialog(IDOK);
        return 0;
      })
      .OnCommand(IDCANCEL, BN_CLICKED, [this](Message&) -> LRESULT {
        changed_ = false;
        EndDialog(IDCANCEL);
        return 0;
      });
}

bool CFormsDlg::OnInitDialog(LPARAM) {
  ListView list(Item(IDC_FORM_LIST));
  list.SetExtendedStyle(LVS_EX_CHECKBOXES);
  RECT client{};
  GetClientRect(list.Hwnd(), &client);
  list.InsertColumn(0, L"Forms", client.right - client.left - 2);
  platform::ComboBox keywords = Control<platform::ComboBox>(IDC_FORM_KEYWORDS);
  int first = 0;
  for (int i = 0; i < forms_.GetKeywordCount(); ++i) {
    std::wstring keyword = forms_.GetKeyword(i);
    int at = keywords.AddString(keyword);
    if (LowerCase(keyword) == LowerCase(firstKeyword_)) first = at;
  }
  // The sorted combo moves entries: the remembered one is found by its text.
  if (keywords.Count() > 0) {
    for (int i = 0; i < keywords.Count(); ++i)
      if (LowerCase(keywords.ItemText(i)) == LowerCase(firstKeyword_)) first = i;
    ShowKeyword(first);
  }
  if (readOnly_) {
    EnableWindow(Item(IDC_ADD_ALL), FALSE);
    EnableWindow(Item(IDC_REMOVE_ALL), FALSE);
    EnableWindow(list.Hwnd(), FALSE);
  }
  return true;
}

std::wstring CFormsDlg::CurrentKeyword() const {
  platform::ComboBox keywords = Control<platform::ComboBox>(IDC_FORM_KEYWORDS);
  return shown_ >= 0 ? keywords.ItemText(shown_) : std::wstring();
}

void CFormsDlg::ShowKeyword(int index) {
  if (index < 0 || index == shown_) return;
  shown_ = index;
  Control<platform::ComboBox>(IDC_FORM_KEYWORDS).SetCurrentSelection(index);
  HWND tabs = Item(IDC_FORM_TABS);
  SendMessageW(tabs, TCM_DELETEALLITEMS, 0, 0);
  tabCodes_.clear();
  const std::wstring keyword = CurrentKeyword();
  for (int i = 0; i < forms_.GetGroupCount(keyword); ++i) {
    int code = forms_.GetGroupCode(keyword, i);
    if (forms_.GetFormCount(keyword, code) == 0) continue;
    std::wstring caption = forms_.GetGroupCaption(keyword, i);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs, TCM_INSERTITEMW, tabCodes_.size(), reinterpret_cast<LPARAM>(&item));
    tabCodes_.push_back(code);
  }
  SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
  ShowGroup(0);
}

void CFormsDlg::ShowGroup(int tab) {
  ListView list(Item(IDC_FORM_LIST));
  filling_ = true;
  list.DeleteAllItems();
  const std::wstring keyword = CurrentKeyword();
  int code = tab >= 0 && static_cast<size_t>(tab) < tabCodes_.size() ? tabCodes_[static_cast<size_t>(tab)]
                                                                     : forms_.GetGroupCode(keyword, 0);
  for (int i = 0; i < forms_.GetFormCount(keyword, code); ++i) {
    std::wstring form = forms_.GetForm(keyword, code, i);
    int row = list.InsertItem(i, form);
    list.SetChecked(row, forms_.IsFormKept(keyword, code, form));
  }
  filling_ = false;
}

void CFormsDlg::StoreChecks() {
  ListView list(Item(IDC_FORM_LIST));
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Checked(i)) forms_.KeepForm(list.ItemText(i));
    else forms_.DropForm(list.ItemText(i));
  }
}

void CFormsDlg::CheckAll(bool checked) {
  ListView list(Item(IDC_FORM_LIST));
  filling_ = true;
  for (int i = 0; i < list.Count(); ++i) list.SetChecked(i, checked);
  filling_ = false;
  changed_ = true;
}

}  // namespace ombrel
