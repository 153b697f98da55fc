// The word popup's translation record and the word popup itself over the
// stand-in kernel's word dictionary, in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "KernelStandIn.h"
#include "RegistrySandbox.h"
#include "browserproxy/ui/ToolTipWordWnd.h"
#include "browserproxy/ui/Translations.h"
#include "platform/base/DeviceContext.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComObject.h"
#include "platform/com/SafeArray.h"
#include "platform/win/WindowImage.h"

namespace {

using namespace kernelstandin_test;

constexpr long kEnglishRussian = 0x00020001;
constexpr long kRussianEnglish = 0x00010002;
constexpr long kEnglishGerman = 0x00040001;

// The directions object of the kernel as the popup sees it: a service
// provider that hands out the kernel service.
class ServiceSource : public IServiceProvider {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {platform::InterfaceOf<ServiceSource, IServiceProvider>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID, REFIID iid, void** out) override {
    return QueryInterface(iid, out);
  }
};

class PopupKernelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool registered = false;
    if (!registered) registered = RegisterKernel();
  }
  void SetUp() override {
    ASSERT_TRUE(apartment_.Ok());
    SetSwitch(L"NoMessageBoxes", 1);
  }
  platform::ComPtr<IUnknown> WordObject() {
    platform::ComPtr<IUnknown> word;
    EXPECT_EQ(S_OK, CoCreateInstance(CLSID_NrvaWordDictionary, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                     word.ReceiveVoid()));
    return word;
  }
  static void Pump(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
  }

  platform::ComApartment apartment_{COINIT_APARTMENTTHREADED};
  testsupport::ScopedFixedKey switches_{HKEY_CURRENT_USER, kSwitchesKey};
};

TEST_F(PopupKernelTest, ReadsTheEntriesOfAWord) {
  std::vector<CEntryDsc> entries;
  CTranslations record;
  ASSERT_EQ(S_OK, record.Attach(WordObject().Get(), &entries, true));
  EXPECT_EQ(kEnglishRussian, record.GetDirection()) << "the first direction is selected";
  EXPECT_EQ(L"English-Russian", record.GetDirectionName());
  ASSERT_EQ(S_OK, record.Lookup(L"(Table),"));
  ASSERT_EQ(1u, entries.size());
  const CEntryDsc& table = entries[0];
  EXPECT_EQ(1u, table.GetSourceLanguage());
  EXPECT_EQ(2u, table.GetTargetLanguage());
  ASSERT_EQ(1, table.RowCount());
  EXPECT_EQ(L"table", table.Row(0)->headword);
  EXPECT_EQ(1, table.Row(0)->partOfSpeech);
  ASSERT_EQ(2, table.RecordCount(0));
  const CEntryRecord* first = table.Record(0, 0);
  const CEntryRecord* second = table.Record(0, 1);
  EXPECT_EQ(L"\x0441\x0442\x043E\x043B", first->word);
  EXPECT_EQ(std::vector<std::wstring>{L"General dictionary"}, first->dictionaryNames) << "\"General Dict\" replaced";
  EXPECT_EQ(std::vector<std::wstring>{L"General Dict"}, first->dictionaryKeys) << "the kernel's key kept";
  EXPECT_EQ(L"furniture", first->comment);
  EXPECT_EQ(std::vector<std::wstring>{L"Computers"}, second->dictionaryNames);

  ASSERT_EQ(S_OK, record.Lookup(L"cool"));
  ASSERT_EQ(2, entries[0].RecordCount(0));
  EXPECT_EQ((std::vector<uint16_t>{5, 0x8005}), entries[0].Record(0, 0)->markCodes);
  EXPECT_EQ(L"colloq.", entries[0].Record(0, 0)->label);
}

TEST_F(PopupKernelTest, DirectionsFollowTheBrowser) {
  std::vector<CEntryDsc> entries;
  CTranslations record;
  ASSERT_EQ(S_OK, record.Attach(WordObject().Get(), &entries, true));
  EXPECT_EQ(1, record.SetDirection(kRussianEnglish));
  EXPECT_EQ(kRussianEnglish, record.GetDirection());
  EXPECT_EQ(L"Russian-English", record.GetDirectionName());
  EXPECT_EQ(0, record.SetDirection(0x00800001)) << "not in the collection";
  EXPECT_EQ(kRussianEnglish, record.GetDirection());
  ASSERT_EQ(S_OK, record.Lookup(L"\x0441\x0442\x043E\x043B"));
  EXPECT_EQ(L"table", entries[0].Record(0, 0)->word);
  EXPECT_EQ(1, record.SetDirection(kEnglishGerman));
  ASSERT_EQ(S_OK, record.Lookup(L"house")) << "a word of the word list only";
  EXPECT_EQ(L"haus", entries[0].Record(0, 0)->word);
}

