#include "browserproxy/ui/settings/TranslateDirectionPage.h"

#include <algorithm>

#include "browserproxy/ui/settings/SettingAccess.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/SelectedObject.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/win/Controls.h"

namespace sa = settingaccess;

CTranslateDirectionPage::CTranslateDirectionPage(INorvaBrowserClass* settings) : settings_(settings) {
  Messages().On(WM_INITDIALOG, [this](platform::Message&) -> LRESULT {
    Fill();
    return TRUE;
  });
  Messages().OnCommand(IDC_DIRECTION_LIST, LBN_SELCHANGE, [this](platform::Message&) -> LRESULT {
    OnDirectionChanged();
    return 0;
  });
  Messages().OnCommand(IDC_TEMPLATE_LIST, LBN_SELCHANGE, [this](platform::Message&) -> LRESULT {
    SetModified(true);
    return 0;
  });
}

BOOL CTranslateDirectionPage::Destroy() { return Dialog::Destroy(); }

void CTranslateDirectionPage::Fill() {
  sa::Require(settings_);
  shownDirection_ = static_cast<int>(sa::ActiveDirIndex(*settings_));
  activeTemplate_ = sa::ActiveTplName(*settings_);
  platform::ListBox list(Item(IDC_DIRECTION_LIST));
  const unsigned long count = sa::DirsCount(*settings_);
  for (unsigned long i = 0; i < count; ++i) {
    int row = list.AddString(sa::DirName(*settings_, i));
    list.SetItemData(row, static_cast<LPARAM>(i));
    if (static_cast<int>(i) == shownDirection_) {
      list.SetCurrentSelection(row);
      FillTemplates(i, activeTemplate_);
    }
  }
}

void CTranslateDirectionPage::FillTemplates(unsigned long direction, const std::wstring& wanted) {
  platform::ListBox list(Item(IDC_TEMPLATE_LIST));
  const int rows = list.Count();
  for (int i = 0; rows != LB_ERR && i < rows; ++i)
    if (list.DeleteString(0) == LB_ERR) break;

  platform::WindowDC dc(list.Hwnd());
  platform::SelectedObject font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
  RECT client = list.ClientRect();
  int widest = 0;
  int wantedRow = -1;
  const unsigned long count = sa::TmplCount(*settings_, direction);
  for (unsigned long i = 0; i < count; ++i) {
    std::wstring name = sa::TmplName(*settings_, i, direction);
    SIZE size{};
    if (dc && GetTextExtentPoint32W(dc.Get(), name.c_str(), static_cast<int>(name.size()), &size))
      widest = std::max(widest, static_cast<int>(size.cx));
    int row = list.AddString(name);
    list.SetItemData(row, static_cast<LPARAM>(i));
    if (wantedRow < 0 && name == wanted) wantedRow = row;
  }
  list.SetCurrentSelection(wantedRow >= 0 ? wantedRow : 0);
  if (widest > client.right - client.left) list.Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 5));
}

void CTranslateDirectionPage::OnDirectionChanged() {
  platform::ListBox list(Item(IDC_DIRECTION_LIST));
  const int sel = list.CurrentSelection();
  if (sel == LB_ERR) return;
  // Failing reads count as no active choice.
  ULONG active = 0xFFFFFFFF;
  std::wstring activeTemplate;
  if (SUCCEEDED(settings_->get_ActiveDirIndex(&active)) && static_cast<ULONG>(sel) == active) {
    try {
      activeTemplate = sa::ActiveTplName(*settings_);
    } catch (const platform::ComError&) {
    }
  }
  FillTemplates(static_cast<unsigned long>(sel), activeTemplate);
  SetModified(LOWORD(sel) != LOWORD(shownDirection_));
}

bool CTranslateDirectionPage::Apply() {
  sa::Require(settings_);
  platform::ListBox directions(Item(IDC_DIRECTION_LIST));
  const int sel = directions.CurrentSelection();
  if (sel == LB_ERR) return true;
  const long id = sa::DirID(*settings_, static_cast<unsigned long>(sel));
  if (FAILED(settings_->put_ActiveDirID(id))) {
    // Refused: the page goes back to what the browser object has active.
    const unsigned long active = sa::ActiveDirIndex(*settings_);
    const std::wstring activeTemplate = sa::ActiveTplName(*settings_);
    directions.SetCurrentSelection(static_cast<int>(active));
    FillTemplates(active, activeTemplate);
    return true;
  }
  shownDirection_ = sel;
  platform::ListBox templates(Item(IDC_TEMPLATE_LIST));
  const int t = templates.CurrentSelection();
  if (t == LB_ERR) return false;
  // The whole name, however long: the list knows its length.
  platform::Bstr name(templates.ItemText(t));
  platform::ThrowIfFailed(settings_->put_ActiveTplId(name.Get()), L"ActiveTplId");
  return true;
}
