#include "DialogsTestSupport.h"

#include <cstring>

namespace dialogstest {

DialogsTest::DialogsTest() {
  TestConnectorState& state = connector_.State();
  state.directions = {
      {0x00020001, L"English-Russian", {L"General", L"Computer", L"Medical"}},
      {0x00010002, L"Russian-English", {L"General", L"Business"}},
      {0x00040001, L"English-German", {L"General", L"Science"}},
  };
  state.pageDirection = 0x00010002;
  state.fileJobResult = true;
  state.hasAot = state.hasWebSearch = state.hasDesktop = true;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

Browser DialogsTest::MakeBrowser(ENorvaBrowserType type) {
  Browser browser = platform::MakeComObject<CNorvaBrowserClass>();
  EXPECT_EQ(S_OK, browser->Initialize(type, nullptr, 0));
  return browser;
}

DWORD RegDword(const std::wstring& key, const wchar_t* name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!testsupport::GetRegValue(HKEY_CURRENT_USER, key, name, &type, &data) || type != REG_DWORD || data.size() != 4)
    return 0xDEADBEEF;
  DWORD value = 0;
  memcpy(&value, data.data(), 4);
  return value;
}

HWND Control(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::wstring TextOf(HWND window) {
  wchar_t buffer[2048] = {};
  SendMessageW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

bool IsChecked(HWND dialog, int id) { return SendMessageW(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(Control(dialog, id)) != FALSE; }
bool IsShown(HWND dialog, int id) {
  return (GetWindowLongPtrW(Control(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void ClickCheck(HWND dialog, int id) {
  HWND box = Control(dialog, id);
  const bool checked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  SendMessageW(box, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
}

void ClickRadio(HWND dialog, int id, std::initializer_list<int> group) {
  for (int other : group) SendMessageW(Control(dialog, other), BM_SETCHECK, other == id ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(dialog, id)));
}

void ClickButton(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(dialog, id)));
}

void PostClick(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(dialog, id)));
}

std::vector<std::wstring> ListRows(HWND list) {
  std::vector<std::wstring> rows;
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[1024] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = 1024;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    rows.push_back(buffer);
  }
  return rows;
}

void SelectListRow(HWND list, int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int SelectedListRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<HWND> Pages(HWND frame) {
  std::vector<HWND> pages;
  HWND area = GetDlgItem(frame, 225);
  for (HWND child = GetWindow(area, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    if (wcscmp(cls, L"#32770") == 0) pages.push_back(child);
  }
  // Z order lists the newest child first.
  return std::vector<HWND>(pages.rbegin(), pages.rend());
}

HWND ShownPage(HWND frame) {
  for (HWND page : Pages(frame))
    if (GetWindowLongPtrW(page, GWL_STYLE) & WS_VISIBLE) return page;
  return nullptr;
}

std::vector<std::wstring> ListBoxRows(HWND list) {
  std::vector<std::wstring> rows;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    rows.push_back(text);
  }
  return rows;
}

int ListBoxSelection(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

void SelectListBoxRow(HWND dialog, int id, int row) {
  SendMessageW(Control(dialog, id), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(dialog, id)));
}

std::vector<std::wstring> ComboRows(HWND combo) {
  std::vector<std::wstring> rows;
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    rows.push_back(text);
  }
  return rows;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

void SelectComboRow(HWND dialog, int id, int row) {
  SendMessageW(Control(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(dialog, id)));
}

FrontWindow::FrontWindow() {
  hwnd_ = CreateWindowExW(0, L"STATIC", L"browser", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                          nullptr, nullptr, nullptr);
  SetForegroundWindow(hwnd_);
}

FrontWindow::~FrontWindow() { DestroyWindow(hwnd_); }

}  // namespace dialogstest
