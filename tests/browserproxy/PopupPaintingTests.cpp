// Painting of each line kind of the entry list on a memory device context,
// the entry list's message mode and sizes, and the selection popup window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "browserproxy/ui/EntryItemPainter.h"
#include "browserproxy/ui/MainList.h"
#include "browserproxy/ui/ToolTipTranslateWnd.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/Handles.h"
#include "platform/com/ComApartment.h"

namespace {

// A white 32-bit bitmap in a memory DC, and the list's six fonts.
class Canvas {
 public:
  Canvas(int width, int height) : screen_(nullptr), memory_(screen_.Get()), width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_.Reset(CreateDIBSection(memory_.Get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    old_ = SelectObject(memory_.Get(), bitmap_.Get());
    RECT all{0, 0, width, height};
    FillRect(memory_.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int copy = 0; copy < 2; ++copy) {
      fonts_.regular[copy] = Font(FW_NORMAL, false);
      fonts_.bold[copy] = Font(FW_BOLD, false);
      fonts_.italic[copy] = Font(FW_NORMAL, true);
    }
  }
  ~Canvas() { SelectObject(memory_.Get(), old_); }
  HDC Dc() const { return memory_.Get(); }
  const EntryListFonts& Fonts() const { return fonts_; }
  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    DWORD bgra = bits_[y * width_ + x];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
  }
  // Pixels of exactly that colour inside the rectangle.
  int Count(COLORREF colour, RECT r) const {
    int n = 0;
    for (int y = std::max(0L, r.top); y < std::min<LONG>(height_, r.bottom); ++y)
      for (int x = std::max(0L, r.left); x < std::min<LONG>(width_, r.right); ++x)
        if (Pixel(x, y) == colour) ++n;
    return n;
  }
  int NonWhite(RECT r) const {
    int n = 0;
    for (int y = std::max(0L, r.top); y < std::min<LONG>(height_, r.bottom); ++y)
      for (int x = std::max(0L, r.left); x < std::min<LONG>(width_, r.right); ++x)
        if (Pixel(x, y) != RGB(255, 255, 255)) ++n;
    return n;
  }

