#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "NorvaSmartUrl.h"
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/settings/ContainerPage.h"
#include "platform/com/ComPtr.h"

// A change of one remembered address that Apply writes to the store.
struct SmartUrlPendingEntry {
  long directionId = 0;
  std::wstring templateName;
  long deleted = 0;  // 1: remove the address from the store
};

// The page of the SmartURL feature: switches it on and off, edits the
// store's options and its remembered addresses. The addresses are read on a
// worker thread of the page's own while the frame opens, and listed when the
// page is first shown; edits wait in the pending changes until Apply.
class CSmartURLOptionPage : public CContainerPageBaseImpl<CSmartURLOptionPage, IDS_PAGE_TITLE_SMARTURL> {
 public:
  static constexpr UINT IDD = IDD_PAGE_SMARTURL;

  explicit CSmartURLOptionPage(INorvaBrowserClass* settings);
  ~CSmartURLOptionPage() override;

  BOOL Show(int command) override;
  bool Apply() override;
  BOOL Destroy() override;

  const std::map<std::wstring, SmartUrlPendingEntry>& Pending() const { return pending_; }

 private:
  struct Loader;

  void OnInitDialog();
  void StartLoader();
  // Waits for the reading thread (dispatching messages) and lists what it read.
  void FillList();
  void WaitForLoader(DWORD timeoutMs);
  void OnUseSmartUrlClicked();
  void OnDaysChanged();
  void OnUrlSelected(NMHDR* header);
  void OnAdd();
  LRESULT OnEndLabelEdit(NMHDR* header);
  void OnDelete();
  void OnDeleteAll();
  void OnDirectionChanged();
  void OnTemplateChanged();

  void EnableSmartUrlControls(bool on);
  void EnableUrlItemControls(bool on);
  int GetSelectedRow() const;
  // The full address the row stands for; empty for a row being added.
  std::wstring RowAddress(int row) const;
  std::wstring GetSelectedUrl() const;
  int InsertRow(int index, const std::wstring& address);
  void DeleteRow(int row);
  void SelectRow(int row);
  void FillTemplateCombo(unsigned long direction);
  // Selects the direction and template shown for an address.
  void ShowChoice(long directionId, const std::wstring& templateName);
  void UpdatePending(const std::wstring& address, long directionId, const std::wstring& templateName,
                     bool keepTemplateOnly);
  ISmartUrlStore& Store();
  INorvaBrowserClass& Settings();

  INorvaBrowserClass* settings_;  // borrowed from the frame
  std::wstring daysText_;
  platform::ComPtr<ISmartUrlStore> store_;
  HWND list_ = nullptr;
  std::unique_ptr<Loader> loader_;
  std::map<std::wstring, SmartUrlPendingEntry> pending_;
  // The full address of each row, by the row's item data.
  std::map<LPARAM, std::wstring> rowAddress_;
  LPARAM nextRowId_ = 1;
  bool filling_ = false;
};
