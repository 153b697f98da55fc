// The pieces of the popups that need no kernel: the selection limiter, the
// word trimming, the rectangle argument, character references, translation
// runs and the server dictionary list.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "browserproxy/core/NorvaBrowserClass.h"
#include "browserproxy/core/SelectionLimiter.h"
#include "browserproxy/ui/EntryItemPainter.h"
#include "browserproxy/ui/Translations.h"
#include "browserproxy/ui/TranslationResultXml.h"
#include "browserproxy/ui/VQDMainList.h"
#include "browserproxy/ui/PopupPlacement.h"
#include "browserproxy/ui/WordRect.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComError.h"
#include "platform/com/SafeArray.h"

namespace {

std::wstring Repeat(wchar_t c, size_t n) { return std::wstring(n, c); }

// A text of `length` letters with periods at the given positions.
std::wstring WithPeriods(size_t length, std::vector<size_t> periods) {
  std::wstring text = Repeat(L'a', length);
  for (size_t p : periods) text[p] = L'.';
  return text;
}

TEST(SelectionLimiter, CutsAtTheRightPeriod) {
  const struct {
    const char* name;
    std::wstring text;
    long limit;
    size_t expectedLength;
  } cases[] = {
      {"short text kept", Repeat(L'a', 100), 100, 100},
      {"period at 120 within 50", WithPeriods(130, {120}), 100, 120},
      {"period exactly at 150", WithPeriods(160, {150}), 100, 150},
      {"period at 99 (L - 1)", WithPeriods(130, {99}), 100, 99},
      {"first period after 99 at 160, last in head at 40", WithPeriods(170, {40, 160}), 100, 40},
      {"first period at 160, none in head", WithPeriods(170, {160}), 100, 100},
      {"no period at all", Repeat(L'a', 300), 100, 100},
      {"period at 98 only", WithPeriods(130, {98}), 100, 98},
      {"limit 0 keeps the text", Repeat(L'a', 30), 0, 30},
      {"negative limit keeps the text", Repeat(L'a', 30), -5, 30},
      {"limit 1, period at 0", WithPeriods(10, {0}), 1, 0},
      {"empty text", L"", 100, 0},
  };
  for (const auto& c : cases) {
    std::wstring got = LimitSelection(c.text, c.limit);
    EXPECT_EQ(c.expectedLength, got.size()) << c.name;
    EXPECT_EQ(c.text.substr(0, c.expectedLength), got) << c.name;
  }
}

TEST(WordTrimming, TrimsTheKernelsSetFromBothEnds) {
  EXPECT_EQ(L"table", CTranslations::TrimWord(L" (table), "));
  EXPECT_EQ(L"don't", CTranslations::TrimWord(L"'don't'"));
  EXPECT_EQ(L"a b", CTranslations::TrimWord(L"\t<a b>\r\n"));
  EXPECT_EQ(L"", CTranslations::TrimWord(L" ,;!#?\\/)(@%*}{[]><'\r\n\t"));
  EXPECT_EQ(L"", CTranslations::TrimWord(L""));
  EXPECT_EQ(L"x&y", CTranslations::TrimWord(L"x&y"));
}

VARIANT ArrayOf(VARTYPE type, std::vector<LONG> values) {
  VARIANT v;
  VariantInit(&v);
  SAFEARRAY* array = SafeArrayCreateVector(type, 0, static_cast<ULONG>(values.size()));
  for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) {
    if (type == VT_VARIANT) {
      VARIANT element;
      VariantInit(&element);
      element.vt = VT_I4;
      element.lVal = values[static_cast<size_t>(i)];
      SafeArrayPutElement(array, &i, &element);
    } else if (type == VT_I2) {
      SHORT s = static_cast<SHORT>(values[static_cast<size_t>(i)]);
      SafeArrayPutElement(array, &i, &s);
    } else {
      SafeArrayPutElement(array, &i, &values[static_cast<size_t>(i)]);
    }
  }
  v.vt = VT_ARRAY | type;
  v.parray = array;
  return v;
}