 private:
  HFONT Font(LONG weight, bool italic) {
    LOGFONTW d{};
    d.lfHeight = -12;
    d.lfWeight = weight;
    d.lfItalic = italic;
    d.lfCharSet = DEFAULT_CHARSET;
    d.lfQuality = NONANTIALIASED_QUALITY;
    wcscpy_s(d.lfFaceName, L"MS Shell Dlg");
    fontsOwned_.emplace_back(CreateFontIndirectW(&d));
    return fontsOwned_.back().Get();
  }
  platform::WindowDC screen_;
  platform::MemoryDC memory_;
  platform::UniqueBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
  DWORD* bits_ = nullptr;
  int width_;
  int height_;
  EntryListFonts fonts_;
  std::vector<platform::UniqueFont> fontsOwned_;
};

const RECT kLine{0, 0, 600, 32};

EntryLine Line(EntryLine::Kind kind) {
  EntryLine line;
  line.kind = kind;
  return line;
}

// Each kind paints in its own colours, from its own indent.
TEST(EntryItemPainting, EveryLineKindPaintsItsColours) {
  struct Case {
    const char* name;
    EntryLine line;
    COLORREF colour;  // a colour the line must show
    int indent;       // where the main text starts (text rectangle left + 2)
  };
  EntryLine heading = Line(EntryLine::Kind::Heading);
  heading.headingText = L"English-Russian";
  EntryLine label = Line(EntryLine::Kind::Label);
  label.text = L"General dictionary";
  EntryLine header = Line(EntryLine::Kind::DictionaryHeader);
  header.groupName = L"table";
  header.groupParenthesised = L"furniture";
  header.groupHashList = L"#colloq.";
  header.groupThirdText = L" Noun";
  header.groupBang = true;
  EntryLine translation = Line(EntryLine::Kind::Translation);
  translation.translation = L"table";
  translation.openingNote = L"colloq.";
  translation.closingNote = L"about people";
  translation.followingText = L"sl.";
  translation.translationBang = true;
  EntryLine message = Line(EntryLine::Kind::Message);
  message.messageWord = L"zorblax";
  std::vector<Case> cases = {
      {"heading", heading, RGB(0, 0, 0), 5},
      {"label", label, 0x995B2B, 5},
      {"dictionary header name", header, RGB(0, 0, 0), 10},
      {"dictionary header note", header, 0x808080, 10},
      {"dictionary header (!)", header, 0x0000FF, 10},
      {"dictionary header list", header, 0xFF0000, 10},
      {"dictionary header third text", header, 0x008000, 10},
      {"translation bullet", translation, 0x4E13B8, -1},
      {"translation text", translation, 0x995B2B, -1},
      {"translation notes", translation, 0x808080, -1},
      {"translation following text", translation, 0xFF0000, -1},
      {"translation (!)", translation, 0x0000FF, -1},
      {"message", message, RGB(0, 0, 0), 10},
  };
  for (const Case& c : cases) {
    Canvas canvas(600, 32);
    EntryLinePainted painted = PaintEntryLine(canvas.Dc(), kLine, c.line, canvas.Fonts(), EntryListColours{});
    EXPECT_GT(canvas.Count(c.colour, kLine), 0) << c.name << ": no pixel of colour " << std::hex << c.colour;
    EXPECT_GT(painted.textRect.right, painted.textRect.left) << c.name;
    if (c.indent >= 0) {
      EXPECT_EQ(c.indent, painted.textRect.left + 2) << c.name;
    }
    // Nothing left of the text rectangle (which starts 2 pixels before the text).
    if (c.indent > 0) {
      EXPECT_EQ(0, canvas.NonWhite(RECT{0, 0, c.indent - 2, 32})) << c.name;
    }
  }
}

TEST(EntryItemPainting, MarkedTranslationsHaveNoBulletButKeepTheirNumberPlace) {
  EntryLine plain = Line(EntryLine::Kind::Translation);
  plain.translation = L"word";
  EntryLine marked = plain;
  marked.marked = true;
  Canvas a(600, 32), b(600, 32);
  EntryLinePainted p = PaintEntryLine(a.Dc(), kLine, plain, a.Fonts(), EntryListColours{});
  EntryLinePainted m = PaintEntryLine(b.Dc(), kLine, marked, b.Fonts(), EntryListColours{});
  EXPECT_GT(a.Count(0x4E13B8, kLine), 0);
  EXPECT_EQ(0, b.Count(0x4E13B8, kLine));
  EXPECT_EQ(p.textRect.left, m.textRect.left);
}

TEST(EntryItemPainting, AmpersandsArePaintedLiterally) {
  EntryLine withAmpersand = Line(EntryLine::Kind::Label);
  withAmpersand.text = L"A&B";
  Canvas canvas(600, 32);
  EntryLinePainted painted = PaintEntryLine(canvas.Dc(), kLine, withAmpersand, canvas.Fonts(), EntryListColours{});
  // The text rectangle covers the three characters; "&" is not taken as a prefix.
  HFONT font = canvas.Fonts().regular[1];
  LOGFONTW d{};
  GetObjectW(font, sizeof d, &d);
  d.lfItalic = TRUE;
  platform::UniqueFont italic(CreateFontIndirectW(&d));
  HGDIOBJ old = SelectObject(canvas.Dc(), italic.Get());
  SIZE three{}, two{};
  GetTextExtentPoint32W(canvas.Dc(), L"A&B", 3, &three);
  GetTextExtentPoint32W(canvas.Dc(), L"AB", 2, &two);
  SelectObject(canvas.Dc(), old);
  EXPECT_EQ(three.cx + 4, painted.textRect.right - painted.textRect.left);
  EXPECT_GT(three.cx, two.cx);
}

TEST(EntryItemPainting, TheInaccessibleMessageHasNoLanguagePairHint) {
  EntryLine notFound = Line(EntryLine::Kind::Message);
  notFound.messageWord = L"w";
  EntryLine inaccessible = notFound;
  inaccessible.inaccessible = true;
  Canvas a(600, 32), b(600, 32);
  PaintEntryLine(a.Dc(), kLine, notFound, a.Fonts(), EntryListColours{});
  PaintEntryLine(b.Dc(), kLine, inaccessible, b.Fonts(), EntryListColours{});
  // The inaccessible sentence is centred on the double line; nothing below it.
  const RECT lower{0, 25, 600, 32};
  EXPECT_GT(a.NonWhite(lower), 0) << "the hint below the sentence";
  EXPECT_EQ(0, b.NonWhite(lower));
}

// A word or URL longer than the line gives way: the sentence ends inside
// the line, with its closing words painted.
TEST(EntryItemPainting, ALongMessageWordIsShortenedSoThatTheSentenceFits) {
  const std::wstring words[] = {std::wstring(288, L'w'),
                                L"https://www.example.com/a/very/long/path/without/any/space/at/all/index.html"
                                L"?query=abcdefghijklmnopqrstuvwxyz0123456789&more=abcdefghijklmnopqrstuvwxyz"};
  for (bool inaccessible : {false, true}) {
    for (const std::wstring& word : words) {
      EntryLine message = Line(EntryLine::Kind::Message);
      message.messageWord = word;
      message.inaccessible = inaccessible;
      Canvas shortened(600, 32), plain(600, 32);
      const RECT line{0, 0, 400, 32};
      EntryLinePainted painted = PaintEntryLine(shortened.Dc(), line, message, shortened.Fonts(), EntryListColours{});
      EXPECT_LE(painted.textRect.right, 400 + 2) << word.size() << " characters, inaccessible " << inaccessible;
      EXPECT_GT(painted.textRect.right, 300) << "the line is used";
      EXPECT_EQ(0, shortened.NonWhite(RECT{402, 0, 600, 32})) << "nothing beyond the line";
      // The sentence's last words are those of a short word's message.
      message.messageWord = L"w";
      EntryLinePainted reference = PaintEntryLine(plain.Dc(), line, message, plain.Fonts(), EntryListColours{});
      ASSERT_GT(reference.textRect.right, 80);
      const int tail = 60;
      // The not-found message has its hint in the lower half; the other is centred.
      const int sentenceBottom = inaccessible ? 32 : 16;
      for (int dx = 0; dx < tail; ++dx)
        for (int y = 0; y < sentenceBottom; ++y)
          ASSERT_EQ(plain.Pixel(reference.textRect.right - 2 - tail + dx, y),
                    shortened.Pixel(painted.textRect.right - 2 - tail + dx, y))
              << "the sentence's end at x " << dx << ", y " << y << "; " << word.size() << " characters";
    }
  }
}

TEST(EntryItemPainting, FontsAndColoursOfTheContextComeBack) {
  Canvas canvas(600, 32);
  HGDIOBJ before = GetCurrentObject(canvas.Dc(), OBJ_FONT);
  SetTextColor(canvas.Dc(), RGB(1, 2, 3));
  EntryLine line = Line(EntryLine::Kind::Translation);
  line.translation = L"a <b> c";
  line.translationBang = true;
  PaintEntryLine(canvas.Dc(), kLine, line, canvas.Fonts(), EntryListColours{});
  EXPECT_EQ(before, GetCurrentObject(canvas.Dc(), OBJ_FONT));
  EXPECT_EQ(RGB(1, 2, 3), GetTextColor(canvas.Dc()));
}

// The entry list in message mode, without a kernel.
class EntryListTest : public testing::Test {
 protected:
  void SetUp() override {
    host_.Messages().Chain([this](platform::Message& m, LRESULT& r) { return list_.HandleOwnerDraw(m, r); });
    ASSERT_TRUE(host_.Create(nullptr, nullptr, L"host", WS_POPUP) != nullptr);
    RECT area{0, 0, 300, 200};
    ASSERT_TRUE(list_.Create(host_.Hwnd(), &area, L"", 0x56000020 | CMainList::kOwnStyle) != nullptr);
  }
  int Count() { return static_cast<int>(SendMessageW(list_.Hwnd(), LB_GETCOUNT, 0, 0)); }
  int Height(int i) { return static_cast<int>(SendMessageW(list_.Hwnd(), LB_GETITEMHEIGHT, i, 0)); }

