#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "TessivaLib.h"
#include "browserproxy/ui/settings/SettingsPageList.h"
#include "platform/base/Handles.h"
#include "platform/com/ComPtr.h"
#include "platform/win/Dialog.h"

// The modal "Options" window of one browser: the option pages its mask
// allows, listed on the left, the selected one shown on the right, with
// Apply, OK, Cancel and About. Pages reach the browser's settings only
// through the settings interface the frame hands them.
class CSettingsMainFrame : public platform::Dialog {
 public:
  // Page mask bits, one per option page.
  static constexpr DWORD kDirectionPage = 0x01;
  static constexpr DWORD kPageTranslationPage = 0x02;
  static constexpr DWORD kSelectionPage = 0x04;
  static constexpr DWORD kWebSearchPage = 0x08;
  static constexpr DWORD kSmartUrlPage = 0x10;
  static constexpr DWORD kContextMenuPage = 0x20;
  static constexpr DWORD kWordPopupPage = 0x40;

  CSettingsMainFrame(INorvaBrowserClass* settings, DWORD pageMask, int iconId, std::wstring title);
  ~CSettingsMainFrame() override;

  // Runs the frame modally over parent, opening the row startPage; IDOK or
  // IDCANCEL (-1 when the window could not be made).
  INT_PTR Run(HWND parent, int startPage);

  CSettingsPageList* Pages() const { return pages_.get(); }
  bool Modified() const { return modified_; }

 private:
  void OnInitDialog(int startPage);
  void OnPageModified(WPARAM flag);
  void OnPageSelected(NMHDR* header);
  void OnAbout();
  // Applies every page; reports a page that failed. True when all were saved.
  bool ApplyPages();
  void ClosePages(bool apply);
  void AddPages();

  std::unique_ptr<CSettingsPageList> pages_;
  platform::ComPtr<INorvaBrowserClass> settings_;
  INorvaBrowserClass* borrowed_;
  DWORD pageMask_;
  platform::UniqueIcon icon_;
  std::wstring title_;
  bool modified_ = false;
};
