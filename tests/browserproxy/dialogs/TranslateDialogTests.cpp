// The translation dialog, opened by the browser object for a selected text.
#include <gtest/gtest.h>
#include <richedit.h>

#include <vector>

#include "DialogsTestSupport.h"
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/TranslateDlg.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"
#include "shared/TempFiles.h"

namespace dialogstest {
namespace {

using platform::Bstr;
using platform::Variant;

constexpr wchar_t kTranslationTitle[] = L"Selected Text Translation";

struct SeenDialog {
  std::wstring text;
  RECT window{};
  RECT client{};
  bool readOnly = false;
  HWND hwnd = nullptr;
};

class TranslateDialog : public DialogsTest {
 protected:
  // Opens the dialog for the text at the packed point and closes it with Esc.
  HRESULT Open(const wchar_t* text, LONG point, SeenDialog& seen) {
    watcher_.OnWindow(kTranslationTitle, L"#32770", [&seen](HWND dialog) {
      seen.hwnd = dialog;
      HWND edit = GetDlgItem(dialog, IDC_TRANSLATION_TEXT);
      seen.text = TextOf(edit);
      seen.readOnly = (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0;
      GetWindowRect(dialog, &seen.window);
      GetClientRect(dialog, &seen.client);
      testsupport::DialogWatcher::PressButton(dialog, IDCANCEL);
    });
    return browser_->TranslateTextDlg(Bstr(text).Get(), point, Variant::Missing().Get(), Variant::FromInt32(0).Get(),
                                      Variant::Missing().Get());
  }

  Browser browser_ = MakeBrowser(EPBT_FF);
  testsupport::DialogWatcher watcher_;
};

LONG Pack(int x, int y) { return static_cast<LONG>(MAKELONG(static_cast<short>(x), static_cast<short>(y))); }

RECT Desktop() {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}

TEST_F(TranslateDialog, ShowsTheTranslationReadOnlyAtThePoint) {
  SeenDialog seen;
  EXPECT_EQ(S_OK, Open(L"Hello world", Pack(120, 90), seen));
  EXPECT_EQ(L"[Hello world]", seen.text);
  EXPECT_TRUE(seen.readOnly);
  EXPECT_EQ(120, seen.window.left);
  EXPECT_EQ(90, seen.window.top);
  ASSERT_EQ(1u, connector_.State().jobSources.size());
  EXPECT_EQ(L"Hello world", connector_.State().jobSources[0]) << "the source file holds the text after its BOM";
}

struct Placement {
  const char* name;
  int x, y;  // negative from the desktop's right or bottom edge when marked
  bool fromRight, fromBottom;
};

class TranslateDialogPlacement : public TranslateDialog, public testing::WithParamInterface<Placement> {};

TEST_P(TranslateDialogPlacement, PlacesTheDialogAsTheUserExpects) {
  const Placement p = GetParam();
  const RECT desktop = Desktop();
  const int x = p.fromRight ? desktop.right - p.x : p.x;
  const int y = p.fromBottom ? desktop.bottom - p.y : p.y;
  SeenDialog seen;
  ASSERT_EQ(S_OK, Open(L"text", Pack(x, y), seen)) << p.name;
  const int width = seen.client.right, height = seen.client.bottom;
  int wantX = x, wantY = y;
  if (x == 0 || y == 0) {
    wantX = desktop.right / 2 - width / 2;
    wantY = desktop.bottom / 2 - height / 2;
  } else {
    if (x + width > desktop.right) wantX = desktop.right - width;
    if (y + height > desktop.bottom) wantY = desktop.bottom - height;
  }
  EXPECT_EQ(wantX, seen.window.left) << p.name;
  EXPECT_EQ(wantY, seen.window.top) << p.name;
}

INSTANTIATE_TEST_SUITE_P(Points, TranslateDialogPlacement,
                         testing::Values(Placement{"x zero centres", 0, 250, false, false},
                                         Placement{"y zero centres", 300, 0, false, false},
                                         Placement{"right edge moves in", 20, 200, true, false},
                                         Placement{"bottom edge moves in", 200, 20, false, true},
                                         Placement{"negative kept", -60, -40, false, false}));

// Everything the rich-edit box holds, line breaks as CR LF.
std::wstring BoxText(HWND box) {
  GETTEXTLENGTHEX length = {GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  const LRESULT count = SendMessageW(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  std::vector<wchar_t> buffer(static_cast<size_t>(count) + 1, L'\0');
  GETTEXTEX how = {static_cast<DWORD>(buffer.size() * sizeof(wchar_t)), GT_USECRLF, 1200, nullptr, nullptr};
  SendMessageW(box, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

// The box shows the text as it stands: whole when it is longer than the box
// takes by default, as plain text when it looks like rich text.
TEST_F(TranslateDialog, TheTextIsShownWholeAndAsItStands) {
  std::wstring lines;
  for (int i = 0; lines.size() < 50000; ++i) lines += L"line " + std::to_wstring(i) + L" of a long translation\r\n";
  struct Case {
    const char* name;
    std::wstring text;
  } cases[] = {
      {"rich text", L"{\\rtf1\\ansi {\\b bold} plain}"},
      {"longer than the box's default limit", lines + L"the end"},
      {"one long paragraph", std::wstring(40000, L'x')},
  };
  std::wstring shown;
  watcher_.OnWindow(kTranslationTitle, L"#32770", [&shown](HWND dialog) {
    shown = BoxText(GetDlgItem(dialog, IDC_TRANSLATION_TEXT));
    testsupport::DialogWatcher::PressButton(dialog, IDCANCEL);
  });
  for (const Case& c : cases) {
    shown = L"(no dialog)";
    CTranslateDlg dialog(0);
    dialog.SetText(c.text);
    POINT point{60, 60};
    EXPECT_EQ(IDCANCEL, dialog.Run(nullptr, &point)) << c.name;
    EXPECT_EQ(c.text.size(), shown.size()) << c.name;
    EXPECT_TRUE(c.text == shown) << c.name << ": " << testing::PrintToString(shown.substr(0, 60));
  }
}

TEST_F(TranslateDialog, AnEmptyTextShowsTheHintAndNoDialog) {
  watcher_.Press(L"NORVA for Mozilla FireFox", IDOK);
  EXPECT_EQ(S_FALSE, browser_->TranslateTextDlg(Bstr(L"").Get(), 0, Variant::Missing().Get(),
                                                Variant::Missing().Get(), Variant::Missing().Get()));
  EXPECT_TRUE(watcher_.WaitSeen(L"NORVA for Mozilla FireFox", 100));
  EXPECT_FALSE(watcher_.WaitSeen(kTranslationTitle, 100));
  EXPECT_TRUE(connector_.State().jobSources.empty());
}

TEST_F(TranslateDialog, AnEmptyResultShowsNoDialogAndTheExchangeFilesGo) {
  connector_.State().emptyResult = true;
  const std::wstring folder = EnsureTempFolder();
  auto count = [&] {
    WIN32_FIND_DATAW data;
    int n = 0;
    HANDLE find = FindFirstFileW((folder + L"xstr*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do ++n;
    while (FindNextFileW(find, &data));
    FindClose(find);
    return n;
  };
  const int before = count();
  EXPECT_EQ(S_FALSE, browser_->TranslateTextDlg(Bstr(L"text").Get(), 0, Variant::Missing().Get(),
                                                Variant::Missing().Get(), Variant::Missing().Get()));
  EXPECT_FALSE(watcher_.WaitSeen(kTranslationTitle, 100));
  EXPECT_EQ(before, count()) << "both temporary files deleted";
  SeenDialog seen;
  connector_.State().emptyResult = false;
  EXPECT_EQ(S_OK, Open(L"again", Pack(50, 50), seen));
  EXPECT_EQ(before, count());
}

TEST_F(TranslateDialog, KindsAboveTwoAndADisabledConnectorAnswerEPointer) {
  EXPECT_EQ(E_POINTER, browser_->TranslateTextDlg(Bstr(L"x").Get(), 0, Variant::Missing().Get(),
                                                  Variant::FromInt32(3).Get(), Variant::Missing().Get()));
  connector_.State().disabled = true;
  EXPECT_EQ(E_POINTER, browser_->TranslateTextDlg(Bstr(L"x").Get(), 0, Variant::Missing().Get(),
                                                  Variant::FromInt32(0).Get(), Variant::Missing().Get()));
  EXPECT_TRUE(connector_.State().jobSources.empty());
}

}  // namespace
}  // namespace dialogstest