  platform::Window host_;
  CMainList list_;
};

TEST_F(EntryListTest, MessageModeLinesByOption) {
  const struct {
    int options;
    const wchar_t* word;
    int lines;
  } cases[] = {{0x20A, L"word", 1}, {0x20B, L"word", 2}, {0x20A, L"", 0}, {0x20B, L"", 1}};
  for (const auto& c : cases) {
    list_.SetOptions(c.options);
    list_.SetMessageMode(c.word, L"English-Russian", 0);
    EXPECT_EQ(c.lines, Count()) << std::hex << c.options << " " << testing::PrintToString(std::wstring(c.word));
    for (int i = 0; i < Count(); ++i) EXPECT_EQ(2 * list_.BaseItemHeight(), Height(i)) << "a \" \" line is doubled";
    EXPECT_GE(list_.GetTextWidth(), 335);
  }
}

TEST_F(EntryListTest, OnlyASingleSpaceDoublesTheLine) {
  list_.SetOptions(0x20A);
  list_.SetMessageMode(L"w", L"", 0);
  list_.Reset();
  list_.AddItem(L" ", 0, 0, 0, 0, 0, -1, 0);
  list_.AddItem(L"  ", 0, 0, 0, 0, 0, -1, 0);
  list_.AddItem(L"", 0, 0, 0, 0, 0, -1, 0);
  list_.AddItem(L"x", 0, 0, 0, 0, 0, -1, 0);
  ASSERT_EQ(4, Count());
  const int base = list_.BaseItemHeight();
  EXPECT_EQ(2 * base, Height(0));
  EXPECT_EQ(base, Height(1));
  EXPECT_EQ(base, Height(2));
  EXPECT_EQ(base, Height(3));
  // The list keeps its own copies of the texts.
  wchar_t text[8] = {};
  SendMessageW(list_.Hwnd(), LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(L"x", text);
}

TEST_F(EntryListTest, NothingIsDescribedBeforeTheFirstMessage) {
  list_.SetOptions(0x20A);
  list_.AddItem(L"x", 0, 0, 0, 0, 0, -1, 0);
  EntryLine line;
  EXPECT_FALSE(list_.DescribeLine(0, &line));
  list_.SetMessageMode(L"w", L"", 0);
  EXPECT_TRUE(list_.DescribeLine(0, &line));
  EXPECT_EQ(EntryLine::Kind::Message, line.kind);
  EXPECT_FALSE(list_.DescribeLine(5, &line));
}

// The selection popup window in this process.
class SelectionPopupTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_.Ok());
    const RECT rect{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
    ASSERT_TRUE(popup_.Create(nullptr, &rect, L"", WS_POPUP | WS_CLIPSIBLINGS, 0x08000088) != nullptr);
    ShowWindow(popup_.Hwnd(), SW_HIDE);
    SetCursorPos(5, 5);
  }
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  RECT Where() {
    RECT r{};
    GetWindowRect(popup_.Hwnd(), &r);
    return r;
  }
  VARIANT NoRect() {
    VARIANT v;
    VariantInit(&v);
    return v;
  }

