#include "browserproxy/ui/settings/TranslateWordPopup.h"

#include <commctrl.h>

#include "browserproxy/ui/settings/SettingAccess.h"

namespace sa = settingaccess;

namespace {

int TrackPos(HWND bar) { return static_cast<int>(SendMessageW(bar, TBM_GETPOS, 0, 0)); }

}  // namespace

CTranslateWordPopup::CTranslateWordPopup(INorvaBrowserClass* settings) : settings_(settings) {
  Messages().On(WM_INITDIALOG, [this](platform::Message&) -> LRESULT {
    Fill();
    return TRUE;
  });
  Messages().OnCommand(IDC_WP_USE, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    OnUseClicked();
    return 0;
  });
  for (UINT id : {IDC_WP_ALWAYS, IDC_WP_SHIFT, IDC_WP_SEL_CTRL, IDC_WP_SEL_ALWAYS}) {
    Messages().OnCommand(id, BN_CLICKED, [this](platform::Message&) -> LRESULT {
      SetModified(true);
      return 0;
    });
  }
  Messages().On(WM_HSCROLL, [this](platform::Message&) -> LRESULT {
    OnScroll();
    return 0;
  });
}

BOOL CTranslateWordPopup::Destroy() { return Dialog::Destroy(); }

void CTranslateWordPopup::Fill() {
  sa::Require(settings_);
  // A value of a type that holds no number (a string, say) counts as the default.
  delay_ = static_cast<int>(sa::ReadNumber(*settings_, L"PopupWordDelay", 500, true));
  HWND delay = Item(IDC_WP_DELAY);
  SendMessageW(delay, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageW(delay, TBM_SETPOS, TRUE, delay_ / 100);
  SendMessageW(delay, TBM_SETTICFREQ, 1, 0);

  textAmount_ = static_cast<int>(sa::ReadNumber(*settings_, L"LimitedTextAmount", 100, true));
  HWND amount = Item(IDC_WP_AMOUNT);
  SendMessageW(amount, TBM_SETRANGE, TRUE, MAKELPARAM(1, 10));
  SendMessageW(amount, TBM_SETPOS, TRUE, textAmount_ / 100);
  SendMessageW(amount, TBM_SETTICFREQ, 1, 0);

  const uint32_t use = sa::ReadNumber(*settings_, L"UseTranslateWordPopup", 1, true);
  CheckDlgButton(hwnd_, IDC_WP_USE, use == 1 ? BST_CHECKED : BST_UNCHECKED);
  EnableControls(use != 0);

  const uint32_t ctrl = sa::ReadNumber(*settings_, L"TranslateCtrl", 0, true);
  CheckDlgButton(hwnd_, ctrl == 1 ? IDC_WP_SEL_CTRL : IDC_WP_SEL_ALWAYS, BST_CHECKED);
  const uint32_t mode = sa::ReadNumber(*settings_, L"TranslateWordPopupMode", 0, true);
  CheckDlgButton(hwnd_, mode == 0 ? IDC_WP_ALWAYS : IDC_WP_SHIFT, BST_CHECKED);
}

void CTranslateWordPopup::EnableControls(bool on) {
  for (UINT id : {IDC_WP_ALWAYS, IDC_WP_SHIFT, IDC_WP_DELAY, IDC_WP_AMOUNT, IDC_WP_SEL_CTRL, IDC_WP_SEL_ALWAYS})
    EnableWindow(Item(id), on);
}

void CTranslateWordPopup::OnUseClicked() {
  const bool checked = IsDlgButtonChecked(hwnd_, IDC_WP_USE) == BST_CHECKED;
  EnableControls(checked);
  const uint32_t stored = sa::ReadNumber(*settings_, L"UseTranslateWordPopup", 1, true);
  SetModified((checked ? 1u : 0u) != stored);
}

void CTranslateWordPopup::OnScroll() {
  const int delay = TrackPos(Item(IDC_WP_DELAY)) * 100;
  if (delay != delay_) SetModified(true);
  delay_ = delay;
  const int amount = TrackPos(Item(IDC_WP_AMOUNT)) * 100;
  if (amount != textAmount_) SetModified(true);
  textAmount_ = amount;
}

bool CTranslateWordPopup::Apply() {
  sa::Require(settings_);
  const uint32_t mode = IsDlgButtonChecked(hwnd_, IDC_WP_ALWAYS) == BST_CHECKED ? 0 : 1;
  sa::WriteNumber(*settings_, L"TranslateWordPopupMode", mode, true);
  // Written as a DWORD the settings store keeps across runs.
  if (mode == 1) sa::WriteNumber(*settings_, L"TranslateWordPopupKey", 1, true);
  sa::WriteNumber(*settings_, L"UseTranslateWordPopup", IsDlgButtonChecked(hwnd_, IDC_WP_USE) == BST_CHECKED ? 1 : 0,
                  true);
  sa::WriteNumber(*settings_, L"TranslateCtrl", IsDlgButtonChecked(hwnd_, IDC_WP_SEL_CTRL) == BST_CHECKED ? 1 : 0,
                  true);
  sa::WriteNumber(*settings_, L"PopupWordDelay", static_cast<uint32_t>(TrackPos(Item(IDC_WP_DELAY)) * 100), true);
  sa::WriteNumber(*settings_, L"LimitedTextAmount", static_cast<uint32_t>(TrackPos(Item(IDC_WP_AMOUNT)) * 100), true);
  return true;
}
