// The SmartURL page against the stand-in store, and the browser object's
// page information answered from the same store.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "FrameRun.h"
#include "browserproxy/ui/DialogsResources.h"
#include "platform/com/Bstr.h"
#include "platform/com/SafeArray.h"

namespace dialogstest {
namespace {

using platform::Bstr;
using platform::Variant;

constexpr wchar_t kFirefoxTitle[] = L"NORVA for Mozilla FireFox";
constexpr int kSmartUrlRow = 4;  // Firefox's list

// Types an address into a new row as the user does: Add, the text, Enter.
void AddAddress(HWND page, const std::wstring& address) {
  ClickButton(page, IDC_SU_ADD);
  HWND list = GetDlgItem(page, IDC_SU_LIST);
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0));
  if (!edit) return;
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
}

class SmartUrlPage : public FrameTest {
 protected:
  void UseSmartUrl() {
    testsupport::SetRegDword(HKEY_CURRENT_USER, BrowserKey(L"FireFox"), L"UseSmartUrl", 1);
  }
  // Opens Firefox's frame on the SmartURL page; the script gets the page and the frame.
  HRESULT OnPage(Browser& browser, std::function<void(HWND page, HWND frame)> script) {
    return RunFrame(browser, [&](HWND frame) { script(PageWith(frame, IDC_SU_LIST), frame); }, kSmartUrlRow);
  }
  static std::vector<std::wstring> Rows(HWND page) { return ListRows(GetDlgItem(page, IDC_SU_LIST)); }
};

TEST_F(SmartUrlPage, SwitchedOffLeavesEverythingButTheSwitchDisabled) {
  Browser browser = MakeBrowser(EPBT_FF);
  bool before = true, listOn = false, itemOn = true, recursiveModified = true;
  OnPage(browser, [&](HWND page, HWND frame) {
    before = IsChecked(page, IDC_SU_USE) || IsEnabled(page, IDC_SU_RECURSIVE) || IsEnabled(page, IDC_SU_LIST) ||
             IsEnabled(page, IDC_SU_ADD) || IsEnabled(page, IDC_SU_DAYS);
    ClickCheck(page, IDC_SU_USE);
    listOn = IsEnabled(page, IDC_SU_RECURSIVE) && IsEnabled(page, IDC_SU_DAYS) &&
             IsEnabled(page, IDC_SU_DAYS_LABEL) && IsEnabled(page, IDC_SU_LIST) && IsEnabled(page, IDC_SU_ADD);
    itemOn = IsEnabled(page, IDC_SU_DELETE) || IsEnabled(page, IDC_SU_DELETE_ALL) ||
             IsEnabled(page, IDC_SU_DIRECTION) || IsEnabled(page, IDC_SU_TEMPLATE);
    ClickButton(frame, IDC_APPLY);
    ClickCheck(page, IDC_SU_RECURSIVE);
    recursiveModified = IsEnabled(frame, IDC_APPLY);
    PostClick(frame, IDCANCEL);
  });
  EXPECT_FALSE(before);
  EXPECT_TRUE(listOn);
  EXPECT_FALSE(itemOn) << "nothing listed";
  EXPECT_FALSE(recursiveModified);
  EXPECT_EQ(1u, RegDword(BrowserKey(L"FireFox"), L"UseSmartUrl"));
}