TEST_F(PopupKernelTest, LookupFailuresAndBrokenAnswers) {
  std::vector<CEntryDsc> entries;
  CTranslations record;
  ASSERT_EQ(S_OK, record.Attach(WordObject().Get(), &entries, true));
  EXPECT_EQ(static_cast<HRESULT>(0x800F0010), record.Lookup(L"zorblax"));
  EXPECT_EQ(static_cast<HRESULT>(0x800F0010), record.Lookup(L"?!,")) << "trimmed to an empty word";
  EXPECT_EQ(static_cast<HRESULT>(0x800F0010), record.Lookup(std::wstring(10000, L'x')));
  SetSwitch(L"WordInaccessible", 1);
  EXPECT_EQ(CTranslations::kInaccessible, record.Lookup(L"table"));
  SetSwitch(L"WordInaccessible", 0);
  const struct {
    const wchar_t* name;
    DWORD value;
  } broken[] = {{L"WordEntryCount", static_cast<DWORD>(-2)},
                {L"WordEntryCount", 100000000},
                {L"WordRowCount", static_cast<DWORD>(-5)},
                {L"WordTranslationCount", 0x7FFFFFFF}};
  for (const auto& b : broken) {
    SetSwitch(b.name, b.value);
    EXPECT_EQ(1, record.Lookup(L"table")) << testing::PrintToString(std::wstring(b.name)) << " " << b.value;
    SetSwitch(b.name, 0xFFFFFFFFu);
  }
  SetSwitch(L"WordEntryCount", 0);
  EXPECT_EQ(1, record.Lookup(L"table")) << "no entries is no answer";
  SetSwitch(L"WordEntryCount", 0xFFFFFFFFu);
  SetSwitchText(L"FailCall", L"INrvaWord.GetHeadword");
  EXPECT_EQ(1, record.Lookup(L"table"));
  SetSwitchText(L"FailCall", L"");
  EXPECT_EQ(S_OK, record.Lookup(L"table"));
}

// The word popup over the stand-in, in this process.
class WordPopupTest : public PopupKernelTest {
 protected:
  void SetUp() override {
    PopupKernelTest::SetUp();
    directions_ = platform::MakeComObject<ServiceSource>().As<IUnknown>();
    const RECT rect{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
    ASSERT_TRUE(popup_.Create(directions_.Get(), rect));
    ShowWindow(popup_.Hwnd(), SW_HIDE);
  }
  VARIANT Rect(LONG left, LONG top, LONG right, LONG bottom) {
    VARIANT v;
    VariantInit(&v);
    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 4);
    LONG values[4] = {left, top, right, bottom};
    for (LONG i = 0; i < 4; ++i) SafeArrayPutElement(array, &i, &values[i]);
    v.vt = VT_ARRAY | VT_I4;
    v.parray = array;
    rects_.push_back(v);
    return v;
  }
  void TearDown() override {
    for (VARIANT& v : rects_) VariantClear(&v);
  }
  std::vector<std::wstring> Lines() {
    std::vector<std::wstring> lines;
    HWND list = popup_.List().Hwnd();
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      lines.push_back(text);
    }
    return lines;
  }
  static RECT WorkArea() {
    MONITORINFO info{sizeof info};
    GetMonitorInfoW(MonitorFromPoint(POINT{200, 150}, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
  }
  RECT Where() {
    RECT r{};
    GetWindowRect(popup_.Hwnd(), &r);
    return r;
  }
  bool WaitVisible(bool visible, DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while (IsWindowVisible(popup_.Hwnd()) != (visible ? TRUE : FALSE)) {
      if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
      Pump(10);
    }
    return true;
  }
  // Shows the word over a rectangle at (x, y) with the pointer on it.
  void ShowOver(const std::wstring& word, LONG x, LONG y, UINT delay = 0, HWND owner = nullptr) {
    SetCursorPos(x + 5, y + 5);
    popup_.ShowWord(word, MAKELONG(x + 5, y + 5), Rect(x, y, x + 40, y + 14), kEnglishRussian, delay, owner);
  }

  platform::ComPtr<IUnknown> directions_;
  CToolTipWordWnd popup_;
  std::vector<VARIANT> rects_;
};

TEST_F(WordPopupTest, ShowsTheEntryBesideTheWordAfterTheDelay) {
  ShowOver(L"table", 200, 150, 300);
  Pump(100);
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd())) << "not before the delay";
  ASSERT_TRUE(WaitVisible(true, 3000));
  std::vector<std::wstring> expected = {L"table", L"General dictionary", L"\x0441\x0442\x043E\x043B",
                                        L"\"Computers\", specialized dictionary", L"\x0442\x0430\x0431\x043B\x0438\x0446\x0430"};
  EXPECT_EQ(expected, Lines());
  RECT r = Where();
  EXPECT_EQ(205, r.left) << "word's left edge + 5";
  EXPECT_EQ(167, r.top) << "word's bottom + 3";
  int lines = 0;
  for (size_t i = 0; i < expected.size(); ++i)
    lines += static_cast<int>(SendMessageW(popup_.List().Hwnd(), LB_GETITEMHEIGHT, i, 0));
  EXPECT_EQ(lines + 23, r.bottom - r.top) << "the lines' own heights + footer + 3";
  EXPECT_EQ(popup_.List().GetTextWidth() + 10, r.right - r.left);
  EXPECT_EQ(L"table", popup_.LastWord());
}

