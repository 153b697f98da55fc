#include "browserproxy/ui/settings/SettingsPageList.h"

#include <commctrl.h>

namespace {

HRESULT CurrentError() {
  try {
    throw;
  } catch (const platform::ComError& e) {
    return e.Result();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace

CSettingsPageList::CSettingsPageList(HWND pageArea, HWND listView) : pageArea_(pageArea), listView_(listView) {
  InitPageListView();
}

CSettingsPageList::~CSettingsPageList() { DestroyAllPages(); }

void CSettingsPageList::InitPageListView() {
  if (!listView_) return;
  LONG_PTR style = GetWindowLongPtrW(listView_, GWL_STYLE);
  SetWindowLongPtrW(listView_, GWL_STYLE, style | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
  ListView_SetExtendedListViewStyle(listView_, LVS_EX_FULLROWSELECT);
  RECT client{};
  GetClientRect(listView_, &client);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = LVCFMT_LEFT;
  column.cx = client.right - client.left - 3;
  wchar_t caption[] = L"Page";
  column.pszText = caption;
  ListView_InsertColumn(listView_, 0, &column);
}

bool CSettingsPageList::AddPage(std::unique_ptr<IContainerPage> page) {
  if (!page) return false;
  try {
    page->Create(pageArea_);  // a page whose window was not made still gets its row
    std::wstring title = page->GetTitle();
    const int row = static_cast<int>(pages_.size());
    pages_.push_back(std::move(page));
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = title.data();
    ListView_InsertItem(listView_, &item);
    return true;
  } catch (...) {
    try {
      if (page) page->Destroy();
    } catch (...) {
    }
    return false;
  }
}

void CSettingsPageList::SelectPageItem() {
  if (listView_ && !pages_.empty()) ListView_SetItemState(listView_, 0, LVIS_SELECTED, LVIS_SELECTED);
}

bool CSettingsPageList::SelectPage(int index) {
  try {
    for (size_t i = 0; i < pages_.size(); ++i)
      pages_[i]->Show(static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    return true;
  } catch (...) {
    return false;
  }
}

bool CSettingsPageList::ApplyAllPages(std::wstring* failedTitle, HRESULT* failure) {
  for (auto& page : pages_) {
    try {
      page->Apply();
    } catch (...) {
      HRESULT hr = CurrentError();
      if (failure) *failure = hr;
      if (failedTitle) {
        try {
          *failedTitle = page->GetTitle();
        } catch (...) {
        }
      }
      return false;
    }
  }
  return true;
}

void CSettingsPageList::DestroyAllPages() {
  for (auto& page : pages_) {
    try {
      page->Destroy();
    } catch (...) {
    }
  }
  pages_.clear();
}
