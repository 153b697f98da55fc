#include "browserproxy/ui/settings/ContextMenuOptionPage.h"

#include "browserproxy/ui/settings/SettingAccess.h"

namespace sa = settingaccess;

namespace {

struct MenuSwitch {
  UINT box;
  const wchar_t* setting;
};

constexpr MenuSwitch kSwitches[] = {
    {IDC_CM_SELECTED, L"ShowTranslateSelectedItem"}, {IDC_CM_PAGE, L"ShowTranslatePageItem"},
    {IDC_CM_WEBSEARCH, L"ShowTranslateWSItem"},      {IDC_CM_SETTINGS, L"ShowTranslateSettingsItem"},
    {IDC_CM_AOT, L"ShowAotItem"},
};

}  // namespace

CContextMenuOptionPage::CContextMenuOptionPage(INorvaBrowserClass* settings)
    : settings_(platform::ComPtr<INorvaBrowserClass>::Share(settings)) {
  Messages().On(WM_INITDIALOG, [this](platform::Message&) -> LRESULT {
    Fill();
    return TRUE;
  });
  for (const MenuSwitch& s : kSwitches) {
    Messages().OnCommand(s.box, BN_CLICKED, [this](platform::Message&) -> LRESULT {
      SetModified(true);
      return 0;
    });
  }
}

BOOL CContextMenuOptionPage::Destroy() {
  settings_.Reset();
  return Dialog::Destroy();
}

void CContextMenuOptionPage::Fill() {
  sa::Require(settings_.Get());
  platform::Variant shown = platform::Variant::FromInt32(1);
  for (const MenuSwitch& s : kSwitches) {
    platform::Variant value = sa::Read(*settings_.Get(), s.setting, false, &shown.Get());
    // An absent setting, or one of a type that holds no number, shows the command.
    const uint32_t on = sa::IntegerOf(value.Get()).value_or(1);
    CheckDlgButton(hwnd_, s.box, on == 1 ? BST_CHECKED : BST_UNCHECKED);
  }
  ENorvaBrowserType type = EPBT_OPERA;
  settings_->get_BrowserType(&type);
  if (type != EPBT_IE) ShowWindow(Item(IDC_CM_IE_NOTE), SW_HIDE);
}

bool CContextMenuOptionPage::Apply() {
  sa::Require(settings_.Get());
  for (const MenuSwitch& s : kSwitches)
    sa::WriteNumber(*settings_.Get(), s.setting, IsDlgButtonChecked(hwnd_, s.box) == BST_CHECKED ? 1 : 0);
  return true;
}