TEST_F(WordPopupTest, HidesOnAClickAndOnAnEmptyWord) {
  ShowOver(L"table", 200, 150);
  ASSERT_TRUE(WaitVisible(true, 3000));
  SendMessageW(popup_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd()));
  EXPECT_TRUE(popup_.LastWord().empty());

  ShowOver(L"big", 200, 150);
  ASSERT_TRUE(WaitVisible(true, 3000));
  SendMessageW(popup_.List().Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd())) << "a click on the list reaches the popup";

  ShowOver(L"go", 200, 150);
  ASSERT_TRUE(WaitVisible(true, 3000));
  popup_.ShowWord(L"", MAKELONG(5, 5), VARIANT{}, kEnglishRussian, 0, nullptr);
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd()));
  EXPECT_EQ(0, SendMessageW(popup_.List().Hwnd(), LB_GETCOUNT, 0, 0));
  Pump(200);
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd())) << "disarmed";
}

// Without a delay the popup opens from the messages already queued, with no
// timer's wait; a show cancelled before the queue is read never opens.
TEST_F(WordPopupTest, WithoutDelayOpensFromTheQueueUnlessCancelled) {
  auto drainQueue = [] {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  };
  ShowOver(L"table", 200, 150, 0);
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd())) << "not inside the request";
  drainQueue();
  EXPECT_TRUE(IsWindowVisible(popup_.Hwnd())) << "opened by the queued show";
  EXPECT_EQ(5, SendMessageW(popup_.List().Hwnd(), LB_GETCOUNT, 0, 0));

  struct {
    const char* what;
    std::function<void()> cancel;
  } cancels[] = {
      {"an empty word", [&] { popup_.ShowWord(L"", MAKELONG(5, 5), VARIANT{}, kEnglishRussian, 0, nullptr); }},
      {"CancelPending", [&] { popup_.CancelPending(); }},
  };
  for (const auto& c : cancels) {
    popup_.ShowWord(L"", MAKELONG(5, 5), VARIANT{}, kEnglishRussian, 0, nullptr);
    ShowOver(L"big", 200, 150, 0);
    c.cancel();
    Pump(100);
    EXPECT_FALSE(IsWindowVisible(popup_.Hwnd())) << c.what;
  }
  // A show replaced by a delayed one waits for its delay.
  ShowOver(L"big", 200, 150, 0);
  ShowOver(L"table", 200, 150, 60000);
  drainQueue();
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd())) << "the queued show was replaced";
  popup_.CancelPending();
}

TEST_F(WordPopupTest, APointerThatLeftTheWordGetsNoPopup) {
  SetCursorPos(600, 500);
  popup_.ShowWord(L"table", MAKELONG(205, 155), Rect(200, 150, 240, 164), kEnglishRussian, 0, nullptr);
  Pump(300);
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd()));
  // Moved sideways on the word's line: still the word.
  SetCursorPos(400, 157);
  popup_.ShowWord(L"table", MAKELONG(205, 155), Rect(200, 150, 240, 164), kEnglishRussian, 0, nullptr);
  EXPECT_TRUE(WaitVisible(true, 3000));
}