TEST_F(SmartUrlPage, ListsTheStoreAndShowsTheChoiceOfTheSelectedAddress) {
  UseSmartUrl();
  SeedUrls({{L"http://a.example/(#frag)", 0x00010002, L"Business"}, {L"http://b.example/", 0x00040001, L"Science"}});
  Browser browser = MakeBrowser(EPBT_FF);
  std::vector<std::wstring> rows;
  int direction0 = -1, template0 = -1, direction1 = -1, template1 = -1;
  bool deleteOn = false;
  OnPage(browser, [&](HWND page, HWND frame) {
    rows = Rows(page);
    direction0 = ComboSelection(GetDlgItem(page, IDC_SU_DIRECTION));
    template0 = ComboSelection(GetDlgItem(page, IDC_SU_TEMPLATE));
    deleteOn = IsEnabled(page, IDC_SU_DELETE);
    SelectListRow(GetDlgItem(page, IDC_SU_LIST), 1);
    direction1 = ComboSelection(GetDlgItem(page, IDC_SU_DIRECTION));
    template1 = ComboSelection(GetDlgItem(page, IDC_SU_TEMPLATE));
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ((std::vector<std::wstring>{L"http://a.example/", L"http://b.example/"}), rows);
  EXPECT_EQ(1, direction0);
  EXPECT_EQ(1, template0) << "Business";
  EXPECT_EQ(2, direction1);
  EXPECT_EQ(1, template1) << "Science";
  EXPECT_TRUE(deleteOn);
}

TEST_F(SmartUrlPage, AddEditDeleteReachTheStoreOnApplyAndPageInformationAnswersFromIt) {
  UseSmartUrl();
  SeedUrls({{L"http://a.example/(#frag)", 0x00010002, L"Business"}, {L"http://b.example/", 0x00040001, L"Science"}});
  Browser browser = MakeBrowser(EPBT_FF);
  const std::wstring longAddress = L"http://long.example/" + std::wstring(400, L'p');
  std::vector<StoredUrl> beforeApply;
  OnPage(browser, [&](HWND page, HWND frame) {
    AddAddress(page, L"http://new.example/");
    AddAddress(page, longAddress);
    // Edit b's choice: English-Russian, Medical.
    SelectListRow(GetDlgItem(page, IDC_SU_LIST), 1);
    SelectComboRow(page, IDC_SU_DIRECTION, 0);
    SelectComboRow(page, IDC_SU_TEMPLATE, 2);
    // Delete a (its row shows only the part before "(#").
    SelectListRow(GetDlgItem(page, IDC_SU_LIST), 0);
    ClickButton(page, IDC_SU_DELETE);
    beforeApply = StoredUrls();
    PostClick(frame, IDOK);
  });
  EXPECT_EQ(2u, beforeApply.size()) << "nothing reaches the store before Apply";
  auto stored = StoredUrls();
  ASSERT_EQ(3u, stored.size());
  EXPECT_EQ(L"http://b.example/", stored[0].url);
  EXPECT_EQ(0x00020001, stored[0].dirId);
  EXPECT_EQ(L"Medical", stored[0].templateName);
  EXPECT_EQ(longAddress, stored[1].url) << "the whole address, however long";
  EXPECT_EQ(L"http://new.example/", stored[2].url);
  EXPECT_EQ(0x00020001, stored[2].dirId) << "the active direction";
  EXPECT_EQ(L"General", stored[2].templateName);

  Variant answer;
  ASSERT_EQ(S_OK, browser->GetPageInformation(Bstr(L"http://b.example/").Get(), Bstr(L"text").Get(), answer.Receive()));
  ASSERT_EQ(VT_ARRAY | VT_VARIANT, answer.Type());
  VARIANT* values = nullptr;
  ASSERT_EQ(S_OK, SafeArrayAccessData(answer.Get().parray, reinterpret_cast<void**>(&values)));
  EXPECT_EQ(VT_I4, values[0].vt);
  EXPECT_EQ(0x00020001, values[0].lVal);
  EXPECT_EQ(std::wstring(L"Medical"), std::wstring(values[1].bstrVal));
  SafeArrayUnaccessData(answer.Get().parray);
}

TEST_F(SmartUrlPage, DuplicatesOfAnyRowAndEmptyAddressesAreRefused) {
  UseSmartUrl();
  SeedUrls({{L"http://a.example/", 0x00010002, L"Business"}, {L"http://b.example/", 0x00040001, L"Science"}});
  Browser browser = MakeBrowser(EPBT_FF);
  std::vector<std::wstring> afterDuplicate, afterEmpty;
  int selectedAfterDuplicate = -1;
  bool modified = true;
  OnPage(browser, [&](HWND page, HWND frame) {
    AddAddress(page, L"HTTP://A.EXAMPLE/");
    afterDuplicate = Rows(page);
    selectedAfterDuplicate = SelectedListRow(GetDlgItem(page, IDC_SU_LIST));
    AddAddress(page, L"");
    afterEmpty = Rows(page);
    modified = IsEnabled(frame, IDC_APPLY);
    PostClick(frame, IDOK);
  });
  EXPECT_EQ((std::vector<std::wstring>{L"http://a.example/", L"http://b.example/"}), afterDuplicate)
      << "a duplicate of row 0 is found too";
  EXPECT_EQ(0, selectedAfterDuplicate);
  EXPECT_EQ(afterDuplicate, afterEmpty);
  EXPECT_FALSE(modified);
  EXPECT_EQ(2u, StoredUrls().size());
}

TEST_F(SmartUrlPage, DeleteThenCancelLeavesTheStoreAndDeleteAllActsAtOnce) {
  UseSmartUrl();
  SeedUrls({{L"http://a.example/", 0x00010002, L"Business"}, {L"http://b.example/", 0x00040001, L"Science"}});
  Browser browser = MakeBrowser(EPBT_FF);
  {
    testsupport::DialogWatcher no;
    no.Press(kFirefoxTitle, IDNO);
    OnPage(browser, [&](HWND page, HWND frame) {
      ClickButton(page, IDC_SU_DELETE);
      ClickButton(page, IDC_SU_DELETE_ALL);  // answered No
      PostClick(frame, IDCANCEL);
    });
  }
  EXPECT_EQ(2u, StoredUrls().size());

  testsupport::DialogWatcher yes;
  yes.Press(kFirefoxTitle, IDYES);
  bool itemsOff = false;
  std::vector<std::wstring> rows{L"x"};
  Browser again = MakeBrowser(EPBT_FF);
  OnPage(again, [&](HWND page, HWND frame) {
    ClickButton(page, IDC_SU_DELETE_ALL);
    rows = Rows(page);
    itemsOff = !IsEnabled(page, IDC_SU_DELETE) && !IsEnabled(page, IDC_SU_DIRECTION);
    PostClick(frame, IDCANCEL);
  });
  EXPECT_TRUE(rows.empty());
  EXPECT_TRUE(itemsOff);
  EXPECT_TRUE(StoredUrls().empty()) << "Cancel does not bring the entries back";
}

struct DaysCase {
  const wchar_t* typed;
  bool accepted;
};

class SmartUrlDays : public SmartUrlPage, public testing::WithParamInterface<DaysCase> {};

TEST_P(SmartUrlDays, OnlyOneTo999IsAccepted) {
  const DaysCase c = GetParam();
  UseSmartUrl();
  testsupport::SetRegDword(HKEY_CURRENT_USER, kSmartUrlKey, L"Days", 30);
  Browser browser = MakeBrowser(EPBT_FF);
  int messages = 0;
  boxes_.OnWindow(kFirefoxTitle, L"#32770", [&](HWND box) {
    ++messages;
    testsupport::DialogWatcher::PressButton(box, IDOK);
  });
  std::wstring shown;
  OnPage(browser, [&](HWND page, HWND frame) {
    SetDlgItemTextW(page, IDC_SU_DAYS, c.typed);
    shown = TextOf(GetDlgItem(page, IDC_SU_DAYS));
    PostClick(frame, IDOK);
  });
  EXPECT_EQ(c.accepted ? 0 : 1, messages) << c.typed;
  EXPECT_EQ(c.accepted ? std::wstring(c.typed) : L"30", shown) << c.typed;
  EXPECT_EQ(c.accepted ? std::stoul(c.typed) : 30ul, RegDword(kSmartUrlKey, L"Days")) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(Typed, SmartUrlDays,
                         testing::Values(DaysCase{L"0", false}, DaysCase{L"1000", false}, DaysCase{L"", false},
                                         DaysCase{L"4294967297", false}, DaysCase{L"1", true},
                                         DaysCase{L"999", true}));

TEST_F(SmartUrlPage, AStoredDaysOfZeroOpensWithoutAMessage) {
  UseSmartUrl();
  testsupport::SetRegDword(HKEY_CURRENT_USER, kSmartUrlKey, L"Days", 0);
  Browser browser = MakeBrowser(EPBT_FF);
  std::wstring shown;
  OnPage(browser, [&](HWND page, HWND frame) {
    shown = TextOf(GetDlgItem(page, IDC_SU_DAYS));
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ(L"0", shown);
  EXPECT_FALSE(boxes_.WaitSeen(kFirefoxTitle, 100));
}

TEST_F(SmartUrlPage, WithoutTheStoreClassThePageIsLeftOut) {
  ASSERT_EQ(S_OK, CallSmartUrlEntry("DllUnregisterServer"));
  Browser browser = MakeBrowser(EPBT_FF);
  std::vector<std::wstring> rows;
  RunFrame(browser, [&](HWND frame) {
    rows = ListRows(GetDlgItem(frame, IDC_PAGE_LIST));
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ((std::vector<std::wstring>{L"Translation Options", L"Page Translation", L"Immediate Translation",
                                       L"Search Query Translation"}),
            rows);
  UseSmartUrl();
  Variant answer;
  EXPECT_EQ(S_OK, browser->GetPageInformation(Bstr(L"http://x/").Get(), Bstr(L"text").Get(), answer.Receive()))
      << "falls back to page detection";
  EXPECT_EQ(S_OK, CallSmartUrlEntry("DllRegisterServer"));
}

TEST_F(SmartUrlPage, AFailingStoreReportsItsPageAndKeepsTheFrameOpen) {
  UseSmartUrl();
  Browser browser = MakeBrowser(EPBT_FF);
  testsupport::SetRegDword(HKEY_CURRENT_USER, kSmartUrlKey, L"FailWrites", static_cast<DWORD>(E_ACCESSDENIED));
  std::wstring reported;
  boxes_.OnWindow(L"Customize SmartURL", L"#32770", [&](HWND box) {
    for (auto& t : testsupport::DialogWatcher::ControlTexts(box)) reported += t;
    testsupport::DialogWatcher::PressButton(box, IDOK);
  });
  HRESULT hr = OnPage(browser, [&](HWND page, HWND frame) {
    AddAddress(page, L"http://new.example/");
    PostClick(frame, IDOK);
    boxes_.WaitSeen(L"Customize SmartURL", 5000);
    PostClick(frame, IDCANCEL);
  });
  EXPECT_EQ(S_FALSE, hr);
  EXPECT_NE(std::wstring::npos, reported.find(L"could not be saved")) << reported;
}

}  // namespace
}  // namespace dialogstest