  platform::ComApartment apartment_;
  CToolTipTranslateWnd popup_;
};

TEST_F(SelectionPopupTest, WidthFollowsTheText) {
  popup_.ShowTranslation(L"hi", (300 << 16) | 400, NoRect(), 0, nullptr, 0);
  Pump();
  ASSERT_TRUE(IsWindowVisible(popup_.Hwnd()));
  RECT r = Where();
  EXPECT_EQ(100, r.right - r.left) << "never narrower than 100";
  EXPECT_EQ(405, r.left);
  EXPECT_EQ(305, r.top);

  std::wstring longText;
  for (int i = 0; i < 30; ++i) longText += L"translated ";
  popup_.ShowTranslation(longText, (300 << 16) | 400, NoRect(), 0, nullptr, 0);
  Pump();
  r = Where();
  EXPECT_EQ(300, r.right - r.left) << "a long line wraps at 300";
  EXPECT_GT(r.bottom - r.top, 60);
}

TEST_F(SelectionPopupTest, StaysOnTheWorkArea) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  popup_.ShowTranslation(L"a translation", ((screenHeight - 2) << 16) | (screenWidth - 2), NoRect(), 0, nullptr, 0);
  Pump();
  RECT r = Where();
  EXPECT_GE(r.left, 0);
  EXPECT_GE(r.top, 0);
  EXPECT_LE(r.right, screenWidth);
  EXPECT_LE(r.bottom, screenHeight);
}

