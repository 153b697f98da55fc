// The settings frame: the pages each browser gets, switching, Apply, OK,
// Cancel and About, with the browser object behind them.
#include <gtest/gtest.h>

#include "FrameRun.h"
#include "browserproxy/ui/DialogsResources.h"

namespace dialogstest {
namespace {

using platform::Variant;

struct BrowserPages {
  ENorvaBrowserType type;
  const wchar_t* key;
  std::vector<std::wstring> rows;
};

const std::vector<std::wstring> kAllPages = {L"Translation Options", L"Page Translation", L"Selected Text Translation",
                                             L"Immediate Translation", L"Search Query Translation",
                                             L"Customize SmartURL", L"Context Menu"};

class FramePages : public FrameTest, public testing::WithParamInterface<BrowserPages> {};

TEST_P(FramePages, ListsThePagesOfTheBrowsersMaskAndShowsOneAtATime) {
  const BrowserPages p = GetParam();
  Browser browser = MakeBrowser(p.type);
  std::vector<std::wstring> rows;
  std::vector<std::wstring> shownTitles;
  int visibleCounts = 0;
  bool applyEnabled = true;
  HRESULT hr = RunFrame(browser, [&](HWND frame) {
    HWND list = GetDlgItem(frame, IDC_PAGE_LIST);
    rows = ListRows(list);
    applyEnabled = IsEnabled(frame, IDC_APPLY);
    for (int row = static_cast<int>(rows.size()) - 1; row >= 0; --row) {
      SelectListRow(list, row);
      int visible = 0;
      for (HWND page : Pages(frame)) visible += (GetWindowLongPtrW(page, GWL_STYLE) & WS_VISIBLE) ? 1 : 0;
      visibleCounts += visible == 1 ? 1 : 0;
    }
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ(S_FALSE, hr) << "Cancel";
  EXPECT_EQ(p.rows, rows);
  EXPECT_EQ(static_cast<int>(p.rows.size()), visibleCounts) << "exactly one page visible after each selection";
  EXPECT_FALSE(applyEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Browsers, FramePages,
    testing::Values(BrowserPages{EPBT_OPERA, L"Opera", {L"Translation Options"}},
                    BrowserPages{EPBT_CROME, L"Chrome", kAllPages},
                    BrowserPages{EPBT_FF,
                                 L"FireFox",
                                 {L"Translation Options", L"Page Translation", L"Immediate Translation",
                                  L"Search Query Translation", L"Customize SmartURL"}},
                    BrowserPages{EPBT_IE, L"IE", kAllPages}));

TEST_F(FrameTest, TheStartPageCountsRowsOfThisBrowser) {
  Browser firefox = MakeBrowser(EPBT_FF);
  bool wordPopupShown = false;
  int selected = -1;
  RunFrame(firefox, [&](HWND frame) {
    HWND shown = ShownPage(frame);
    wordPopupShown = shown && GetDlgItem(shown, IDC_WP_USE);
    selected = SelectedListRow(GetDlgItem(frame, IDC_PAGE_LIST));
    PostClick(frame, IDCANCEL);
  }, 2);
  EXPECT_TRUE(wordPopupShown);
  EXPECT_EQ(2, selected);

  Browser opera = MakeBrowser(EPBT_OPERA);
  bool directionShown = false;
  RunFrame(opera, [&](HWND frame) {
    HWND shown = ShownPage(frame);
    directionShown = shown && GetDlgItem(shown, IDC_DIRECTION_LIST);
    selected = SelectedListRow(GetDlgItem(frame, IDC_PAGE_LIST));
    PostClick(frame, IDCANCEL);
  }, 2);
  EXPECT_TRUE(directionShown);
  EXPECT_EQ(0, selected);
}

TEST_F(FrameTest, ADisabledBrowserOpensAnEmptyFrame) {
  Browser browser = MakeBrowser(EPBT_CROME);
  connector_.State().disabled = true;
  size_t rows = 99;
  HRESULT hr = RunFrame(browser, [&](HWND frame) {
    rows = ListRows(GetDlgItem(frame, IDC_PAGE_LIST)).size();
    PostClick(frame, IDOK);
  });
  EXPECT_EQ(S_OK, hr);
  EXPECT_EQ(0u, rows);
}

TEST_F(FrameTest, AboutCallsTheBrowsersAboutOncePerClickAndTheFrameStays) {
  Browser browser = MakeBrowser(EPBT_IE);
  HRESULT hr = RunFrame(browser, [&](HWND frame) {
    ClickButton(frame, IDC_ABOUT);
    ClickButton(frame, IDC_ABOUT);
    PostClick(frame, IDOK);
  });
  EXPECT_EQ(S_OK, hr);
  EXPECT_EQ(2, connector_.CountOf("ShowAbout 210"));
}

TEST_F(FrameTest, DirectionPageSetsTheActiveDirectionAndTemplate) {
  Browser browser = MakeBrowser(EPBT_OPERA);
  std::vector<std::wstring> directions, templatesOfSecond;
  bool applyAfterChange = false, applyAfterReturn = true, applyAfterSecondChange = false;
  int templateRowOnReturn = -1;
  HRESULT hr = RunFrame(browser, [&](HWND frame) {
    HWND page = ShownPage(frame);
    directions = ListBoxRows(GetDlgItem(page, IDC_DIRECTION_LIST));
    SelectListBoxRow(page, IDC_DIRECTION_LIST, 1);
    applyAfterChange = IsEnabled(frame, IDC_APPLY);
    SelectListBoxRow(page, IDC_DIRECTION_LIST, 0);
    applyAfterReturn = IsEnabled(frame, IDC_APPLY);
    templateRowOnReturn = ListBoxSelection(GetDlgItem(page, IDC_TEMPLATE_LIST));
    SelectListBoxRow(page, IDC_DIRECTION_LIST, 2);
    templatesOfSecond = ListBoxRows(GetDlgItem(page, IDC_TEMPLATE_LIST));
    SelectListBoxRow(page, IDC_TEMPLATE_LIST, 1);
    applyAfterSecondChange = IsEnabled(frame, IDC_APPLY);
    PostClick(frame, IDOK);
  });
  EXPECT_EQ(S_OK, hr);
  EXPECT_EQ((std::vector<std::wstring>{L"English-Russian", L"Russian-English", L"English-German"}), directions);
  EXPECT_TRUE(applyAfterChange);
  EXPECT_FALSE(applyAfterReturn) << "back on the shown direction";
  EXPECT_EQ(0, templateRowOnReturn) << "the active template General";
  EXPECT_EQ((std::vector<std::wstring>{L"General", L"Science"}), templatesOfSecond);
  EXPECT_TRUE(applyAfterSecondChange);
  EXPECT_EQ(2u, connector_.State().activeIndex);
  EXPECT_EQ(L"Science", connector_.State().activeTemplate);
  EXPECT_EQ(0x00040001u, RegDword(BrowserKey(L"Opera"), L"lastDirID"));
}

TEST_F(FrameTest, AnActiveTemplateShownInItsRowAndAMissingOneSelectsRowZero) {
  connector_.State().activeTemplate = L"Medical";
  Browser browser = MakeBrowser(EPBT_OPERA);
  int row = -1;
  RunFrame(browser, [&](HWND frame) {
    row = ListBoxSelection(GetDlgItem(ShownPage(frame), IDC_TEMPLATE_LIST));
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ(2, row);
  connector_.State().activeTemplate = L"Nowhere";
  RunFrame(browser, [&](HWND frame) {
    row = ListBoxSelection(GetDlgItem(ShownPage(frame), IDC_TEMPLATE_LIST));
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ(0, row);
}

TEST_F(FrameTest, LongTemplateNamesAreSetWholeAndWidenTheList) {
  const std::wstring longName = L"Profile " + std::wstring(300, L'x');
  connector_.State().directions[1].templates.push_back(longName);
  Browser browser = MakeBrowser(EPBT_OPERA);
  LRESULT extent = 0;
  RunFrame(browser, [&](HWND frame) {
    HWND page = ShownPage(frame);
    SelectListBoxRow(page, IDC_DIRECTION_LIST, 1);
    SelectListBoxRow(page, IDC_TEMPLATE_LIST, 2);
    extent = SendMessageW(GetDlgItem(page, IDC_TEMPLATE_LIST), LB_GETHORIZONTALEXTENT, 0, 0);
    PostClick(frame, IDOK);
  });
  EXPECT_GT(extent, 300);
  EXPECT_EQ(longName, connector_.State().activeTemplate) << "no cut at 260 characters";
}

// A template the engine refuses is an error of the direction page: the
// frame reports it by the page's name and stays open, and the pages after
// it are not applied.
TEST_F(FrameTest, ARefusedTemplateIsReportedByThePageAndTheFrameStaysOpen) {
  Browser browser = MakeBrowser(EPBT_FF);
  connector_.State().refuseTemplate = E_INVALIDARG;
  std::wstring reported;
  boxes_.OnWindow(L"Translation Options", L"#32770", [&](HWND box) {
    for (auto& t : testsupport::DialogWatcher::ControlTexts(box)) reported += t + L"|";
    testsupport::DialogWatcher::PressButton(box, IDOK);
  });
  bool openAfterOk = false;
  HRESULT hr = RunFrame(browser, [&](HWND frame) {
    HWND page = ShownPage(frame);
    SelectListBoxRow(page, IDC_TEMPLATE_LIST, 2);
    HWND search = PageWith(frame, IDC_WS_MODE_NEW);
    ClickRadio(search, IDC_WS_MODE_NEW, {IDC_WS_MODE_REPLACE, IDC_WS_MODE_NEW});
    PostClick(frame, IDOK);
    boxes_.WaitSeen(L"Translation Options", 5000);
    Sleep(200);
    openAfterOk = IsWindow(frame) && IsWindowVisible(frame);
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ(S_FALSE, hr) << "ended by Cancel, not as if saved";
  EXPECT_TRUE(openAfterOk);
  EXPECT_NE(std::wstring::npos, reported.find(L"could not be saved")) << reported;
  EXPECT_EQ(L"General", connector_.State().activeTemplate);
  EXPECT_EQ(0xDEADBEEFu, RegDword(BrowserKey(L"FireFox"), L"WebSearchMode")) << "the page after it was not applied";
}

TEST_F(FrameTest, AFailedApplyIsReportedAndOkKeepsTheFrameOpen) {
  Browser browser = MakeBrowser(EPBT_FF);
  // The store refuses every change: the SmartURL page cannot be saved.
  testsupport::SetRegDword(HKEY_CURRENT_USER, kSmartUrlKey, L"FailWrites", static_cast<DWORD>(E_ACCESSDENIED));
  std::wstring reported;
  boxes_.OnWindow(L"Customize SmartURL", L"#32770", [&](HWND box) {
    for (auto& t : testsupport::DialogWatcher::ControlTexts(box)) reported += t + L"|";
    testsupport::DialogWatcher::PressButton(box, IDOK);
  });
  bool openAfterOk = false;
  HRESULT hr = RunFrame(browser, [&](HWND frame) {
    HWND page = PageWith(frame, IDC_WS_MODE_NEW);
    ClickRadio(page, IDC_WS_MODE_NEW, {IDC_WS_MODE_REPLACE, IDC_WS_MODE_NEW});
    PostClick(frame, IDOK);
    boxes_.WaitSeen(L"Customize SmartURL", 5000);
    Sleep(200);
    openAfterOk = IsWindow(frame) && IsWindowVisible(frame);
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ(S_FALSE, hr) << "ended by Cancel, not as if saved";
  EXPECT_TRUE(openAfterOk);
  EXPECT_NE(std::wstring::npos, reported.find(L"could not be saved")) << reported;
  EXPECT_EQ(1u, RegDword(BrowserKey(L"FireFox"), L"WebSearchMode")) << "pages before the failing one stay written";
}

}  // namespace
}  // namespace dialogstest
