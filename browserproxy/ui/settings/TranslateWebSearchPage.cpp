#include "browserproxy/ui/settings/TranslateWebSearchPage.h"

#include "browserproxy/ui/settings/SettingAccess.h"

namespace sa = settingaccess;

CTranslateWebSearchPage::CTranslateWebSearchPage(INorvaBrowserClass* settings)
    : settings_(platform::ComPtr<INorvaBrowserClass>::Share(settings)) {
  Messages().On(WM_INITDIALOG, [this](platform::Message&) -> LRESULT {
    Fill();
    return TRUE;
  });
  for (UINT id : {IDC_WS_MODE_REPLACE, IDC_WS_MODE_NEW}) {
    Messages().OnCommand(id, BN_CLICKED, [this](platform::Message&) -> LRESULT {
      SetModified(true);
      return 0;
    });
  }
}

BOOL CTranslateWebSearchPage::Destroy() {
  settings_.Reset();
  return Dialog::Destroy();
}

void CTranslateWebSearchPage::Fill() {
  sa::Require(settings_.Get());
  platform::Variant mode = sa::Read(*settings_.Get(), L"WebSearchMode");
  const uint32_t value = mode.Type() == VT_UI4 ? mode.Get().ulVal : 0;
  ENorvaBrowserType type = EPBT_OPERA;
  settings_->get_BrowserType(&type);
  if (type == EPBT_CROME || type == EPBT_FF)
    SetDlgItemTextW(hwnd_, IDC_WS_MODE_NEW, platform::LoadResourceString(IDS_WEBSEARCH_NEW_TAB).c_str());
  CheckRadioButton(hwnd_, IDC_WS_MODE_REPLACE, IDC_WS_MODE_NEW, value == 0 ? IDC_WS_MODE_REPLACE : IDC_WS_MODE_NEW);
}

bool CTranslateWebSearchPage::Apply() {
  sa::Require(settings_.Get());
  sa::WriteNumber(*settings_.Get(), L"WebSearchMode",
                  IsDlgButtonChecked(hwnd_, IDC_WS_MODE_REPLACE) == BST_CHECKED ? 0 : 1);
  return true;
}
