#pragma once
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "RegistrySandbox.h"
#include "TestConnector.h"
#include "browserproxy/core/NorvaBrowserClass.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"

namespace dialogstest {

inline constexpr const wchar_t* kBrowsersKey = L"Software\\Norvasoft\\NRVA9\\Browsers";
inline constexpr const wchar_t* kOptionsTitle = L"Options";

using Browser = platform::ComPtr<platform::ComObject<CNorvaBrowserClass>>;

// A browser object of this process over the test connector (with three
// templates for English-Russian, a page detection that answers
// Russian-English, file jobs and the engine services), with an empty
// settings tree and the common controls the dialogs use.
class DialogsTest : public testing::Test {
 protected:
  DialogsTest();
  // An initialised browser object of that type.
  Browser MakeBrowser(ENorvaBrowserType type);
  static std::wstring BrowserKey(const wchar_t* name) { return std::wstring(kBrowsersKey) + L"\\" + name; }

  platform::ComApartment apartment_;
  testsupport::ScopedFixedKey browsers_{HKEY_CURRENT_USER, kBrowsersKey};
  ScopedTestConnector connector_;
};

// The DWORD of a registry value, or 0xDEADBEEF when it is missing or of another type.
DWORD RegDword(const std::wstring& key, const wchar_t* name);

// What a user does with the controls of a dialog, from the watcher's thread.
HWND Control(HWND dialog, int id);
std::wstring TextOf(HWND window);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsShown(HWND dialog, int id);
// Toggles an automatic check box and tells its dialog, as a click does.
void ClickCheck(HWND dialog, int id);
// Checks one radio button of the group and unchecks the others, then tells its dialog.
void ClickRadio(HWND dialog, int id, std::initializer_list<int> group);
// A push button's click (its notification, sent).
void ClickButton(HWND dialog, int id);
// The same, posted: for buttons whose handler opens a modal window.
void PostClick(HWND dialog, int id);

// The settings frame's parts.
std::vector<std::wstring> ListRows(HWND list);
void SelectListRow(HWND list, int row);
int SelectedListRow(HWND list);
// The option page shown in the frame now, or null.
HWND ShownPage(HWND frame);
// Every option page of the frame, in creation order.
std::vector<HWND> Pages(HWND frame);

// List-box and combo-box contents.
std::vector<std::wstring> ListBoxRows(HWND list);
int ListBoxSelection(HWND list);
void SelectListBoxRow(HWND dialog, int id, int row);
std::vector<std::wstring> ComboRows(HWND combo);
int ComboSelection(HWND combo);
void SelectComboRow(HWND dialog, int id, int row);

// A visible top-level window of this process, in front, as a browser's would be.
class FrontWindow {
 public:
  FrontWindow();
  ~FrontWindow();
  HWND Get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

}  // namespace dialogstest