TEST(WordRectangle, OnlyAnArrayOfFourNumbersIsARectangle) {
  struct Case {
    const char* name;
    VARIANT value;
    bool ok;
  };
  VARIANT missing;
  VariantInit(&missing);
  missing.vt = VT_ERROR;
  missing.scode = DISP_E_PARAMNOTFOUND;
  VARIANT empty;
  VariantInit(&empty);
  VARIANT number;
  VariantInit(&number);
  number.vt = VT_I4;
  number.lVal = 5;
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"10,20,30,40");
  std::vector<Case> cases = {
      {"missing", missing, false},
      {"empty", empty, false},
      {"a number", number, false},
      {"a string", text, false},
      {"three numbers", ArrayOf(VT_I4, {10, 20, 30}), false},
      {"16-bit elements", ArrayOf(VT_I2, {10, 20, 30, 40}), false},
      {"four 32-bit numbers", ArrayOf(VT_I4, {10, 20, 30, 40}), true},
      {"five numbers", ArrayOf(VT_I4, {10, 20, 30, 40, 50}), true},
      {"variants of numbers (VBScript)", ArrayOf(VT_VARIANT, {10, 20, 30, 40}), true},
  };
  for (auto& c : cases) {
    RECT rect{1, 1, 1, 1};
    EXPECT_EQ(c.ok, ReadWordRect(c.value, &rect)) << c.name;
    if (c.ok) {
      EXPECT_EQ(10, rect.left) << c.name;
      EXPECT_EQ(20, rect.top) << c.name;
      EXPECT_EQ(30, rect.right) << c.name;
      EXPECT_EQ(40, rect.bottom) << c.name;
    } else {
      EXPECT_TRUE(rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0) << c.name;
    }
    VariantClear(&c.value);
  }
}

TEST(WordRectangle, PointsUnpackSigned) {
  POINT p = UnpackPoint(static_cast<LONG>((0xFFFFu << 16) | 0xFFF6u));
  EXPECT_EQ(-10, p.x);
  EXPECT_EQ(-1, p.y);
  p = UnpackPoint((200 << 16) | 300);
  EXPECT_EQ(300, p.x);
  EXPECT_EQ(200, p.y);
}

// The word at (500..540, 300..318) on a 1280 x 1024 work area, unless a
// row says otherwise; the anchor is the word's bottom-left corner.
TEST(WordPopupPlacement, BesideTheWordInsideTheWorkArea) {
  const RECT area{0, 0, 1280, 1024};
  struct Case {
    const char* name;
    RECT area;
    POINT anchor;
    LONG wordTop;
    SIZE size;
    RECT expected;
  };
  const Case cases[] = {
      {"room below and right", area, {500, 318}, 300, {200, 100}, {505, 321, 705, 421}},
      {"right edge: left of the anchor", area, {1200, 318}, 300, {200, 100}, {1000, 321, 1200, 421}},
      {"bottom edge: above the word's top", area, {500, 1018}, 1000, {200, 103}, {505, 894, 705, 997}},
      {"both edges", area, {1200, 1018}, 1000, {200, 103}, {1000, 894, 1200, 997}},
      {"wider than the area: cut to it", area, {500, 318}, 300, {2213, 63}, {0, 321, 1280, 384}},
      {"taller than the area: cut to it", area, {500, 318}, 300, {200, 3000}, {505, 0, 705, 1024}},
      {"fits neither side, more room above", area, {500, 900}, 880, {200, 900}, {505, 0, 705, 900}},
      {"fits neither side, more room below", area, {500, 120}, 100, {200, 950}, {505, 74, 705, 1024}},
      {"a second monitor to the right", RECT{1280, 0, 2560, 1024}, {2500, 1018}, 1000, {200, 103},
       {2300, 894, 2500, 997}},
      {"a work area above a task bar", RECT{0, 0, 1280, 984}, {500, 980}, 962, {200, 60}, {505, 899, 705, 959}},
  };
  for (const Case& c : cases) {
    const RECT got = PlaceWordPopup(c.area, c.anchor, c.wordTop, c.size);
    EXPECT_EQ(c.expected.left, got.left) << c.name;
    EXPECT_EQ(c.expected.top, got.top) << c.name;
    EXPECT_EQ(c.expected.right, got.right) << c.name;
    EXPECT_EQ(c.expected.bottom, got.bottom) << c.name;
  }
}

