#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "browserproxy/dictionary/CDictMarkers.h"
#include "browserproxy/dictionary/CGrammarString.h"

namespace {

// A white 32-bit bitmap in a memory device context, and the view's two fonts:
// the first (selector 2) large, the second small, so that widths tell which
// one drew.
class DrawingTest : public testing::Test {
 protected:
  static constexpr int kWidth = 600;
  static constexpr int kHeight = 200;

  DrawingTest() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB};
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    first_ = CreateFontW(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    second_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  }
  ~DrawingTest() override {
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    DeleteObject(first_);
    DeleteObject(second_);
  }

  // Extent of a text in a font, optionally bold or underlined (markers).
  SIZE Extent(const std::wstring& text, HFONT font, int weight = -1, bool underline = false) {
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    if (weight >= 0) {
      description.lfWeight = weight;
      description.lfUnderline = underline;
    }
    HFONT made = CreateFontIndirectW(&description);
    HGDIOBJ old = SelectObject(dc_, made);
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc_, old);
    DeleteObject(made);
    return size;
  }
  SIZE MarkerExtent(const std::wstring& text, bool active = false) {
    return Extent(text, second_, active ? FW_BOLD : FW_NORMAL, !active);
  }
  // Pixels that are not white inside the rectangle.
  int Ink(RECT area) {
    GdiFlush();
    int count = 0;
    for (int y = std::max(0L, area.top); y < std::min<long>(kHeight, area.bottom); ++y)
      for (int x = std::max(0L, area.left); x < std::min<long>(kWidth, area.right); ++x)
        count += (pixels_[y * kWidth + x] & 0xFFFFFF) != 0xFFFFFF;
    return count;
  }
  // What drawing must leave as it found it.
  struct DcState {
    HGDIOBJ font;
    COLORREF colour;
    bool operator==(const DcState&) const = default;
  };
  DcState State() { return {GetCurrentObject(dc_, OBJ_FONT), GetTextColor(dc_)}; }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  DWORD* pixels_ = nullptr;
  HFONT first_ = nullptr;
  HFONT second_ = nullptr;
};

// ---- grammar strings -----------------------------------------------------

struct ExpectedRun {
  std::wstring text;
  unsigned short selector;
  COLORREF colour;
};

