// The stand-in kernel's engine: its data, word translation, language
// detection, document pieces and text files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "DocumentPieces.h"
#include "KernelData.h"
#include "KeywordMatcher.h"
#include "LanguageDetector.h"
#include "TempFolder.h"
#include "TextFile.h"
#include "WordTranslator.h"

using namespace kernelstandin;

namespace {

const KernelData& Data() { return *KernelData::Installed(); }

std::wstring Translate(long dirId, const wchar_t* templateId, const wchar_t* text) {
  const TemplateInfo* info = Data().FindTemplate(dirId, templateId);
  EXPECT_NE(nullptr, info) << std::hex << dirId;
  return info ? TranslateWords(info->words, text) : L"";
}

std::wstring Join(const std::vector<DocumentPiece>& pieces, bool translatedOnly) {
  std::wstring out;
  for (const auto& p : pieces)
    if (!translatedOnly || p.translate) out += (translatedOnly ? L"[" + p.text + L"]" : p.text);
  return out;
}

}  // namespace

TEST(KernelDataTest, OffersTheSixDirectionsOfThreeLanguagesWithSeveralTemplates) {
  const long expected[] = {0x20001, 0x10002, 0x40001, 0x10004, 0x20004, 0x40002};
  ASSERT_EQ(6u, Data().Directions().size());
  for (size_t i = 0; i < 6; ++i) {
    const DirectionInfo& d = Data().Directions()[i];
    EXPECT_EQ(expected[i], d.id) << "direction " << i;
    EXPECT_FALSE(d.name.empty()) << "direction " << i;
    EXPECT_LE(3u, d.templates.size()) << "direction " << i;
    for (const auto& t : d.templates) {
      EXPECT_NE(t.id, t.name) << "direction " << i;
      EXPECT_LE(300u, t.words.size()) << "direction " << i;
    }
  }
  EXPECT_EQ(nullptr, Data().FindDirection(0x80001));
}

TEST(WordTranslatorTest, TranslatesWordByWordKeepingCaseAndUnknownWords) {
  struct Case {
    long dir;
    const wchar_t* tpl;
    const wchar_t* source;
    const wchar_t* expected;
  } cases[] = {
      {0x20001, L"GENERAL", L"Hello world", L"Привет мир"},
      {0x20001, L"GENERAL", L"HELLO, my friend!", L"ПРИВЕТ, мой друг!"},
      {0x20001, L"GENERAL", L"The house is big", L"дом есть большой"},
      {0x20001, L"GENERAL", L"a Zorblax table", L"Zorblax стол"},
      {0x20001, L"COMPUTER", L"a Zorblax table", L"Zorblax таблица"},
      {0x20001, L"BUSINESS", L"interest", L"проценты"},
      {0x10002, L"GENERAL", L"Привет, мир", L"Hello, world"},
      {0x40001, L"GENERAL", L"the green tree", L"der grün baum"},
      {0x10004, L"GENERAL", L"Guten Morgen, Welt", L"Guten Tomorrow, World"},
      {0x20004, L"GENERAL", L"Hallo Welt", L"Привет Мир"},
      {0x40002, L"GENERAL", L"Спасибо", L"Danke"},
      {0x20001, L"GENERAL", L"", L""},
      {0x20001, L"GENERAL", L"  \r\n12 ", L"  \r\n12 "},
  };
  int i = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(std::wstring(c.expected), Translate(c.dir, c.tpl, c.source)) << "case " << i;
    ++i;
  }
}

TEST(LanguageDetectorTest, TellsEnglishRussianAndGerman) {
  struct Case {
    const wchar_t* text;
    long expected;
  } cases[] = {
      {L"The weather is good today", kEnglish},
      {L"Сегодня хорошая погода", kRussian},
      {L"Das Wetter ist heute gut", kGerman},
      {L"Größe", kGerman},
      {L"<title>Hello world</title>", kEnglish},
      {L"12345 !!", 0},
      {L"", 0},
      {L"xqzt vbnmr", 0},
  };
  int i = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, DetectLanguage(Data(), c.text)) << "case " << i;
    ++i;
  }
}

TEST(DocumentPiecesTest, HtmlKeepsMarkupReferencesAndScripts) {
  const std::wstring page =
      L"<html><head><style>p { color: red }</style><script>var hello = 1;</script></head>"
      L"<body><p class=\"a>b\">Hello &amp; world</p><!-- hello --><SCRIPT>x</SCRIPT>bye</body></html>";
  auto pieces = SplitHtml(page);
  EXPECT_EQ(page, Join(pieces, false));
  EXPECT_EQ(L"[Hello ][ world][bye]", Join(pieces, true));
}