TEST_F(WordPopupTest, HidesWhenTheOwnerLeavesTheForeground) {
  platform::Window owner;
  ASSERT_TRUE(owner.Create(nullptr, nullptr, L"owner", WS_POPUP));
  ShowOver(L"table", 200, 150, 0, owner.Hwnd());
  ASSERT_TRUE(WaitVisible(true, 3000));
  if (GetForegroundWindow() == owner.Hwnd()) GTEST_SKIP() << "the owner came to the foreground";
  EXPECT_TRUE(WaitVisible(false, 2500)) << "the foreground poll hides it within a second";
}

TEST_F(WordPopupTest, MessagesForUnknownAndInaccessibleWords) {
  ShowOver(L"zorblax", 200, 150);
  ASSERT_TRUE(WaitVisible(true, 3000)) << "a failed look-up opens like an entry";
  EXPECT_EQ(std::vector<std::wstring>{L" "}, Lines());
  EXPECT_TRUE(popup_.List().MessageMode());
  EXPECT_GE(Where().right - Where().left, 345);
  EntryLine line;
  ASSERT_TRUE(popup_.List().DescribeLine(0, &line));
  EXPECT_EQ(EntryLine::Kind::Message, line.kind);
  EXPECT_FALSE(line.inaccessible);
  EXPECT_EQ(L"zorblax", line.messageWord);

  SetSwitch(L"WordInaccessible", 1);
  ShowOver(L"table", 200, 150);
  ASSERT_TRUE(WaitVisible(true, 3000));
  ASSERT_TRUE(popup_.List().DescribeLine(0, &line));
  EXPECT_TRUE(line.inaccessible);
}

TEST_F(WordPopupTest, StaysOnTheWorkAreaNearTheEdges) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  ShowOver(L"table", width - 45, height - 16);
  ASSERT_TRUE(WaitVisible(true, 3000));
  RECT r = Where();
  EXPECT_GE(r.left, 0);
  EXPECT_GE(r.top, 0);
  EXPECT_LE(r.right, width);
  EXPECT_LE(r.bottom, height);
  EXPECT_LT(r.right, width - 40) << "to the left of the word";
  EXPECT_EQ(height - 16 - 3, r.bottom) << "above the word's top, not over the word";
}

// Near the bottom edge the popup opens above the word, clear of it, on the
// word's monitor's work area; so does a message popup.
TEST_F(WordPopupTest, NearTheBottomEdgeItOpensAboveTheWord) {
  const RECT area = WorkArea();
  for (const wchar_t* word : {L"table", L"zorblax"}) {
    const LONG top = area.bottom - 24;  // the word: 14 pixels high, 10 above the edge
    ShowOver(word, 200, top);
    ASSERT_TRUE(WaitVisible(true, 3000)) << word;
    const RECT r = Where();
    EXPECT_EQ(205, r.left) << word;
    EXPECT_EQ(top - 3, r.bottom) << word << ": the popup ends 3 pixels above the word's top";
    EXPECT_GE(r.top, area.top) << word;
  }
}

// A word or a URL wider than the screen: the popup is cut to the work area
// and the message's word gives way (see the painter's test for the line).
TEST_F(WordPopupTest, ALongWordOrUrlKeepsThePopupOnTheWorkArea) {
  const RECT area = WorkArea();
  const std::wstring words[] = {std::wstring(288, L'w'),
                                L"https://www.example.com/documents/2026/annual-report/appendix/tables/"
                                L"section-12-paragraph-4-without-any-space-anywhere-in-it?lang=en&page=17&view=full"
                                L"&highlight=translation-dictionary-entry-popup-window-width"};
  for (LONG x : {200L, area.right - 300}) {
    for (const std::wstring& word : words) {
      ShowOver(word, x, 150);
      ASSERT_TRUE(WaitVisible(true, 3000)) << word.size() << " characters";
      const RECT r = Where();
      EXPECT_GT(popup_.List().GetTextWidth() + 10, area.right - area.left)
          << "the sentence alone is wider than the screen (" << word.size() << " characters)";
      EXPECT_EQ(area.left, r.left) << word.size() << " characters at x " << x;
      EXPECT_EQ(area.right, r.right) << word.size() << " characters at x " << x;
      EXPECT_EQ(150 + 14 + 3, r.top) << "below the word";
      RECT list{};
      GetWindowRect(popup_.List().Hwnd(), &list);
      EXPECT_EQ(r.right - 5, list.right) << "the list inside the popup";
    }
  }
}

