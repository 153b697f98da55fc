#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "browserproxy/ui/settings/ContainerPage.h"

// The pages of the settings frame, in list order: each page window is a
// child of the frame's page area, each page one row of the frame's list.
class CSettingsPageList {
 public:
  CSettingsPageList(HWND pageArea, HWND listView);
  ~CSettingsPageList();
  CSettingsPageList(const CSettingsPageList&) = delete;
  CSettingsPageList& operator=(const CSettingsPageList&) = delete;

  // Creates the page and appends its row; false when the page raised an
  // error (it then gets no row and is dropped).
  bool AddPage(std::unique_ptr<IContainerPage> page);
  void SelectPageItem();
  // Shows the page at index and hides the others; false when a page raised.
  bool SelectPage(int index);
  // Applies every page in order; stops at the first page that raises, whose
  // title and error are then given back.
  bool ApplyAllPages(std::wstring* failedTitle = nullptr, HRESULT* failure = nullptr);
  void DestroyAllPages();

  size_t Count() const { return pages_.size(); }
  IContainerPage* Page(size_t index) const { return index < pages_.size() ? pages_[index].get() : nullptr; }

 private:
  void InitPageListView();

  std::vector<std::unique_ptr<IContainerPage>> pages_;
  HWND pageArea_;
  HWND listView_;
};