TEST(CGrammarString, ParsesFontAndColourMarkUp) {
  struct {
    const wchar_t* text;
    std::vector<ExpectedRun> runs;  // default selector 1
  } cases[] = {
      {L"a%2b%c", {{L"a", 1, 0}, {L"b", 2, 0}, {L"c", 1, 0}}},
      {L"x[y]z", {{L"x", 1, 0}, {L"y", 1, 0x800000}, {L"z", 1, 0}}},
      {L"{k}l", {{L"k", 1, 0x800000}, {L"l", 1, 0}}},
      {L"%12q", {{L"q", 12, 0}}},
      {L"%05", {{L"5", 1, 0}}},
      {L"%0x%y", {{L"x", 1, 0}, {L"y", 1, 0}}},
      {L"ab%", {{L"ab", 1, 0}}},
      {L"%2[pl.]%n", {{L"pl.", 2, 0x800000}, {L"n", 1, 0}}},
      {L"", {}},
      {L"[]%%", {}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    CGrammarString line(cases[i].text, 1, 1);
    ASSERT_EQ(static_cast<int>(cases[i].runs.size()), line.GetRangeCount()) << "case " << i;
    std::wstring joined;
    for (int r = 0; r < line.GetRangeCount(); ++r) {
      const ExpectedRun& expected = cases[i].runs[static_cast<size_t>(r)];
      EXPECT_EQ(expected.text, line.Range(r)->text) << "case " << i << " run " << r;
      EXPECT_EQ(expected.selector, line.Range(r)->fontSelector) << "case " << i << " run " << r;
      EXPECT_EQ(expected.colour, line.Range(r)->colour) << "case " << i << " run " << r;
      joined += expected.text;
    }
    EXPECT_EQ(joined, line.GetText()) << "case " << i;
    EXPECT_EQ(nullptr, line.Range(line.GetRangeCount())) << "case " << i;
    EXPECT_EQ(nullptr, line.Range(-1)) << "case " << i;
  }
}

TEST(CGrammarString, CopiesKeepRunsKindAndIndent) {
  CGrammarString line(L"a%2b", 1, 1);
  line.SetIndent(30);
  CGrammarString copy(line);
  EXPECT_EQ(2, copy.GetRangeCount());
  EXPECT_EQ(1, copy.GetKind());
  EXPECT_EQ(30, copy.GetIndent());
  EXPECT_EQ(L"ab", copy.GetText());
  SIZE nothing = copy.Measure(nullptr, nullptr, nullptr, 100);
  EXPECT_EQ(0, nothing.cx + nothing.cy) << "grammar lines do not measure themselves";
}

TEST_F(DrawingTest, GrammarRunsFollowEachOtherInTheirFonts) {
  CGrammarString line(L"Noun %2Plural%", 1, 1);
  line.SetIndent(10);
  DcState before = State();
  RECT area{20, 10, 580, 60};
  RECT used = line.Draw(dc_, first_, second_, area);
  EXPECT_EQ(before, State()) << "the context's font and colour are restored";
  long runs = Extent(L"Noun ", second_).cx + Extent(L"Plural", first_).cx;
  EXPECT_EQ(20, used.left);
  EXPECT_EQ(10, used.top);
  EXPECT_EQ(20 + 10 + runs, used.right);
  EXPECT_EQ(60, used.bottom);
  EXPECT_EQ(0, Ink(RECT{0, 0, 30, kHeight})) << "nothing left of the indent";
  EXPECT_GT(Ink(RECT{30, 10, 30 + Extent(L"Noun ", second_).cx, 60}), 0) << "first run";
  EXPECT_GT(Ink(RECT{30 + Extent(L"Noun ", second_).cx, 10, used.right, 60}), 0) << "second run";
  EXPECT_EQ(0, Ink(RECT{used.right + 1, 0, kWidth, kHeight})) << "nothing beyond the runs";
}

TEST_F(DrawingTest, AnEmptyGrammarLineDrawsNothing) {
  CGrammarString line(L"", 1, 1);
  RECT used = line.Draw(dc_, first_, second_, RECT{5, 5, 300, 40});
  EXPECT_EQ(5, used.right);
  EXPECT_EQ(0, Ink(RECT{0, 0, kWidth, kHeight}));
}

// ---- dictionary markers ------------------------------------------------

std::vector<DictionaryRun> Sources(std::initializer_list<const wchar_t*> names) {
  std::vector<DictionaryRun> sources;
  for (const wchar_t* name : names) sources.push_back({0, 0, std::wstring(L"key-") + name, name, 0});
  return sources;
}

TEST(CDictMarkers, TakesTextAndKeysFromItsSources) {
  CDictMarkers markers(1, Sources({L"General", L"Computers"}));
  ASSERT_EQ(2u, markers.MarkerCount());
  EXPECT_EQ(L"Computers", markers.Marker(1)->text);
  EXPECT_EQ(L"Computers", markers.Marker(1)->firstKey);
  EXPECT_EQ(L"key-Computers", markers.Marker(1)->secondKey);
  EXPECT_EQ(nullptr, markers.Marker(2));
  EXPECT_EQ(4, markers.GetKind());
  EXPECT_EQ(-1, markers.HitTest(0, 0));
  markers.SetMarkerState(L"key-Computers", 1);
  EXPECT_EQ(0, markers.Marker(0)->active);
  EXPECT_EQ(1, markers.Marker(1)->active);
  markers.SetMarkerState(L"Computers", 0);
  EXPECT_EQ(1, markers.Marker(1)->active) << "only the dictionary key selects a marker";
}

TEST_F(DrawingTest, MarkersMeasureAsTheirLinesEnd) {
  CDictMarkers markers(1, Sources({L"General", L"Law", L"Medicine"}));
  long h = MarkerExtent(L"General").cy;
  SIZE fits = markers.Measure(dc_, first_, second_, 1000);
  EXPECT_EQ(0, fits.cx) << "the width is only taken where a line ends";
  EXPECT_EQ(2 * h, fits.cy);
  SIZE unbounded = markers.Measure(dc_, first_, second_, 0);
  EXPECT_EQ(CDictMarkers::kIndent, unbounded.cx);
  EXPECT_EQ(5 * h, unbounded.cy) << "every marker ends a line";
  SIZE none = CDictMarkers(1, {}).Measure(dc_, first_, second_, 100);
  EXPECT_EQ(0, none.cx + none.cy);
}

TEST_F(DrawingTest, MarkersUseTheRowsFontBoldWhenActive) {
  CDictMarkers small(1, Sources({L"Medicine"}));
  CDictMarkers large(2, Sources({L"Medicine"}));
  RECT smallUsed = small.Draw(dc_, first_, second_, RECT{0, 0, 500, 50});
  RECT largeUsed = large.Draw(dc_, first_, second_, RECT{0, 60, 500, 120});
  EXPECT_EQ(CDictMarkers::kIndent + MarkerExtent(L"Medicine").cx, smallUsed.right);
  EXPECT_EQ(CDictMarkers::kIndent + Extent(L"Medicine", first_, FW_NORMAL, true).cx, largeUsed.right);

  small.SetMarkerState(L"key-Medicine", 1);
  RECT bold = small.Draw(dc_, first_, second_, RECT{0, 130, 500, 180});
  EXPECT_EQ(CDictMarkers::kIndent + MarkerExtent(L"Medicine", true).cx, bold.right);
  EXPECT_GT(bold.right, smallUsed.right);
}

TEST_F(DrawingTest, MarkersWrapAtTheAreaAndAnswerHitTests) {
  CDictMarkers markers(1, Sources({L"General", L"Law", L"Medicine"}));
  for (int x : {0, 50, 300}) EXPECT_EQ(-1, markers.MarkerFromPoint(x, 5)) << "nothing drawn yet";
  SIZE general = MarkerExtent(L"General");
  SIZE law = MarkerExtent(L"Law");
  SIZE medicine = MarkerExtent(L"Medicine");
  // Room for the first two markers on the first line only.
  const long left = 100;
  const long right = left + 5 + general.cx + 4 + law.cx + 4 + medicine.cx - 1;
  DcState before = State();
  RECT used = markers.Draw(dc_, first_, second_, RECT{left, 20, right, 120});
  EXPECT_EQ(before, State());
  EXPECT_EQ(left + 5 + general.cx + law.cx + medicine.cx, used.right);

  const RECT expected[] = {
      {left + 5, 20, left + 5 + general.cx, 20 + general.cy},
      {left + 5 + general.cx + 4, 20, left + 5 + general.cx + 4 + law.cx, 20 + law.cy},
      {5, 20 + medicine.cy, 5 + medicine.cx, 20 + 2 * medicine.cy},  // the indent alone, not left + 5
  };
  for (size_t i = 0; i < 3; ++i) {
    const RECT& got = markers.Marker(i)->rect;
    EXPECT_TRUE(EqualRect(&expected[i], &got))
        << "marker " << i << ": " << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    POINT centre{(got.left + got.right) / 2, (got.top + got.bottom) / 2};
    EXPECT_EQ(static_cast<int>(i), markers.MarkerFromPoint(centre.x, centre.y)) << "marker " << i;
    EXPECT_GT(Ink(got), 0) << "marker " << i << " drawn";
  }
  EXPECT_EQ(-1, markers.MarkerFromPoint(left + 5 + general.cx + 1, 22)) << "the gap between markers";
  EXPECT_EQ(-1, markers.MarkerFromPoint(left + 2, 22)) << "the indent";

  POINT onLaw{expected[1].left + 1, expected[1].top + 1};
  markers.SetActive(&onLaw, 1);
  EXPECT_EQ(0, markers.Marker(0)->active);
  EXPECT_EQ(1, markers.Marker(1)->active);
  POINT nowhere{590, 190};
  markers.SetHot(&nowhere, 1);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(0, markers.Marker(i)->hot) << "marker " << i;
  markers.SetHot(nullptr, 1);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(1, markers.Marker(i)->hot) << "marker " << i;
  markers.SetActive(nullptr, 0);
  EXPECT_EQ(0, markers.Marker(1)->active);
}

TEST_F(DrawingTest, AMarkerWiderThanTheAreaGetsALineOfItsOwn) {
  CDictMarkers markers(1, Sources({L"Computers and information technology"}));
  SIZE size = MarkerExtent(L"Computers and information technology");
  RECT used = markers.Draw(dc_, first_, second_, RECT{0, 0, 60, 100});
  const RECT& got = markers.Marker(0)->rect;
  EXPECT_EQ(5, got.left);
  EXPECT_EQ(size.cy, got.top) << "wrapped below the first line";
  EXPECT_EQ(5 + size.cx, got.right);
  EXPECT_EQ(5 + size.cx, used.right);
  EXPECT_EQ(0, Ink(RECT{61, 0, kWidth, kHeight})) << "cut at the area's edge";
  EXPECT_GT(Ink(RECT{0, size.cy, 60, 2 * size.cy}), 0);
}

TEST_F(DrawingTest, AnEmptyMarkerRowDrawsNothing) {
  CDictMarkers markers(1, {});
  RECT used = markers.Draw(dc_, first_, second_, RECT{10, 20, 300, 50});
  EXPECT_EQ(10, used.left);
  EXPECT_EQ(20, used.top);
  EXPECT_EQ(15, used.right);
  EXPECT_EQ(50, used.bottom);
  EXPECT_EQ(0, Ink(RECT{0, 0, kWidth, kHeight}));
}

}  // namespace
