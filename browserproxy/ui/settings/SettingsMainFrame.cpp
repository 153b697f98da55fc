#include "browserproxy/ui/settings/SettingsMainFrame.h"

#include <commctrl.h>

#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/settings/ContextMenuOptionPage.h"
#include "browserproxy/ui/settings/SmartURLOptionPage.h"
#include "browserproxy/ui/settings/TranslateDirectionPage.h"
#include "browserproxy/ui/settings/TranslatePageOptionPage.h"
#include "browserproxy/ui/settings/TranslateSelOptionPage.h"
#include "browserproxy/ui/settings/TranslateWebSearchPage.h"
#include "browserproxy/ui/settings/TranslateWordPopup.h"
#include "platform/win/ResourceInstance.h"

CSettingsMainFrame::CSettingsMainFrame(INorvaBrowserClass* settings, DWORD pageMask, int iconId,
                                       std::wstring title)
    : Dialog(IDD_SETTINGS_FRAME),
      settings_(platform::ComPtr<INorvaBrowserClass>::Share(settings)),
      borrowed_(settings),
      pageMask_(pageMask),
      title_(std::move(title)) {
  // Icons come from the program itself, never from the language library.
  icon_.Reset(static_cast<HICON>(LoadImageW(platform::ModuleInstance(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE)));
  Messages().On(WM_INITDIALOG, [this](platform::Message& m) -> LRESULT {
    OnInitDialog(static_cast<int>(m.lParam));
    return TRUE;
  });
  Messages().On(WM_PAGE_MODIFIED, [this](platform::Message& m) -> LRESULT {
    OnPageModified(m.wParam);
    return 0;
  });
  Messages().OnCommand(IDOK, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    // Pages that could not be saved keep the frame open: nothing is dropped silently.
    if (pages_ && modified_ && !ApplyPages()) return 0;
    ClosePages(false);
    EndDialog(IDOK);
    return 0;
  });
  Messages().OnCommand(IDCANCEL, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    ClosePages(false);
    EndDialog(IDCANCEL);
    return 0;
  });
  Messages().OnNotify(IDC_PAGE_LIST, LVN_ITEMCHANGED, [this](platform::Message& m) -> LRESULT {
    OnPageSelected(m.Notification());
    return 0;
  });
  Messages().OnCommand(IDC_ABOUT, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    OnAbout();
    return 0;
  });
  Messages().OnCommand(IDC_APPLY, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    if (pages_ && ApplyPages()) {
      modified_ = false;
      EnableWindow(Item(IDC_APPLY), FALSE);
    }
    return 0;
  });
}

CSettingsMainFrame::~CSettingsMainFrame() { pages_.reset(); }

INT_PTR CSettingsMainFrame::Run(HWND parent, int startPage) {
  static const bool controls = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)controls;
  return DoModal(parent, static_cast<LPARAM>(startPage));
}

void CSettingsMainFrame::AddPages() {
  LONG disabled = 1;
  if (!borrowed_ || FAILED(borrowed_->get_IsDisable(&disabled)) || disabled != 0) return;
  INorvaBrowserClass* s = borrowed_;
  if (pageMask_ & kDirectionPage) pages_->AddPage(std::make_unique<CTranslateDirectionPage>(s));
  if (pageMask_ & kPageTranslationPage) pages_->AddPage(std::make_unique<CTranslatePageOptionPage>(s));
  if (pageMask_ & kSelectionPage) pages_->AddPage(std::make_unique<CTranslateSelOptionPage>(s));
  if (pageMask_ & kWordPopupPage) pages_->AddPage(std::make_unique<CTranslateWordPopup>(s));
  if (pageMask_ & kWebSearchPage) pages_->AddPage(std::make_unique<CTranslateWebSearchPage>(s));
  if (pageMask_ & kSmartUrlPage) pages_->AddPage(std::make_unique<CSmartURLOptionPage>(s));
  if (pageMask_ & kContextMenuPage) pages_->AddPage(std::make_unique<CContextMenuOptionPage>(s));
}

void CSettingsMainFrame::OnInitDialog(int startPage) {
  EnableWindow(Item(IDC_APPLY), FALSE);
  HWND list = Item(IDC_PAGE_LIST);
  pages_ = std::make_unique<CSettingsPageList>(Item(IDC_PAGE_AREA), list);
  AddPages();
  pages_->SelectPageItem();
  if (startPage >= 0 && static_cast<size_t>(startPage) < pages_->Count()) {
    ListView_SetItemState(list, startPage, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  SetFocus(list);
  if (icon_) {
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
  }
}

void CSettingsMainFrame::OnPageModified(WPARAM flag) {
  EnableWindow(Item(IDC_APPLY), flag ? TRUE : FALSE);
  modified_ = true;
}

void CSettingsMainFrame::OnPageSelected(NMHDR* header) {
  auto* change = reinterpret_cast<NMLISTVIEW*>(header);
  if (!pages_ || !change) return;
  // Only a row that became selected chooses the page shown.
  if (!(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_SELECTED) ||
      (change->uOldState & LVIS_SELECTED))
    return;
  pages_->SelectPage(change->iItem < 0 ? 0 : change->iItem);
}

void CSettingsMainFrame::OnAbout() {
  if (settings_) settings_->ShowAboutDlg();
}

bool CSettingsMainFrame::ApplyPages() {
  std::wstring title;
  HRESULT failure = S_OK;
  if (pages_->ApplyAllPages(&title, &failure)) return true;
  ReportSettingsPageError(hwnd_, title, failure, IDS_SETTINGS_NOT_SAVED);
  return false;
}

void CSettingsMainFrame::ClosePages(bool apply) {
  if (pages_) {
    if (apply && modified_) pages_->ApplyAllPages();
    pages_->DestroyAllPages();
    pages_.reset();
  }
  settings_.Reset();
}
