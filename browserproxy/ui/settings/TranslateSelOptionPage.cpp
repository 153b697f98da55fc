#include "browserproxy/ui/settings/TranslateSelOptionPage.h"

#include <commdlg.h>

#include "browserproxy/res/resource.h"
#include "browserproxy/ui/settings/SettingAccess.h"
#include "platform/base/Handles.h"

namespace sa = settingaccess;

const CTranslateSelOptionPage::Slot CTranslateSelOptionPage::kSlots[4] = {
    {IDC_SEL_ADD_COLOR_ON, IDC_SEL_ADD_COLOR, L"AddColorRGB", 0xACFFAC},
    {IDC_SEL_ADD_BG_ON, IDC_SEL_ADD_BG, L"AddBGColorRGB", 0x6200},
    {IDC_SEL_REPLACE_COLOR_ON, IDC_SEL_REPLACE_COLOR, L"ReplaceColorRGB", 0xBF0000},
    {IDC_SEL_REPLACE_BG_ON, IDC_SEL_REPLACE_BG, L"ReplaceBGColorRGB", 0xFFBBDD},
};

COLORREF* CTranslateSelOptionPage::CustomColors() {
  static COLORREF custom[16] = {};
  return custom;
}

CTranslateSelOptionPage::CTranslateSelOptionPage(INorvaBrowserClass* settings)
    : settings_(platform::ComPtr<INorvaBrowserClass>::Share(settings)) {
  for (int i = 0; i < 4; ++i) colors_[i] = kSlots[i].initial;
  Messages().On(WM_INITDIALOG, [this](platform::Message&) -> LRESULT {
    Fill();
    return TRUE;
  });
  Messages().On(WM_DRAWITEM, [this](platform::Message& m) -> LRESULT {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
    for (const Slot& slot : kSlots) {
      if (item && item->CtlID == slot.button) {
        DrawColorButton(*item);
        return TRUE;
      }
    }
    m.handled = false;
    return 0;
  });
  for (int i = 0; i < 4; ++i) {
    Messages().OnCommand(kSlots[i].button, BN_CLICKED, [this, i](platform::Message&) -> LRESULT {
      OnChooseColor(i);
      return 0;
    });
    Messages().OnCommand(kSlots[i].box, BN_CLICKED, [this, i](platform::Message&) -> LRESULT {
      OnColorSwitched(i);
      return 0;
    });
  }
  for (UINT id : {IDC_SEL_MODE_ADD, IDC_SEL_MODE_REPLACE, IDC_SEL_MODE_PANE}) {
    Messages().OnCommand(id, BN_CLICKED, [this, id](platform::Message&) -> LRESULT {
      ApplyEnableRule(id);
      SetModified(true);
      return 0;
    });
  }
}

BOOL CTranslateSelOptionPage::Destroy() {
  settings_.Reset();
  return Dialog::Destroy();
}

void CTranslateSelOptionPage::Fill() {
  sa::Require(settings_.Get());
  for (int i = 0; i < 4; ++i) {
    platform::Variant value = sa::Read(*settings_.Get(), kSlots[i].setting);
    if (value.Type() == VT_UI4) colors_[i] = value.Get().ulVal;
    if (colors_[i] == kNoColor)
      EnableWindow(Item(kSlots[i].button), FALSE);
    else
      CheckDlgButton(hwnd_, kSlots[i].box, BST_CHECKED);
  }
  platform::Variant mode = sa::Read(*settings_.Get(), L"SelectionTranslateMode");
  mode_ = mode.Type() == VT_UI4 ? mode.Get().ulVal : 0;
  const UINT radio = mode_ == 0 ? IDC_SEL_MODE_ADD : mode_ == 1 ? IDC_SEL_MODE_REPLACE : IDC_SEL_MODE_PANE;
  CheckDlgButton(hwnd_, radio, BST_CHECKED);
  ApplyEnableRule(radio);
}

UINT CTranslateSelOptionPage::CheckedRadio() const {
  if (IsDlgButtonChecked(hwnd_, IDC_SEL_MODE_ADD) == BST_CHECKED) return IDC_SEL_MODE_ADD;
  if (IsDlgButtonChecked(hwnd_, IDC_SEL_MODE_REPLACE) == BST_CHECKED) return IDC_SEL_MODE_REPLACE;
  return IDC_SEL_MODE_PANE;
}

void CTranslateSelOptionPage::ApplyEnableRule(UINT radio) {
  mode_ = radio == IDC_SEL_MODE_ADD ? 0 : radio == IDC_SEL_MODE_REPLACE ? 1 : 2;
  auto checked = [this](UINT id) { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; };
  const bool add = radio == IDC_SEL_MODE_ADD, replace = radio == IDC_SEL_MODE_REPLACE;
  EnableWindow(Item(IDC_SEL_ADD_COLOR_ON), add);
  EnableWindow(Item(IDC_SEL_ADD_BG_ON), add);
  EnableWindow(Item(IDC_SEL_ADD_COLOR), add && checked(IDC_SEL_ADD_COLOR_ON));
  EnableWindow(Item(IDC_SEL_ADD_BG), add && checked(IDC_SEL_ADD_BG_ON));
  EnableWindow(Item(IDC_SEL_REPLACE_COLOR_ON), replace);
  EnableWindow(Item(IDC_SEL_REPLACE_BG_ON), replace);
  EnableWindow(Item(IDC_SEL_REPLACE_COLOR), replace && checked(IDC_SEL_REPLACE_COLOR_ON));
  EnableWindow(Item(IDC_SEL_REPLACE_BG), replace && checked(IDC_SEL_REPLACE_BG_ON));
  for (const Slot& slot : kSlots) InvalidateRect(Item(slot.button), nullptr, TRUE);
}

void CTranslateSelOptionPage::OnColorSwitched(int slot) {
  const bool on = IsDlgButtonChecked(hwnd_, kSlots[slot].box) == BST_CHECKED;
  colors_[slot] = on ? kSlots[slot].initial : kNoColor;
  EnableWindow(Item(kSlots[slot].button), on);
  InvalidateRect(Item(kSlots[slot].button), nullptr, TRUE);
  SetModified(true);
}

void CTranslateSelOptionPage::OnChooseColor(int slot) {
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = hwnd_;
  choose.rgbResult = colors_[slot];
  choose.lpCustColors = CustomColors();
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (ChooseColorW(&choose)) {
    colors_[slot] = choose.rgbResult;
    InvalidateRect(Item(kSlots[slot].button), nullptr, TRUE);
  }
  SetModified(true);
}

void CTranslateSelOptionPage::DrawColorButton(const DRAWITEMSTRUCT& item) {
  int slot = 0;
  while (slot < 3 && kSlots[slot].button != item.CtlID) ++slot;
  RECT rect = item.rcItem;
  DrawFrameControl(item.hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
  InflateRect(&rect, -2, -2);
  HWND box = Item(kSlots[slot].box);
  const bool colored = IsDlgButtonChecked(hwnd_, kSlots[slot].box) == BST_CHECKED && IsWindowEnabled(box) &&
                       colors_[slot] != kNoColor;
  platform::UniqueBrush brush(CreateSolidBrush(colored ? colors_[slot] : GetBkColor(item.hDC)));
  FillRect(item.hDC, &rect, brush.Get());
}

bool CTranslateSelOptionPage::Apply() {
  sa::Require(settings_.Get());
  sa::WriteNumber(*settings_.Get(), L"SelectionTranslateMode", mode_);
  for (int i = 0; i < 4; ++i) sa::WriteNumber(*settings_.Get(), kSlots[i].setting, colors_[i]);
  return true;
}
