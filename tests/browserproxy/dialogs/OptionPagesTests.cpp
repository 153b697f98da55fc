// The option pages: each control edited through the frame, the values in the
// registry after the browser object saved them, and the pages showing them
// again; settings of the wrong type read as defaults.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "FrameRun.h"
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/settings/TranslateSelOptionPage.h"

namespace dialogstest {
namespace {

void MoveTrackbar(HWND page, int id, int position) {
  HWND bar = GetDlgItem(page, id);
  SendMessageW(bar, TBM_SETPOS, TRUE, position);
  SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(bar));
}

int TrackPos(HWND page, int id) { return static_cast<int>(SendMessageW(GetDlgItem(page, id), TBM_GETPOS, 0, 0)); }

// Clicks a radio button of the pages: it is checked, the others of its group
// unchecked, and its page told.
void Choose(HWND page, int id) {
  static const std::vector<std::vector<int>> kGroups = {
      {IDC_PAGE_MODE_REPLACE, IDC_PAGE_MODE_TAB, IDC_PAGE_MODE_WINDOW},
      {IDC_SEL_MODE_ADD, IDC_SEL_MODE_REPLACE, IDC_SEL_MODE_PANE},
      {IDC_WP_ALWAYS, IDC_WP_SHIFT},
      {IDC_WP_SEL_ALWAYS, IDC_WP_SEL_CTRL},
      {IDC_WS_MODE_REPLACE, IDC_WS_MODE_NEW},
  };
  for (const auto& group : kGroups) {
    if (std::find(group.begin(), group.end(), id) == group.end()) continue;
    for (int other : group)
      SendMessageW(GetDlgItem(page, other), BM_SETCHECK, other == id ? BST_CHECKED : BST_UNCHECKED, 0);
    ClickButton(page, id);
    return;
  }
  ADD_FAILURE() << "no radio group holds " << id;
}

// The DWORDs a browser's key holds after a save.
struct Stored {
  const wchar_t* name;
  DWORD value;
};

void ExpectStored(const std::wstring& key, std::initializer_list<Stored> values) {
  for (const Stored& v : values) EXPECT_EQ(v.value, RegDword(key, v.name)) << testing::PrintToString(std::wstring(v.name));
}

class OptionPages : public FrameTest {};

TEST_F(OptionPages, EveryPageOfChromeWritesItsControlsAndShowsThemAgain) {
  bool noteShown = true, syncShown = true, newTabText = false;
  bool allMenuChecked = false, applyEnabled = false;
  {
    Browser browser = MakeBrowser(EPBT_CROME);
    HRESULT hr = RunFrame(browser, [&](HWND frame) {
      HWND list = GetDlgItem(frame, IDC_PAGE_LIST);
      // Page translation: new window, sync scroll off.
      SelectListRow(list, 1);
      HWND page = PageWith(frame, IDC_PAGE_MODE_TAB);
      syncShown = IsShown(page, IDC_PAGE_SYNC_SCROLL);
      Choose(page, IDC_PAGE_MODE_WINDOW);
      ClickCheck(page, IDC_PAGE_SYNC_SCROLL);
      // Selection: replace, background colour off.
      SelectListRow(list, 2);
      page = PageWith(frame, IDC_SEL_MODE_ADD);
      Choose(page, IDC_SEL_MODE_REPLACE);
      ClickCheck(page, IDC_SEL_REPLACE_BG_ON);
      // Word popup: with Shift, Ctrl for selections, delay 0.3 s, 700 characters.
      SelectListRow(list, 3);
      page = PageWith(frame, IDC_WP_USE);
      Choose(page, IDC_WP_SHIFT);
      Choose(page, IDC_WP_SEL_CTRL);
      MoveTrackbar(page, IDC_WP_DELAY, 3);
      MoveTrackbar(page, IDC_WP_AMOUNT, 7);
      // Web search: new tab.
      SelectListRow(list, 4);
      page = PageWith(frame, IDC_WS_MODE_NEW);
      newTabText = TextOf(GetDlgItem(page, IDC_WS_MODE_NEW)) == L"Display search results in a new tab";
      Choose(page, IDC_WS_MODE_NEW);
      // Context menu: hide the AOT command.
      SelectListRow(list, 6);
      page = PageWith(frame, IDC_CM_AOT);
      noteShown = IsShown(page, IDC_CM_IE_NOTE);
      allMenuChecked = IsChecked(page, IDC_CM_SELECTED) && IsChecked(page, IDC_CM_PAGE) &&
                       IsChecked(page, IDC_CM_WEBSEARCH) && IsChecked(page, IDC_CM_SETTINGS) && IsChecked(page, IDC_CM_AOT);
      ClickCheck(page, IDC_CM_AOT);
      applyEnabled = IsEnabled(frame, IDC_APPLY);
      PostClick(frame, IDOK);
    });
    EXPECT_EQ(S_OK, hr);
  }  // the browser object goes: its settings are saved
  EXPECT_FALSE(syncShown) << "Chrome hides the sync-scroll box";
  EXPECT_FALSE(noteShown) << "the Internet Explorer note";
  EXPECT_TRUE(newTabText);
  EXPECT_TRUE(allMenuChecked) << "absent switches show checked";
  EXPECT_TRUE(applyEnabled);

  const std::wstring key = BrowserKey(L"Chrome");
  ExpectStored(key, {{L"PageTranslateMode", 2},        {L"PageTranslateSyncScroll", 0}, {L"SelectionTranslateMode", 1},
                     {L"AddColorRGB", 0xACFFAC},       {L"AddBGColorRGB", 0x6200},       {L"ReplaceColorRGB", 0xBF0000},
                     {L"ReplaceBGColorRGB", 0xFFFFFFFF}, {L"TranslateWordPopupMode", 1},  {L"UseTranslateWordPopup", 1},
                     {L"TranslateCtrl", 1},            {L"PopupWordDelay", 300},         {L"LimitedTextAmount", 700},
                     {L"WebSearchMode", 1},            {L"ShowTranslateSelectedItem", 1}, {L"ShowAotItem", 0},
                     {L"UseSmartUrl", 0}});
  EXPECT_EQ(1u, RegDword(key, L"TranslateWordPopupKey")) << "kept as a DWORD";

  // A new browser object reads them back; the pages show them.
  Browser again = MakeBrowser(EPBT_CROME);
  bool windowMode = false, replaceMode = false, replaceBgOff = false, replaceBgButtonOff = false, shift = false,
       ctrl = false, newWindow = false, aotOff = false;
  int delay = -1, amount = -1;
  RunFrame(again, [&](HWND frame) {
    HWND page = PageWith(frame, IDC_PAGE_MODE_TAB);
    windowMode = IsChecked(page, IDC_PAGE_MODE_WINDOW);
    page = PageWith(frame, IDC_SEL_MODE_ADD);
    replaceMode = IsChecked(page, IDC_SEL_MODE_REPLACE);
    replaceBgOff = !IsChecked(page, IDC_SEL_REPLACE_BG_ON);
    replaceBgButtonOff = !IsEnabled(page, IDC_SEL_REPLACE_BG);
    page = PageWith(frame, IDC_WP_USE);
    shift = IsChecked(page, IDC_WP_SHIFT);
    ctrl = IsChecked(page, IDC_WP_SEL_CTRL);
    delay = TrackPos(page, IDC_WP_DELAY);
    amount = TrackPos(page, IDC_WP_AMOUNT);
    newWindow = IsChecked(PageWith(frame, IDC_WS_MODE_NEW), IDC_WS_MODE_NEW);
    aotOff = !IsChecked(PageWith(frame, IDC_CM_AOT), IDC_CM_AOT);
    PostClick(frame, IDCANCEL);
  });
  EXPECT_TRUE(windowMode);
  EXPECT_TRUE(replaceMode);
  EXPECT_TRUE(replaceBgOff);
  EXPECT_TRUE(replaceBgButtonOff);
  EXPECT_TRUE(shift);
  EXPECT_TRUE(ctrl);
  EXPECT_EQ(3, delay);
  EXPECT_EQ(7, amount);
  EXPECT_TRUE(newWindow);
  EXPECT_TRUE(aotOff);
}

TEST_F(OptionPages, InternetExplorerPageTranslationShowsTwoRadiosAndKeepsAStoredNewTab) {
  testsupport::SetRegDword(HKEY_CURRENT_USER, BrowserKey(L"IE"), L"PageTranslateMode", 0);
  Browser browser = MakeBrowser(EPBT_IE);
  bool tabHidden = false, tabChecked = false, noteShown = false;
  RECT windowRadio{}, tabRadioOld{};
  RunFrame(browser, [&](HWND frame) {
    HWND page = PageWith(frame, IDC_PAGE_MODE_TAB);
    tabHidden = !IsShown(page, IDC_PAGE_MODE_TAB);
    tabChecked = IsChecked(page, IDC_PAGE_MODE_TAB);
    GetWindowRect(GetDlgItem(page, IDC_PAGE_MODE_WINDOW), &windowRadio);
    GetWindowRect(GetDlgItem(page, IDC_PAGE_MODE_TAB), &tabRadioOld);
    noteShown = IsShown(PageWith(frame, IDC_CM_IE_NOTE), IDC_CM_IE_NOTE);
    // Apply without a change writes nothing new; OK with a change writes mode 0 again.
    ClickCheck(PageWith(frame, IDC_CM_AOT), IDC_CM_AOT);
    PostClick(frame, IDOK);
  });
  EXPECT_TRUE(tabHidden);
  EXPECT_TRUE(tabChecked);
  EXPECT_TRUE(noteShown);
  EXPECT_EQ(tabRadioOld.top, windowRadio.top) << "the window radio takes the tab radio's place";
  EXPECT_EQ(0u, RegDword(BrowserKey(L"IE"), L"PageTranslateMode"));
}

TEST_F(OptionPages, SettingsOfTheWrongRegistryTypeReadAsDefaults) {
  const std::wstring key = BrowserKey(L"Chrome");
  testsupport::SetRegString(HKEY_CURRENT_USER, key, L"PopupWordDelay", L"fast");
  testsupport::SetRegString(HKEY_CURRENT_USER, key, L"LimitedTextAmount", L"lots");
  testsupport::SetRegString(HKEY_CURRENT_USER, key, L"UseTranslateWordPopup", L"1");
  testsupport::SetRegString(HKEY_CURRENT_USER, key, L"PageTranslateMode", L"2");
  testsupport::SetRegString(HKEY_CURRENT_USER, key, L"ShowAotItem", L"0");
  testsupport::SetRegString(HKEY_CURRENT_USER, key, L"AddColorRGB", L"red");
  Browser browser = MakeBrowser(EPBT_CROME);
  int delay = -1, amount = -1;
  bool use = false, replace = false, aot = false, addColor = false;
  RunFrame(browser, [&](HWND frame) {
    HWND page = PageWith(frame, IDC_WP_USE);
    delay = TrackPos(page, IDC_WP_DELAY);
    amount = TrackPos(page, IDC_WP_AMOUNT);
    use = IsChecked(page, IDC_WP_USE);
    replace = IsChecked(PageWith(frame, IDC_PAGE_MODE_TAB), IDC_PAGE_MODE_REPLACE);
    aot = IsChecked(PageWith(frame, IDC_CM_AOT), IDC_CM_AOT);
    addColor = IsChecked(PageWith(frame, IDC_SEL_ADD_COLOR_ON), IDC_SEL_ADD_COLOR_ON);
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ(5, delay) << "500 ms";
  EXPECT_EQ(1, amount) << "100 characters";
  EXPECT_TRUE(use);
  EXPECT_TRUE(replace) << "a page mode that is not a number counts as 1";
  EXPECT_TRUE(aot);
  EXPECT_TRUE(addColor);
}

TEST_F(OptionPages, CancelAfterApplyKeepsWhatApplyWroteAndOkWithoutChangeWritesNothing) {
  Browser browser = MakeBrowser(EPBT_FF);
  bool applyAfterApply = true;
  RunFrame(browser, [&](HWND frame) {
    HWND page = PageWith(frame, IDC_WS_MODE_NEW);
    Choose(page, IDC_WS_MODE_NEW);
    ClickButton(frame, IDC_APPLY);
    applyAfterApply = IsEnabled(frame, IDC_APPLY);
    Choose(page, IDC_WS_MODE_REPLACE);
    PostClick(frame, IDCANCEL);
  });
  EXPECT_FALSE(applyAfterApply);
  EXPECT_EQ(1u, RegDword(BrowserKey(L"FireFox"), L"WebSearchMode"));

  // A delay of 550 shows position 5 and is written back as 500 only when applied.
  testsupport::SetRegDword(HKEY_CURRENT_USER, BrowserKey(L"IE"), L"PopupWordDelay", 550);
  Browser ie = MakeBrowser(EPBT_IE);
  int position = -1;
  RunFrame(ie, [&](HWND frame) {
    position = TrackPos(PageWith(frame, IDC_WP_DELAY), IDC_WP_DELAY);
    PostClick(frame, IDOK);
  });
  EXPECT_EQ(5, position);
  EXPECT_EQ(550u, RegDword(BrowserKey(L"IE"), L"PopupWordDelay")) << "nothing applied";
}

TEST_F(OptionPages, WordPopupSwitchedOffDisablesItsControlsAndClickingBackClearsModified) {
  Browser browser = MakeBrowser(EPBT_FF);
  bool delayEnabled = true, shiftEnabled = true, applyOff = false, applyBack = true;
  RunFrame(browser, [&](HWND frame) {
    HWND page = PageWith(frame, IDC_WP_USE);
    ClickCheck(page, IDC_WP_USE);
    delayEnabled = IsEnabled(page, IDC_WP_DELAY);
    shiftEnabled = IsEnabled(page, IDC_WP_SHIFT);
    applyOff = IsEnabled(frame, IDC_APPLY);
    ClickCheck(page, IDC_WP_USE);
    applyBack = IsEnabled(frame, IDC_APPLY);
    PostClick(frame, IDOK);
  });
  EXPECT_FALSE(delayEnabled);
  EXPECT_FALSE(shiftEnabled);
  EXPECT_TRUE(applyOff);
  EXPECT_FALSE(applyBack) << "back to the stored state";
  // OK still applied: the frame was modified.
  EXPECT_EQ(1u, RegDword(BrowserKey(L"FireFox"), L"UseTranslateWordPopup"));
  EXPECT_EQ(0xDEADBEEFu, RegDword(BrowserKey(L"FireFox"), L"TranslateWordPopupKey")) << "mode Always writes no key";
}

TEST_F(OptionPages, APageTellsItsOwnFrameEvenWhenAnotherWindowIsInFront) {
  Browser browser = MakeBrowser(EPBT_FF);
  bool applyEnabled = false;
  RunFrame(browser, [&](HWND frame) {
    FrontWindow other;  // another window takes the foreground
    HWND page = PageWith(frame, IDC_WS_MODE_NEW);
    Choose(page, IDC_WS_MODE_NEW);
    applyEnabled = IsEnabled(frame, IDC_APPLY);
    PostClick(frame, IDCANCEL);
  });
  EXPECT_TRUE(applyEnabled);
}

TEST_F(OptionPages, SelectionColoursSwitchBackToTheirDefaultsAndTheColourDialogKeepsItsChoice) {
  Browser browser = MakeBrowser(EPBT_CROME);
  // The colour dialog answers OK with the colour it was opened with.
  testsupport::DialogWatcher colours;
  colours.OnWindow(L"Color", L"#32770", [](HWND dialog) { testsupport::DialogWatcher::PressButton(dialog, IDOK); });
  bool buttonOff = true, paneDisables = false;
  RunFrame(browser, [&](HWND frame) {
    HWND page = PageWith(frame, IDC_SEL_ADD_COLOR_ON);
    ClickCheck(page, IDC_SEL_ADD_COLOR_ON);  // off: -1
    buttonOff = !IsEnabled(page, IDC_SEL_ADD_COLOR);
    ClickCheck(page, IDC_SEL_ADD_COLOR_ON);  // on: the default again
    Choose(page, IDC_SEL_MODE_PANE);
    paneDisables = !IsEnabled(page, IDC_SEL_ADD_COLOR_ON) && !IsEnabled(page, IDC_SEL_REPLACE_COLOR);
    PostClick(frame, IDOK);
  });
  EXPECT_TRUE(buttonOff);
  EXPECT_TRUE(paneDisables);
  EXPECT_EQ(0xACFFACu, RegDword(BrowserKey(L"Chrome"), L"AddColorRGB"));
  EXPECT_EQ(2u, RegDword(BrowserKey(L"Chrome"), L"SelectionTranslateMode"));
}

}  // namespace
}  // namespace dialogstest