TEST_F(WordPopupTest, BadRectanglesAndWordsEndQuietly) {
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"1,2,3,4");
  SetCursorPos(300, 300);
  popup_.ShowWord(L"table", MAKELONG(300, 300), text, kEnglishRussian, 0, nullptr);
  VariantClear(&text);
  const RECT none = popup_.WordRect();
  EXPECT_TRUE(none.left == 0 && none.top == 0 && none.right == 0 && none.bottom == 0);
  EXPECT_TRUE(WaitVisible(true, 3000)) << "no rectangle: the pointer near the point counts";
  for (const std::wstring& word : {std::wstring(10000, L'a'), std::wstring(L"!!!,,,"), std::wstring(L"a&b %s %n"),
                                   std::wstring(L"\xD83D\xDE00")}) {
    ShowOver(word, 200, 150);
    EXPECT_TRUE(WaitVisible(true, 3000)) << "a message for " << word.size() << " characters";
  }
}

TEST_F(WordPopupTest, AFailedSetUpKeepsTheWindowShowsTheMessageAndIsTriedAgain) {
  SetSwitchText(L"FailCall", L"INrvaWordDictionary.SetKernelService");
  ShowOver(L"table", 200, 150);
  EXPECT_FALSE(popup_.IsReady());
  ASSERT_TRUE(IsWindow(popup_.Hwnd())) << "the popup keeps its window";
  ASSERT_TRUE(WaitVisible(true, 3000)) << "with the not-found message";
  EXPECT_TRUE(popup_.List().MessageMode());
  SetSwitchText(L"FailCall", L"");
  ShowOver(L"table", 200, 150);
  EXPECT_TRUE(popup_.IsReady()) << "set up at the next request";
  ASSERT_TRUE(WaitVisible(true, 3000));
  EXPECT_EQ(5u, Lines().size());
}

TEST_F(WordPopupTest, ThePaintedPopupShowsItsLinesAndFooter) {
  ShowOver(L"table", 200, 150);
  ASSERT_TRUE(WaitVisible(true, 3000));
  Pump(200);
  // The screen as it stands (CaptureWindow would repaint the popup first).
  RECT where{};
  GetWindowRect(popup_.Hwnd(), &where);
  platform::WindowDC screen(nullptr);
  platform::MemoryDC memory(screen.Get());
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = where.right - where.left;
  header.bmiHeader.biHeight = -(where.bottom - where.top);
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  platform::UniqueBitmap picture(CreateDIBSection(screen.Get(), &header, DIB_RGB_COLORS, &bits, nullptr, 0));
  HGDIOBJ old = SelectObject(memory.Get(), picture.Get());
  BitBlt(memory.Get(), 0, 0, where.right - where.left, where.bottom - where.top, screen.Get(), where.left, where.top, SRCCOPY);
  SelectObject(memory.Get(), old);
  GdiFlush();
  ASSERT_TRUE(picture);
  BITMAP info{};
  GetObjectW(picture.Get(), sizeof info, &info);
  const auto* pixels = static_cast<const DWORD*>(info.bmBits);
  // Pixels near the colour: the list's fonts are smoothed, so text edges blend.
  auto count = [&](COLORREF colour, int top, int bottom) {
    int n = 0;
    for (int y = std::max(0, top); y < std::min<int>(info.bmHeight, bottom); ++y)
      for (int x = 0; x < info.bmWidth; ++x) {
        const DWORD p = pixels[y * info.bmWidth + x];
        const int distance = std::abs(static_cast<int>((p >> 16) & 0xFF) - GetRValue(colour)) +
                             std::abs(static_cast<int>((p >> 8) & 0xFF) - GetGValue(colour)) +
                             std::abs(static_cast<int>(p & 0xFF) - GetBValue(colour));
        if (distance < 60) ++n;
      }
    return n;
  };
  const int footerTop = info.bmHeight - 20;
  EXPECT_GT(count(0x995B2B, 0, footerTop), 0) << "translation texts and labels";
  EXPECT_GT(count(0x4E13B8, 0, footerTop), 0) << "bullets";
  EXPECT_GT(count(0x000000, 0, 16), 0) << "the group title";
  EXPECT_GT(count(0xFFEBBD, footerTop, info.bmHeight), 0) << "the caption in the footer";
}

TEST_F(WordPopupTest, TheAutoHideTimerHidesAndForgetsTheWord) {
  ShowOver(L"table", 200, 150);
  ASSERT_TRUE(WaitVisible(true, 3000));
  // The timer's own message, without its ten seconds.
  SendMessageW(popup_.Hwnd(), WM_TIMER, CToolTipWordWnd::kHideTimer, 0);
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd()));
  EXPECT_TRUE(popup_.LastWord().empty());
  EXPECT_EQ(nullptr, popup_.OwnerWindow());
}

}  // namespace