TEST(DocumentPiecesTest, PlainTextCutsAtLineBreaks) {
  auto pieces = SplitPlainText(L"one\r\ntwo\n\nthree");
  EXPECT_EQ(L"one\r\ntwo\n\nthree", Join(pieces, false));
  EXPECT_EQ(L"[one][two][three]", Join(pieces, true));
}

TEST(TextFileTest, WritesAndReadsEachKind) {
  testsupport::TempFolder folder;
  const std::wstring text = L"Привет <b>Größe</b>";
  for (long kind : {1L, 2L, 21L, 20L}) {
    std::wstring path = folder.File(L"f" + std::to_wstring(kind) + L".txt");
    ASSERT_EQ(S_OK, WriteTextFile(path, kind, text)) << "kind " << kind;
    std::wstring back;
    ASSERT_EQ(S_OK, ReadTextFile(path, kind, &back)) << "kind " << kind;
    EXPECT_EQ(text, back) << "kind " << kind;
  }
  std::wstring missing;
  EXPECT_TRUE(FAILED(ReadTextFile(folder.File(L"none.txt"), 1, &missing)));
}

struct MatchCase {
  const char* name;
  std::vector<std::wstring> words;
  std::wstring text;
  std::vector<unsigned> expected;
};

class KeywordMatcherTest : public testing::TestWithParam<MatchCase> {};

// The hits as one count per word id.
std::vector<unsigned> CountsOf(kernelstandin::KeywordMatcher& matcher, std::wstring_view text) {
  std::vector<unsigned> counts(matcher.Size(), 0);
  for (const auto& hit : matcher.Count(text)) counts.at(hit.word) += hit.count;
  return counts;
}

TEST_P(KeywordMatcherTest, CountsWholeWordsWithoutRegardToCase) {
  kernelstandin::KeywordMatcher matcher;
  for (const std::wstring& word : GetParam().words) matcher.Add(word);
  EXPECT_EQ(GetParam().expected, CountsOf(matcher, GetParam().text)) << GetParam().name;
  EXPECT_EQ(GetParam().expected, CountsOf(matcher, GetParam().text)) << GetParam().name << ", counted again";
}

TEST(KeywordMatcherHits, OnlyTheWordsFoundAreReported) {
  kernelstandin::KeywordMatcher matcher;
  for (int i = 0; i < 20000; ++i) matcher.Add(L"word" + std::to_wstring(i));
  EXPECT_TRUE(matcher.Count(L"x").empty());
  auto hits = matcher.Count(L"WORD7 word19999, word7 words7 aword7");
  ASSERT_EQ(2u, hits.size());
  std::sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) { return a.word < b.word; });
  EXPECT_EQ(7u, hits[0].word);
  EXPECT_EQ(2u, hits[0].count);
  EXPECT_EQ(19999u, hits[1].word);
  EXPECT_EQ(1u, hits[1].count);
  // Words added after a count are found by the next one.
  matcher.Add(L"aword7");
  EXPECT_EQ(1u, CountsOf(matcher, L"aword7 word7").back());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, KeywordMatcherTest,
    testing::Values(
        MatchCase{"whole words", {L"pro", L"program", L"programs"}, L"program programs pro-gram", {1, 1, 1}},
        MatchCase{"case", {L"Virus"}, L"VIRUS virus ViRuS viruses", {3}},
        MatchCase{"overlapping suffixes", {L"he", L"she", L"hers"}, L"she he hers shehe", {1, 1, 1}},
        MatchCase{"phrase", {L"new york", L"york"}, L"New York, york.", {1, 2}},
        MatchCase{"repeated word", {L"bank", L"bank", L""}, L"bank", {1, 1, 0}},
        MatchCase{"cyrillic", {L"вирус"}, L"ВИРУС вирусы вирус", {2}},
        MatchCase{"many moves from one letter", {L"ab", L"ac", L"ad", L"ae", L"af", L"ag", L"ah", L"ai", L"aj", L"ak", L"a"},
                  L"AK aj a ak-a", {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 2}},
        MatchCase{"nothing", {}, L"text", {}},
        MatchCase{"word at the text's end and start", {L"end"}, L"end of the end", {2}}),
    [](const auto& info) {
      std::string name;
      for (const char* c = info.param.name; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });
