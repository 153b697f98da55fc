#include "browserproxy/ui/settings/TranslatePageOptionPage.h"

#include "browserproxy/res/resource.h"
#include "browserproxy/ui/settings/SettingAccess.h"

namespace sa = settingaccess;

namespace {

// A control's window rectangle relative to the page's window rectangle.
RECT RectInPage(HWND page, HWND control) {
  RECT pageRect{}, rect{};
  GetWindowRect(page, &pageRect);
  GetWindowRect(control, &rect);
  OffsetRect(&rect, -pageRect.left, -pageRect.top);
  return rect;
}

}  // namespace

CTranslatePageOptionPage::CTranslatePageOptionPage(INorvaBrowserClass* settings)
    : settings_(platform::ComPtr<INorvaBrowserClass>::Share(settings)) {
  Messages().On(WM_INITDIALOG, [this](platform::Message&) -> LRESULT {
    Fill();
    return TRUE;
  });
  for (UINT id : {IDC_PAGE_MODE_REPLACE, IDC_PAGE_MODE_TAB, IDC_PAGE_MODE_WINDOW}) {
    Messages().OnCommand(id, BN_CLICKED, [this](platform::Message&) -> LRESULT {
      OnModeClicked();
      return 0;
    });
  }
}

BOOL CTranslatePageOptionPage::Destroy() {
  settings_.Reset();
  return Dialog::Destroy();
}

void CTranslatePageOptionPage::Fill() {
  sa::Require(settings_.Get());
  platform::Variant mode = sa::Read(*settings_.Get(), L"PageTranslateMode");
  ENorvaBrowserType type = EPBT_OPERA;
  settings_->get_BrowserType(&type);
  platform::Variant sync = sa::Read(*settings_.Get(), L"PageTranslateSyncScroll");
  // Never stored: the missing marker, whose value field is non-zero, counts as on.
  const VARIANT& s = sync.Get();
  const bool syncOn = s.vt == VT_ERROR ? s.scode != 0 : sa::IntegerOf(s).value_or(1) != 0;
  CheckDlgButton(hwnd_, IDC_PAGE_SYNC_SCROLL, syncOn ? BST_CHECKED : BST_UNCHECKED);

  HWND tab = Item(IDC_PAGE_MODE_TAB), window = Item(IDC_PAGE_MODE_WINDOW), box = Item(IDC_PAGE_SYNC_SCROLL);
  if (type == EPBT_OPERA || type == EPBT_CROME) {
    ShowWindow(box, SW_HIDE);
  } else if (type == EPBT_IE) {
    RECT tabRect = RectInPage(hwnd_, tab), windowRect = RectInPage(hwnd_, window), boxRect = RectInPage(hwnd_, box);
    ShowWindow(tab, SW_HIDE);
    // The rectangles are relative to the page's window; the page has no frame, so they are client positions.
    MoveWindow(window, tabRect.left, tabRect.top, tabRect.right - tabRect.left, tabRect.bottom - tabRect.top, TRUE);
    MoveWindow(box, boxRect.left, windowRect.top, boxRect.right - boxRect.left, boxRect.bottom - boxRect.top, TRUE);
  }
  const uint32_t value = mode.Type() == VT_UI4 ? mode.Get().ulVal : 1;
  const UINT checked = value == 0 ? IDC_PAGE_MODE_TAB : value == 1 ? IDC_PAGE_MODE_REPLACE : IDC_PAGE_MODE_WINDOW;
  CheckRadioButton(hwnd_, IDC_PAGE_MODE_REPLACE, IDC_PAGE_MODE_WINDOW, checked);
  EnableWindow(box, checked == IDC_PAGE_MODE_WINDOW);
}

void CTranslatePageOptionPage::OnModeClicked() {
  SetModified(true);
  EnableWindow(Item(IDC_PAGE_SYNC_SCROLL), IsDlgButtonChecked(hwnd_, IDC_PAGE_MODE_WINDOW) == BST_CHECKED);
}

bool CTranslatePageOptionPage::Apply() {
  sa::Require(settings_.Get());
  uint32_t mode = 1;
  if (IsDlgButtonChecked(hwnd_, IDC_PAGE_MODE_TAB) == BST_CHECKED) mode = 0;
  else if (IsDlgButtonChecked(hwnd_, IDC_PAGE_MODE_WINDOW) == BST_CHECKED) mode = 2;
  sa::WriteNumber(*settings_.Get(), L"PageTranslateMode", mode);
  sa::WriteNumber(*settings_.Get(), L"PageTranslateSyncScroll",
                  IsDlgButtonChecked(hwnd_, IDC_PAGE_SYNC_SCROLL) == BST_CHECKED ? 1 : 0);
  return true;
}
