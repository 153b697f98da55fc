// The popups as a plug-in reaches them: this process is the client, COM
// starts Tessiva.exe, whose browser object shows its word and selection
// popups over the stand-in kernel. The popups are windows of Tessiva.exe,
// found here by class and read through their messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TessivaOverKernelTest.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;
using namespace kernelstandin_test;

constexpr wchar_t kWordPopupClass[] = L"NorvaToolTipWordWnd";
constexpr wchar_t kSelectionPopupClass[] = L"NorvaToolTipTranslateWnd";

void Pump(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

HWND Popup(const wchar_t* className) { return FindWindowW(className, nullptr); }

bool WaitVisible(const wchar_t* className, bool visible, DWORD ms) {
  DWORD end = GetTickCount() + ms;
  for (;;) {
    HWND popup = Popup(className);
    if ((popup && IsWindowVisible(popup)) == visible) return true;
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    Pump(20);
  }
}

Variant RectArgument(LONG left, LONG top, LONG right, LONG bottom) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 4);
  LONG values[4] = {left, top, right, bottom};
  for (LONG i = 0; i < 4; ++i) SafeArrayPutElement(array, &i, &values[i]);
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ARRAY | VT_I4;
  v.parray = array;
  return Variant::Adopt(v);
}

std::wstring ClipboardText() {
  std::wstring text;
  for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Sleep(50);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

class TessivaPopups : public TessivaOverKernelTest {
 protected:
  // Made with English-Russian active and word popups without delay.
  INorvaBrowserClass* Browser() {
    if (client_.Holds()) return client_.Browser();
    INorvaBrowserClass* browser = client_.Browser();
    if (browser) {
      EXPECT_EQ(S_OK, client_.ProxyResult());
      browser->put_ActiveDirID(0x00020001);
      Set(L"PopupWordDelay", 0);
    }
    return browser;
  }
  void Set(const wchar_t* name, DWORD value) {
    EXPECT_EQ(S_OK, client_.Browser()->SetSetting(Bstr(name).Get(), Variant::FromUInt32(value).Get()));
  }
  HRESULT Ask(const std::wstring& text, LONG x, LONG y, const VARIANT& rect, const VARIANT& kind) {
    return Browser()->TranslateTextDlg(Bstr(text).Get(), MAKELONG(x, y), rect, kind, Variant::Missing().Get());
  }
  HRESULT Word(const std::wstring& text, LONG x, LONG y, const VARIANT& rect) {
    return Ask(text, x, y, rect, Variant::FromInt32(EPTDT_TOOLTIP_WORD).Get());
  }
  HRESULT Selection(const std::wstring& text, LONG x, LONG y, const VARIANT& rect) {
    return Ask(text, x, y, rect, Variant::FromInt32(EPTDT_TOOLTIP_SELECTION).Get());
  }
};

TEST_F(TessivaPopups, TheWordPopupOpensAfterTheDelayBesideTheWord) {
  ASSERT_TRUE(Browser());
  Set(L"PopupWordDelay", 400);
  SetCursorPos(310, 207);
  Variant rect = RectArgument(300, 200, 340, 214);
  ASSERT_EQ(S_OK, Word(L"table", 310, 207, rect.Get()));
  HWND popup = Popup(kWordPopupClass);
  ASSERT_TRUE(popup) << "made hidden when the browser object started";
  Pump(150);
  EXPECT_FALSE(IsWindowVisible(popup)) << "not before the delay";
  ASSERT_TRUE(WaitVisible(kWordPopupClass, true, 5000));
  RECT r{};
  GetWindowRect(popup, &r);
  EXPECT_EQ(305, r.left);
  EXPECT_EQ(217, r.top);
  HWND list = GetWindow(popup, GW_CHILD);
  ASSERT_TRUE(list);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  EXPECT_EQ(5, count) << "heading word, two dictionaries with one translation each";
  int heights = 0;
  for (LRESULT i = 0; i < count; ++i) heights += static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, i, 0));
  EXPECT_EQ(heights + 23, r.bottom - r.top);
  wchar_t text[64] = {};
  SendMessageW(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(L"\x0441\x0442\x043E\x043B", text);

  ASSERT_EQ(S_OK, Word(L"", 5, 5, Variant::Missing().Get()));
  EXPECT_FALSE(IsWindowVisible(popup)) << "an empty word hides it";
}

TEST_F(TessivaPopups, KindsAndSwitches) {
  ASSERT_TRUE(Browser());
  EXPECT_EQ(E_POINTER, Ask(L"table", 10, 10, Variant::Missing().Get(), Variant::FromInt32(3).Get()));
  Set(L"UseTranslateWordPopup", 0);
  SetCursorPos(310, 207);
  Variant rect = RectArgument(300, 200, 340, 214);
  EXPECT_EQ(S_OK, Word(L"table", 310, 207, rect.Get()));
  Pump(300);
  EXPECT_FALSE(IsWindowVisible(Popup(kWordPopupClass))) << "word popups switched off";
  Set(L"UseTranslateWordPopup", 1);
  Set(L"TranslateWordPopupMode", 1);
  EXPECT_EQ(S_OK, Word(L"table", 310, 207, rect.Get()));
  Pump(300);
  EXPECT_FALSE(IsWindowVisible(Popup(kWordPopupClass))) << "mode 1 without a key";
  Set(L"TranslateWordPopupMode", 0);
  EXPECT_EQ(S_OK, Word(L"zorblax", 310, 207, rect.Get()));
  EXPECT_TRUE(WaitVisible(kWordPopupClass, true, 5000)) << "the not-found message opens like an entry";
}