TEST(CharacterReferences, DecodeOnceAndKeepWhatIsNoDecimalReference) {
  const struct {
    std::wstring in;
    std::wstring out;
  } cases[] = {
      {L"&#1087;&#1088;", L"\x043F\x0440"},
      {L"a&#0;b&#1087;", L"a&#0;b\x043F"},
      {L"&#x43F;&#1088;", L"&#x43F;\x0440"},
      {L"&#38;#1087;", L"&#1087;"},  // the "&" it yields is not read again
      {L"&amp;#1087;", L"&amp;#1087;"},
      {L"&#128512;", L"\xD83D\xDE00"},  // above U+FFFF: a surrogate pair, not cut
      {L"&#55357;", L"&#55357;"},       // a lone surrogate stays text
      {L"&#99999999999;", L"&#99999999999;"},
      {L"&#;&#12", L"&#;&#12"},
      {L"no references", L"no references"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.out, DecodeCharacterReferences(c.in)) << testing::PrintToString(c.in);
}

TEST(TranslationRuns, SplitAtAngleBrackets) {
  auto runs = SplitTranslationRuns(L"one <two> three");
  ASSERT_EQ(3u, runs.size());
  EXPECT_EQ(L"one", runs[0].text);
  EXPECT_FALSE(runs[0].marked);
  EXPECT_EQ(L"two ", runs[1].text);
  EXPECT_TRUE(runs[1].marked);
  EXPECT_EQ(L"three", runs[2].text);
  EXPECT_FALSE(runs[2].marked);
  EXPECT_TRUE(SplitTranslationRuns(L"plain text").empty());
  runs = SplitTranslationRuns(L"open <but never closed");
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ(L"open <but never closed", runs[0].text);
  EXPECT_FALSE(runs[0].marked);
}

class ServerListTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_.Ok());
    host_.Messages().Chain([this](platform::Message& m, LRESULT& r) { return list_.HandleOwnerDraw(m, r); });
    ASSERT_TRUE(host_.Create(nullptr, nullptr, L"host", WS_POPUP) != nullptr);
    RECT area{0, 0, 300, 200};
    ASSERT_TRUE(list_.Create(host_.Hwnd(), &area, L"", 0x56000020 | CVQDMainList::kOwnStyle) != nullptr);
    ASSERT_TRUE(list_.Initialize());
  }
  std::vector<std::wstring> ListBoxTexts() {
    std::vector<std::wstring> texts;
    LRESULT count = SendMessageW(list_.Hwnd(), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring text(static_cast<size_t>(SendMessageW(list_.Hwnd(), LB_GETTEXTLEN, i, 0)), L'\0');
      SendMessageW(list_.Hwnd(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      texts.push_back(text);
    }
    return texts;
  }

  platform::ComApartment apartment_;
  platform::Window host_;
  CVQDMainList list_;
};

const wchar_t kAnswer[] =
    L"<result><cform><source>table</source><psp>1</psp><translations>"
    L"<translation><result>&amp;#1089;&amp;#1090;&amp;#1086;&amp;#1083;</result></translation>"
    L"<translation><result>table &amp; chair</result></translation></translations></cform>"
    L"<cform><source>run</source><psp>0</psp><translations><translation><result>run</result></translation>"
    L"</translations></cform></result>";

TEST_F(ServerListTest, HeadingsAndNumberedTranslationsFromTheAnswer) {
  ASSERT_TRUE(list_.FillFromResult(kAnswer, 0));
  std::vector<std::wstring> expected = {L"table, Noun", L"1.\x0441\x0442\x043E\x043B", L"2.table & chair", L"run",
                                        L"1.run"};
  EXPECT_EQ(expected, ListBoxTexts());
  ASSERT_EQ(expected.size(), list_.Lines().size());
  const int kinds[] = {1, 0, 0, 1, 0};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(kinds[i], list_.Lines()[i].kind) << i;
  EXPECT_EQ(static_cast<int>(expected.size()) * list_.BaseItemHeight(), list_.TotalHeight());
  EXPECT_GT(list_.WidestLine(), 0);
}

TEST_F(ServerListTest, TextThatIsNoXmlIsAMessageOrThePlainText) {
  ASSERT_TRUE(list_.FillFromResult(L"zorblax", 1));
  std::vector<std::wstring> message = {L"The word 'zorblax' is not found in the dictionary.",
                                       L"Check the selected language pair."};
  EXPECT_EQ(message, ListBoxTexts());
  EXPECT_EQ(1, list_.Lines()[0].kind);
  EXPECT_EQ(L"zorblax", list_.Lines()[0].record);
  ASSERT_TRUE(list_.FillFromResult(L"Plain. Text", 0));
  EXPECT_EQ(std::vector<std::wstring>{L"Plain. Text"}, ListBoxTexts());
  EXPECT_EQ(0, list_.Lines()[0].kind);
}

TEST_F(ServerListTest, EmptyElementsGiveEmptyTextsAndMissingChildrenFail) {
  ASSERT_TRUE(list_.FillFromResult(L"<r><cform><source/><psp/><translations><translation><result/></translation>"
                                   L"</translations></cform></r>",
                                   0));
  EXPECT_EQ((std::vector<std::wstring>{L"", L"1."}), ListBoxTexts());
  EXPECT_THROW(list_.FillFromResult(L"<r><cform><psp>1</psp></cform></r>", 0), platform::ComError);
  ASSERT_TRUE(list_.FillFromResult(L"<r/>", 0));
  EXPECT_TRUE(ListBoxTexts().empty());
}

TEST_F(ServerListTest, LongAnswersNeedNoFixedBuffer) {
  std::wstring answer = L"<r>";
  for (int i = 0; i < 300; ++i)
    answer += L"<cform><source>w" + std::to_wstring(i) + L"</source><psp>1</psp><translations><translation><result>" +
              std::wstring(200, L'x') + L"</result></translation></translations></cform>";
  answer += L"</r>";
  ASSERT_TRUE(list_.FillFromResult(answer, 0));
  EXPECT_EQ(600u, list_.Lines().size());
  EXPECT_EQ(L"1." + std::wstring(200, L'x'), list_.Lines()[599].text);
}

TEST(BrowserObjectPopups, WithoutAConnectorEveryKindAnswersEPointer) {
  platform::ComApartment apartment;
  auto browser = platform::MakeComObject<CNorvaBrowserClass>();
  VARIANT missing;
  VariantInit(&missing);
  missing.vt = VT_ERROR;
  missing.scode = DISP_E_PARAMNOTFOUND;
  for (int kind : {0, 1, 2, 3}) {
    VARIANT type;
    VariantInit(&type);
    type.vt = VT_I4;
    type.lVal = kind;
    BSTR text = SysAllocString(L"table");
    EXPECT_EQ(E_POINTER, browser->TranslateTextDlg(text, 0, missing, type, missing)) << "kind " << kind;
    SysFreeString(text);
  }
}

// String `id` of the program's resources in exactly that language; empty
// when the language has no block for it or the block leaves it empty.
std::wstring StringIn(WORD language, UINT id) {
  HRSRC found = FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
  if (!found) return std::wstring();
  const auto* p = static_cast<const WCHAR*>(LockResource(LoadResource(nullptr, found)));
  for (UINT i = 0; p && i < id % 16; ++i) p += 1 + *p;
  return p ? std::wstring(p + 1, *p) : std::wstring();
}

TEST(PopupStrings, EveryLanguageCarriesEveryStringOfItsBlocks) {
  const WORD languages[] = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL),
                            MAKELANGID(LANG_FRENCH, SUBLANG_NEUTRAL), MAKELANGID(LANG_SPANISH, SUBLANG_NEUTRAL),
                            MAKELANGID(LANG_RUSSIAN, SUBLANG_NEUTRAL)};
  std::vector<UINT> ids;
  for (UINT id = 128; id <= 155; ++id) ids.push_back(id);
  for (UINT id : {157u, 158u, 159u, 160u, 164u, 220u, 223u, 224u, 228u, 229u}) ids.push_back(id);
  for (WORD language : languages)
    for (UINT id : ids) EXPECT_FALSE(StringIn(language, id).empty()) << "language " << std::hex << language << std::dec << " string " << id;
  EXPECT_EQ(L"R", StringIn(MAKELANGID(LANG_RUSSIAN, SUBLANG_NEUTRAL), 223));
  EXPECT_EQ(L"Substantiv", StringIn(MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL), 142));
}

}  // namespace
