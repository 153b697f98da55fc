// The keyword list format: the text handed to the keyword analyser, the
// entries, the keyword reports and the heads of analysed files.
#include <gtest/gtest.h>

#include "analyzer/KeywordListText.h"

namespace {

using namespace ombrel;

struct AnalyzerTextCase {
  const wchar_t* name;
  std::wstring list;
  std::wstring expected;
};

class AnalyzerText : public testing::TestWithParam<AnalyzerTextCase> {};

TEST_P(AnalyzerText, HandsEachWordOnceInFirstSeenOrder) {
  EXPECT_EQ(GetParam().expected, AnalyzerTextOf(GetParam().list)) << testing::PrintToString(GetParam().list);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, AnalyzerText,
    testing::Values(
        AnalyzerTextCase{L"keyword and form", L"Bank\r\nbanks#123#Bank\r\nKredit", L"Bank\r\nbanks\r\nKredit\r\n"},
        AnalyzerTextCase{L"repeated keyword", L"bank\r\nloan\r\nbank", L"bank\r\nloan\r\n"},
        AnalyzerTextCase{L"form equal to a keyword", L"bank\r\nbank#123#bank", L"bank\r\n"},
        AnalyzerTextCase{L"trailing separator", L"bank\r\nloan\r\n", L"bank\r\nloan\r\n\r\n"},
        AnalyzerTextCase{L"empty entries after the first", L"bank\r\n\r\nloan\r\n\r\n", L"bank\r\n\r\nloan\r\n"},
        AnalyzerTextCase{L"empty list", L"", L"\r\n"},
        AnalyzerTextCase{L"case-sensitive", L"Bank\r\nbank", L"Bank\r\nbank\r\n"}),
    [](const auto& info) {
      std::string name;
      for (const wchar_t* c = info.param.name; *c; ++c) name += std::isalnum(*c) ? static_cast<char>(*c) : '_';
      return name;
    });

// A long list, each word with its form and repeated: every word once, in the
// order first seen, however many entries share a hash bucket.
TEST(KeywordEntries, ALongListKeepsEachWordOnceInOrder) {
  std::wstring list, expected;
  for (int i = 0; i < 5000; ++i) {
    const std::wstring word = L"w" + std::to_wstring(i);
    list += word + L"\r\n" + word + L"s#123#" + word + L"\r\n" + (i % 3 == 0 ? L"w0\r\n" + word + L"\r\n" : L"");
    expected += word + L"\r\n" + word + L"s\r\n";
  }
  list += L"W0";
  expected += L"W0\r\n";
  EXPECT_EQ(expected, AnalyzerTextOf(list));
}

TEST(KeywordEntries, FormsBelongToTheirWholeKeyword) {
  EXPECT_EQ(std::wstring_view(L"bank"), KeywordOfForm(L"banks#123#bank").value());
  EXPECT_EQ(std::wstring_view(L"banker"), KeywordOfForm(L"bankers#123#banker").value());
  EXPECT_NE(std::wstring_view(L"bank"), KeywordOfForm(L"bankers#123#banker").value());
  EXPECT_FALSE(KeywordOfForm(L"bank"));
  EXPECT_EQ(std::wstring_view(L"banks"), FormPartOf(L"banks#123#bank"));
}

struct ReportCase {
  const wchar_t* name;
  std::wstring report;
  std::map<std::wstring, std::wstring> expected;
};

class KeywordReport : public testing::TestWithParam<ReportCase> {};

TEST_P(KeywordReport, ParsesCountAndKeywordPerLine) {
  EXPECT_EQ(GetParam().expected, ParseKeywordReport(GetParam().report)) << testing::PrintToString(GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, KeywordReport,
    testing::Values(
        ReportCase{L"two lines", L"3 1 virus\r\n1 1 memory\r\n", {{L"memory", L"1"}, {L"virus", L"3"}}},
        ReportCase{L"no final line end keeps the last keyword", L"3 1 virus\r\n1 1 memory",
                   {{L"memory", L"1"}, {L"virus", L"3"}}},
        ReportCase{L"short line ends the parse", L"3 1 virus\r\n2 broken\r\n1 1 memory\r\n", {{L"virus", L"3"}}},
        ReportCase{L"repeated keyword keeps the last count", L"3 1 virus\r\n5 1 virus\r\n", {{L"virus", L"5"}}},
        ReportCase{L"empty", L"", {}}),
    [](const auto& info) {
      std::string name;
      for (const wchar_t* c = info.param.name; *c; ++c) name += std::isalnum(*c) ? static_cast<char>(*c) : '_';
      return name;
    });

std::vector<BYTE> Bytes(std::initializer_list<int> values) {
  std::vector<BYTE> bytes;
  for (int v : values) bytes.push_back(static_cast<BYTE>(v));
  return bytes;
}

TEST(FileHead, ReadsUtf16LittleEndianUnlessAMarkSaysOtherwise) {
  struct HeadCase {
    const char* name;
    std::vector<BYTE> bytes;
    std::wstring text;
  };
  const HeadCase cases[] = {
      {"mark FF FE", Bytes({0xFF, 0xFE, 'a', 0, 'b', 0}), L"ab"},
      {"no mark, odd byte count", Bytes({'a', 0, 'b', 0, 'c'}), L"ab"},
      {"mark FF FE, odd byte count", Bytes({0xFF, 0xFE, 'a', 0, 'b', 0, 'c'}), L"ab"},
      {"no mark, Cyrillic", Bytes({0x32, 4, 0x38, 4, 0x40, 4, 0x43, 4, 0x41, 4}), L"\x0432\x0438\x0440\x0443\x0441"},
      // High bytes of 0x30 and more are text too: quotation brackets, a ligature.
      {"no mark, high bytes above 0x30", Bytes({0x0C, 0x30, 'f', 0, 0x01, 0xFB, 0x0D, 0x30}), L"\x300C" L"f\xFB01\x300D"},
      {"no mark, 8-bit bytes", Bytes({'v', 'i', 'r', 'u'}), L"\x6976\x7572"},
      {"mark FE FF", Bytes({0xFE, 0xFF, 0, 'a', 0x30, 0x0C}), L"a\x300C"},
      {"mark EF BB BF", Bytes({0xEF, 0xBB, 0xBF, 'c', 'a', 'f', 0xC3, 0xA9}), L"caf\x00E9"},
      {"mark EF BB BF, last character cut", Bytes({0xEF, 0xBB, 0xBF, 'c', 'a', 'f', 0xC3}), L"caf"},
      {"lead surrogate cut at the end", Bytes({'a', 0, 0x3D, 0xD8}), L"a"},
      {"empty", Bytes({}), L""},
  };
  for (const HeadCase& c : cases) EXPECT_EQ(c.text, DecodeFileHead(c.bytes)) << c.name;
}

TEST(StoredLists, Utf16StreamOfOddLengthIsWholeCharacters) {
  EXPECT_EQ(L"ab", DecodeUtf16List(Bytes({'a', 0, 'b', 0, 'x'})));
  EXPECT_EQ(L"", DecodeUtf16List({}));
}

TEST(StoredLists, EntriesIncludeTheOneAfterTheLastSeparator) {
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L""}), SplitEntries(L"a\r\nb\r\n"));
  EXPECT_EQ((std::vector<std::wstring>{L""}), SplitEntries(L""));
}

}  // namespace