TEST_F(SelectionPopupTest, CopyPutsTheWholeTextOnTheClipboard) {
  const std::wstring text = L"a & b %s \xD83D\xDE00 \x043F";
  popup_.ShowTranslation(text, (300 << 16) | 400, NoRect(), 0, nullptr, 0);
  Pump();
  SendMessageW(popup_.Hwnd(), WM_COMMAND, MAKEWPARAM(CToolTipTranslateWnd::kCopyCommand, 0), 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  std::wstring got = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(text, got);
  EXPECT_EQ(popup_.Hwnd(), GetClipboardOwner());
}

TEST_F(SelectionPopupTest, TheCloseButtonHidesThePopup) {
  popup_.ShowTranslation(L"some text", (300 << 16) | 400, NoRect(), 0, nullptr, 0);
  Pump();
  ASSERT_TRUE(IsWindowVisible(popup_.Hwnd()));
  RECT box = popup_.CloseBox();
  LPARAM inside = MAKELPARAM(box.left + 4, box.top + 4);
  SendMessageW(popup_.Hwnd(), WM_MOUSEMOVE, 0, inside);
  EXPECT_EQ(1, popup_.CloseState());
  SendMessageW(popup_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
  EXPECT_EQ(2, popup_.CloseState());
  SendMessageW(popup_.Hwnd(), WM_LBUTTONUP, 0, inside);
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd()));
  EXPECT_TRUE(popup_.Text().empty());
}

TEST_F(SelectionPopupTest, AnEmptyRequestHidesUnlessThePointerRestsOnThePopup) {
  popup_.ShowTranslation(L"some text", (300 << 16) | 400, NoRect(), 0, nullptr, 0);
  Pump();
  RECT r = Where();
  popup_.ShowTranslation(L"", MAKELONG(r.left + 3, r.top + 3), NoRect(), 0, nullptr, 0);
  EXPECT_TRUE(IsWindowVisible(popup_.Hwnd())) << "request point on the popup";
  popup_.ShowTranslation(L"", (5 << 16) | 5, NoRect(), 0, nullptr, 0);
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd()));
}

TEST_F(SelectionPopupTest, ItHasTheCopyMenu) {
  ASSERT_TRUE(popup_.ContextMenu());
  wchar_t text[32] = {};
  GetMenuStringW(popup_.ContextMenu(), CToolTipTranslateWnd::kCopyCommand, text, 32, MF_BYCOMMAND);
  EXPECT_STREQ(L"Copy", text);
}

TEST_F(SelectionPopupTest, HidesWhenTheOwnerLeavesTheForeground) {
  platform::Window owner;
  ASSERT_TRUE(owner.Create(nullptr, nullptr, L"owner", WS_POPUP));
  popup_.ShowTranslation(L"some text", (300 << 16) | 400, NoRect(), 0, owner.Hwnd(), 0);
  Pump();
  ASSERT_TRUE(IsWindowVisible(popup_.Hwnd()));
  if (GetForegroundWindow() == owner.Hwnd()) GTEST_SKIP() << "the owner came to the foreground";
  DWORD end = GetTickCount() + 2500;
  while (IsWindowVisible(popup_.Hwnd()) && static_cast<LONG>(end - GetTickCount()) > 0) {
    Pump();
    Sleep(20);
  }
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd())) << "the foreground poll hides it within a second";
}

// List mode: the server's dictionary answer, shown after the delay at the pointer.
TEST(SelectionPopupListMode, ShowsTheServerListAfterTheDelay) {
  platform::ComApartment apartment;
  CToolTipTranslateWnd popup(true);
  const RECT rect{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
  ASSERT_TRUE(popup.Create(nullptr, &rect, L"", WS_POPUP | WS_CLIPSIBLINGS, 0x08000088));
  SetCursorPos(402, 301);
  VARIANT none;
  VariantInit(&none);
  popup.ShowTranslation(L"<r><cform><source>big</source><psp>2</psp><translations><translation><result>"
                        L"large</result></translation></translations></cform></r>",
                        (300 << 16) | 400, none, 50, nullptr, 0);
  EXPECT_FALSE(IsWindowVisible(popup.Hwnd())) << "not before the delay";
  DWORD end = GetTickCount() + 3000;
  while (!IsWindowVisible(popup.Hwnd()) && static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  ASSERT_TRUE(IsWindowVisible(popup.Hwnd()));
  EXPECT_EQ(2, SendMessageW(popup.List().Hwnd(), LB_GETCOUNT, 0, 0));
  RECT r{};
  GetWindowRect(popup.Hwnd(), &r);
  EXPECT_EQ(std::max(50, popup.List().WidestLine()) + 20, r.right - r.left);
  EXPECT_EQ(popup.List().TotalHeight() + 30, r.bottom - r.top);
  EXPECT_EQ(405, r.left) << "cursor x + 3";
  EXPECT_EQ(311, r.top) << "cursor y + 10";
  SendMessageW(popup.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(IsWindowVisible(popup.Hwnd())) << "a click hides it in list mode";
}

}  // namespace