TEST_F(TessivaPopups, AOneWordSelectionShowsTheWordPopup) {
  ASSERT_TRUE(Browser());
  SetCursorPos(310, 207);
  Variant rect = RectArgument(300, 200, 340, 214);
  EXPECT_EQ(S_OK, Selection(L"  table  ", 310, 207, rect.Get()));
  EXPECT_TRUE(WaitVisible(kWordPopupClass, true, 5000));
  EXPECT_FALSE(IsWindowVisible(Popup(kSelectionPopupClass)));
}

TEST_F(TessivaPopups, TheSelectionPopupShowsTheLimitedTranslationAndCopiesIt) {
  ASSERT_TRUE(Browser());
  Set(L"LimitedTextAmount", 20);
  const std::wstring selection = L"the big table is in the house. we go home.";
  Bstr expected;
  ASSERT_EQ(S_OK, Browser()->TranslateText(Bstr(L"the big table is in the house").Get(), expected.Receive()));
  SetCursorPos(600, 500);
  Variant rect = RectArgument(300, 200, 500, 214);
  ASSERT_EQ(S_OK, Selection(selection, 310, 207, rect.Get()));
  ASSERT_TRUE(WaitVisible(kSelectionPopupClass, true, 5000));
  HWND popup = Popup(kSelectionPopupClass);
  RECT r{};
  GetWindowRect(popup, &r);
  EXPECT_EQ(305, r.left) << "below the selection's left edge";
  EXPECT_EQ(219, r.top);
  EXPECT_GE(r.right - r.left, 100);
  EXPECT_LE(r.right - r.left, 300);
  SendMessageW(popup, WM_COMMAND, MAKEWPARAM(0x8002, 0), 0);
  EXPECT_EQ(expected.Str(), ClipboardText()) << "cut at the first period within 50 characters after 19";

  // An empty request away from the popup hides it.
  ASSERT_EQ(S_OK, Selection(L"", 5, 5, Variant::Missing().Get()));
  EXPECT_FALSE(IsWindowVisible(popup));
}

TEST_F(TessivaPopups, AHeldCtrlKeyHidesTheWordPopupWhenTheSettingAsksForIt) {
  ASSERT_TRUE(Browser());
  Set(L"TranslateCtrl", 1);
  SetCursorPos(310, 207);
  Variant rect = RectArgument(300, 200, 340, 214);
  keybd_event(VK_CONTROL, 0, 0, 0);
  Pump(100);
  EXPECT_EQ(S_OK, Word(L"table", 310, 207, rect.Get()));
  Pump(300);
  const bool shownWhileHeld = IsWindowVisible(Popup(kWordPopupClass)) != FALSE;
  // Asked only now: a query answers (and clears) "pressed since the last
  // query" for every program of the desktop, Tessiva's included.
  const bool held = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  Pump(100);
  if (!held) GTEST_SKIP() << "the key state cannot be set on this display";
  EXPECT_FALSE(shownWhileHeld);
  EXPECT_EQ(S_OK, Word(L"table", 310, 207, rect.Get()));
  EXPECT_TRUE(WaitVisible(kWordPopupClass, true, 5000)) << "released: the popup comes";
}

// Ctrl (with the setting) or the left button pressed and released again
// since the last request still hides the word popup: the rule asks whether
// it was pressed since its state was last asked, not whether it is held.
TEST_F(TessivaPopups, AKeyOrButtonPressedSinceTheLastRequestHidesTheWordPopup) {
  ASSERT_TRUE(Browser());
  Set(L"TranslateCtrl", 1);
  const struct {
    const char* what;
    void (*press)();
  } cases[] = {
      {"Ctrl",
       [] {
         keybd_event(VK_CONTROL, 0, 0, 0);
         keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
       }},
      {"left button",
       [] {
         mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
         mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
       }},
  };
  Variant rect = RectArgument(300, 200, 340, 214);
  for (const auto& c : cases) {
    SetCursorPos(310, 207);
    // A request now asks (and clears) the states left from before.
    EXPECT_EQ(S_OK, Word(L"", 310, 207, rect.Get())) << c.what;
    c.press();
    Pump(200);
    EXPECT_EQ(S_OK, Word(L"table", 310, 207, rect.Get())) << c.what;
    Pump(500);
    EXPECT_FALSE(IsWindowVisible(Popup(kWordPopupClass))) << c.what << " pressed and released before the request";
    EXPECT_EQ(S_OK, Word(L"table", 310, 207, rect.Get())) << c.what;
    EXPECT_TRUE(WaitVisible(kWordPopupClass, true, 5000)) << c.what << ": nothing pressed since";
  }
}

}  // namespace
