#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "browserproxy/kernel/PageLanguagePatterns.h"
#include "platform/regex/Regex.h"

namespace {

using platform::Regex;
using platform::RegexError;

constexpr const wchar_t* kNoMatch = L"<no match>";

struct SearchCase {
  const wchar_t* pattern;
  Regex::Case caseMode;
  const wchar_t* text;
  const wchar_t* whole;  // kNoMatch when nothing matches
  std::vector<const wchar_t*> groups;  // nullptr for a group that took no part
};

const Regex::Case S = Regex::Case::Sensitive;
const Regex::Case I = Regex::Case::Insensitive;

// The patterns page-language detection ships.
const wchar_t* const kShippedCharset = page_language_patterns::kCharsetValue;
const wchar_t* const kShippedLang = page_language_patterns::kHtmlLangValue;

// Earlier forms of the page-language patterns.
const wchar_t* const kCharset = L"<meta.*?charset={.*?}[\"'\\b]";
const wchar_t* const kLang = L"<html.*?\\b+lang=[\"']?{\\w(-\\w)?}[\"'\\b]";
const wchar_t* const kTitle = L"<title>{.*?}</title>";

const SearchCase kSearchCases[] = {
    // Literals, any character, classes.
    {L"abc", S, L"xxabcxx", L"abc", {}},
    {L"abc", S, L"xxABCxx", kNoMatch, {}},
    {L"abc", I, L"xxABCxx", L"ABC", {}},
    {L"a.c", S, L"a\nc", L"a\nc", {}},
    {L"[a-c]+", S, L"xxbcaxx", L"bca", {}},
    {L"[^a-c]+", S, L"abxyzc", L"xyz", {}},
    {L"[a-c]+", I, L"xBCAx", L"BCA", {}},
    {L"[^x]+", I, L"XXabX", L"ab", {}},
    {L"[]a]+", S, L"x]a]x", L"]a]", {}},
    {L"[a-]+", S, L"x-a-x", L"-a-", {}},
    {L"\\.\\*\\{", S, L"a.*{b", L".*{", {}},
    {L"\u0434\u043e\u043c", I, L"\u0414\u041e\u041c!", L"\u0414\u041e\u041c", {}},
    // Abbreviations.
    {L"\\d+", S, L"ab123c", L"123", {}},
    {L"\\z", S, L"ab123c", L"123", {}},
    {L"\\h+", S, L"xx0aF9g", L"0aF9", {}},
    {L"\\a+", S, L"--ab12--", L"ab12", {}},
    {L"\\c+", S, L"12ab34", L"ab", {}},
    {L"\\w", S, L"12 word 34", L"word", {}},
    {L"a\\b+b", S, L"a \t b", L"a \t b", {}},
    {L"a\\bb", S, L"a\nb", kNoMatch, {}},
    {L"\\q", S, L"say \"hi there\" now", L"\"hi there\"", {}},
    {L"\\q", S, L"say 'hi' now", L"'hi'", {}},
    {L"a\\nb", S, L"a\r\nb", L"a\r\nb", {}},
    {L"a\\nb", S, L"a\rb", L"a\rb", {}},
    {L"{\\n}", S, L"x\r\ny", L"\r", {L"\r"}},
    {L"{\\n}", S, L"x\ny", L"\n", {L"\n"}},
    {L"[\\d\\b]+", S, L"x1 2\t3x", L"1 2\t3", {}},
    // Groups, alternation, quantifiers.
    {L"{a}{b}?{c}", S, L"ac", L"ac", {L"a", nullptr, L"c"}},
    {L"{(ab)+}", S, L"xababx", L"abab", {L"abab"}},
    {L"{a|b}+", S, L"xabbax", L"abba", {L"a"}},
    {L"cat|dog", S, L"hotdog", L"dog", {}},
    {L"{a.*b}", S, L"axbxb", L"axbxb", {L"axbxb"}},
    {L"{a.*?b}", S, L"axbxb", L"axb", {L"axb"}},
    {L"{a+?}", S, L"aaa", L"a", {L"a"}},
    {L"{a??}a", S, L"aa", L"a", {L""}},
    {L"{a?}a", S, L"aa", L"aa", {L"a"}},
    {L"{x*}", S, L"abc", L"", {L""}},
    {L"{(a*)*}b", S, L"aab", L"aab", {L"aa"}},
    {L"{a{b}c}", S, L"xabcx", L"abc", {L"abc", L"b"}},
    {L"x{a}*y", S, L"xy", L"xy", {nullptr}},
    {L"{a|ab}{c|bcd}", S, L"abcd", L"abcd", {L"a", L"bcd"}},
    {L"{.*?}={.*}", S, L"k=v=w", L"k=v=w", {L"k", L"v=w"}},
    {L"a|", S, L"bbb", L"", {}},
    {L"", S, L"abc", L"", {}},
    {L"{()}b", S, L"ab", L"b", {L""}},
    // Anchors.
    {L"^ab", S, L"abab", L"ab", {}},
    {L"^b", S, L"ab", kNoMatch, {}},
    {L"b$", S, L"abab", L"b", {}},
    {L"a$", S, L"aba", L"a", {}},
    {L"^$", S, L"", L"", {}},
    // Negation: the place does not start the sub-pattern.
    {L"a!b", S, L"abac", L"a", {}},
    {L"{a!b.}", S, L"abac", L"ac", {L"ac"}},
    {L"{(!<.)+}<", S, L"xy<z", L"xy<", {L"xy"}},
    // Page-language detection.
    {kCharset, I, L"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
     L"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"",
     {L"windows-1251"}},
    {kCharset, I, L"<META content=\"text/html; CHARSET=ISO-8859-1 \">", L"<META content=\"text/html; CHARSET=ISO-8859-1 ",
     {L"ISO-8859-1"}},
    {kCharset, I, L"<head><meta charset=\"utf-8\"><title>t</title>", L"<meta charset=\"", {L""}},
    {kCharset, I, L"<head><meta name=a><p>charset=utf-8'</p>", L"<meta name=a><p>charset=utf-8'", {L"utf-8"}},
    {kCharset, I, L"<head>charset=utf-8\"", kNoMatch, {}},
    {kLang, I, L"<!DOCTYPE html><html xmlns=\"x\" lang=\"de-DE\">", L"<html xmlns=\"x\" lang=\"de-DE\"",
     {L"de-DE"}},
    {kLang, I, L"<HTML LANG=\"DE\">", L"<HTML LANG=\"DE\"", {L"DE"}},
    {kLang, I, L"<html\tlang='en' dir=ltr>", L"<html\tlang='en'", {L"en"}},
    {kLang, I, L"<html lang=fr >", L"<html lang=fr ", {L"fr"}},
    {kLang, I, L"<html lang=fr>", kNoMatch, {}},
    {kLang, I, L"<html lang=\"12\">", kNoMatch, {}},
    {kTitle, I, L"<head><TITLE>Die Seite</TITLE></head>", L"<TITLE>Die Seite</TITLE>", {L"Die Seite"}},
    {kTitle, I, L"<title>a</title><title>b</title>", L"<title>a</title>", {L"a"}},
    {kTitle, I, L"<title>line one\r\nline two</title>", L"<title>line one\r\nline two</title>",
     {L"line one\r\nline two"}},
    {kTitle, I, L"<title></title>", L"<title></title>", {L""}},
    {kTitle, I, L"<title>never closed", kNoMatch, {}},
    // The shipped page-language patterns.
    {kShippedCharset, I, L"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
     L"charset=windows-1251\"", {L"windows-1251"}},
    {kShippedCharset, I, L"<meta charset=utf-8>", L"charset=utf-8>", {L"utf-8"}},
    {kShippedCharset, I, L"<META CONTENT='text/html;CHARSET=KOI8-R;'>", L"CHARSET=KOI8-R;", {L"KOI8-R"}},
    {kShippedCharset, I, L"<meta charset=\"utf-8\">", L"charset=\"", {L""}},
    {kShippedCharset, I, L"charset=iso-8859-1/x", L"charset=iso-8859-1/", {L"iso-8859-1"}},
    {kShippedCharset, I, L"charset=utf-8", kNoMatch, {}},
    {kShippedCharset, I, L"char set=utf-8;", kNoMatch, {}},
    {kShippedLang, I, L"<!DOCTYPE html><html xmlns=\"x\" lang=\"de-DE\">", L"<html xmlns=\"x\" lang=\"de-DE\"",
     {L"de-DE"}},
    {kShippedLang, I, L"<HTML LANG=\"DE\">", L"<HTML LANG=\"DE\"", {L"DE"}},
    {kShippedLang, I, L"<html\tlang='en' dir=ltr>", L"<html\tlang='en'", {L"en"}},
    {kShippedLang, I, L"<html lang=fr>", L"<html lang=fr>", {L"fr"}},
    {kShippedLang, I, L"<html lang=pt-br/>", L"<html lang=pt-br/", {L"pt-br"}},
    {kShippedLang, I, L"<html xml:lang=\"en\">", kNoMatch, {}},
    {kShippedLang, I, L"<html><body lang=\"en\">", kNoMatch, {}},
    {kShippedLang, I, L"<html lang=\"12\">", kNoMatch, {}},
    {kShippedLang, I, L"<html lang=\"\">", kNoMatch, {}},
};

TEST(Regex, SearchTable) {
  for (size_t i = 0; i < std::size(kSearchCases); ++i) {
    const SearchCase& c = kSearchCases[i];
    std::wstring text = c.text;
    auto match = Regex(c.pattern, c.caseMode).Search(text);
    const std::wstring expected = c.whole;
    const std::wstring got = match ? std::wstring(match->Whole().In(text)) : kNoMatch;
    EXPECT_EQ(expected, got) << "case " << i;
    if (!match || expected == kNoMatch) continue;
    ASSERT_EQ(c.groups.size() == 0 ? match->GroupCount() : c.groups.size(), match->GroupCount()) << "case " << i;
    for (size_t g = 0; g < c.groups.size(); ++g) {
      if (c.groups[g] == nullptr) {
        EXPECT_FALSE(match->Group(g).Matched()) << "case " << i << " group " << g;
      } else {
        EXPECT_TRUE(match->Group(g).Matched()) << "case " << i << " group " << g;
        EXPECT_EQ(std::wstring(c.groups[g]), std::wstring(match->Group(g).In(text)))
            << "case " << i << " group " << g;
      }
    }
  }
}

TEST(Regex, SpansAreOffsetsIntoTheText) {
  std::wstring text = L"xx<title>abc</title>";
  auto match = Regex(kTitle).Search(text);
  ASSERT_TRUE(match.has_value());
  EXPECT_EQ(2u, match->Whole().start);
  EXPECT_EQ(text.size(), match->Whole().end);
  EXPECT_EQ(9u, match->Group(0).start);
  EXPECT_EQ(12u, match->Group(0).end);
  EXPECT_FALSE(match->Group(5).Matched());
}

TEST(Regex, MatchAtStartsExactlyAtThePosition) {
  Regex number(L"\\d+");
  std::wstring text = L"ab12cd345";
  EXPECT_FALSE(number.MatchAt(text, 0).has_value());
  auto at2 = number.MatchAt(text, 2);
  ASSERT_TRUE(at2.has_value());
  EXPECT_EQ(L"12", std::wstring(at2->Whole().In(text)));
  auto from4 = number.Search(text, 4);
  ASSERT_TRUE(from4.has_value());
  EXPECT_EQ(6u, from4->Whole().start);
  EXPECT_FALSE(number.Search(text, 10).has_value()) << "a start past the end finds nothing";
}

TEST(Regex, BadPatternsAreRejected) {
  const wchar_t* bad[] = {L"a**", L"*a", L"a|+", L"{a", L"a}", L"(a", L"a)", L"[abc", L"[z-a]",
                          L"a\\", L"!", L"a!", L"^*", L"{a)}", L"[\\", L"<{.*?}>.*</\\0>"};
  for (size_t i = 0; i < std::size(bad); ++i) {
    EXPECT_THROW(Regex{bad[i]}, RegexError) << "case " << i << " " << std::wstring(bad[i]).size();
    std::string error;
    EXPECT_FALSE(Regex::TryCompile(bad[i], Regex::Case::Sensitive, &error).has_value()) << "case " << i;
    EXPECT_FALSE(error.empty()) << "case " << i;
  }
}

TEST(Regex, ErrorNamesThePlace) {
  try {
    Regex pattern(L"ab[c");
    FAIL() << "compiled";
  } catch (const RegexError& e) {
    EXPECT_EQ(4u, e.Position());
  }
}

// The engine against std::wregex as the reference: each pattern, written
// again in ECMAScript syntax, searched in every text over a small alphabet up
// to a length (after a fixed prefix); the whole match and every group agree.
struct DifferentialCase {
  const wchar_t* pattern;
  const wchar_t* ecmascript;  // {} -> (), () -> (?:), !x -> (?!x), . -> [\s\S]
  Regex::Case caseMode;
  const wchar_t* prefix;
  const wchar_t* alphabet;
  size_t maxLength;
};

const DifferentialCase kDifferentialCases[] = {
    {L"{a|ab}{c|bcd}", L"(a|ab)(c|bcd)", S, L"", L"abcd", 5},
    {L"{a.*?b}", L"(a[\\s\\S]*?b)", S, L"", L"abx\n", 5},
    {L"{a.*b}", L"(a[\\s\\S]*b)", S, L"", L"abx\n", 5},
    {L"{(ab)+}", L"((?:ab)+)", S, L"", L"ab", 6},
    {L"{a+?}{a*}b", L"(a+?)(a*)b", S, L"", L"ab", 5},
    {L"{a?\?}a", L"(a?\?)a", S, L"", L"ab", 4},
    {L"{a|b}+c", L"(a|b)+c", S, L"", L"abc", 5},
    {L"^{x*}y$", L"^(x*)y$", S, L"", L"xy", 5},
    {L"{\\d+}\\b*{\\c+}", L"([0-9]+)[ \\t]*([a-zA-Z]+)", S, L"", L"1a \tZ", 4},
    {L"{\\z}|{\\w}", L"([0-9]+)|([a-zA-Z]+)", S, L"", L"1aB-", 4},
    {L"{[^a-c]+}[a-c]", L"([^a-c]+)[a-c]", I, L"", L"aBxY", 4},
    {L"ab{c?}", L"ab(c?)", I, L"", L"aAbBcC", 4},
    {page_language_patterns::kCharsetValue, L"charset=([^\"' \\t;>/]*)[\"' \\t;>/]", I, L"x CharSet=",
     L"u8-\"; >", 4},
    {page_language_patterns::kHtmlLangValue,
     L"<html[^>]*?[ \\t]+lang=[\"']?([a-zA-Z]+(?:-[a-zA-Z]+)?)[\"' \\t;>/]", I, L"<HTML lang=", L"e-'\" >", 4},
    {page_language_patterns::kHtmlLangValue,
     L"<html[^>]*?[ \\t]+lang=[\"']?([a-zA-Z]+(?:-[a-zA-Z]+)?)[\"' \\t;>/]", I, L"<html", L" l>=e", 4},
};

// Every text over the alphabet of length 0 to maxLength.
std::vector<std::wstring> TextsOver(const std::wstring& alphabet, size_t maxLength) {
  std::vector<std::wstring> texts{L""};
  for (size_t begin = 0, length = 1; length <= maxLength; ++length) {
    const size_t end = texts.size();
    for (size_t i = begin; i < end; ++i)
      for (wchar_t c : alphabet) texts.push_back(texts[i] + c);
    begin = end;
  }
  return texts;
}

// "whole|group|group..." with "-" for a group that took no part, or no match.
std::wstring Describe(const std::optional<platform::RegexMatch>& match, const std::wstring& text) {
  if (!match) return kNoMatch;
  std::wstring out(match->Whole().In(text));
  for (size_t g = 0; g < match->GroupCount(); ++g)
    out += L"|" + (match->Group(g).Matched() ? std::wstring(match->Group(g).In(text)) : std::wstring(L"-"));
  return out;
}

std::wstring Describe(bool found, const std::wsmatch& match) {
  if (!found) return kNoMatch;
  std::wstring out = match[0].str();
  for (size_t g = 1; g < match.size(); ++g) out += L"|" + (match[g].matched ? match[g].str() : std::wstring(L"-"));
  return out;
}

TEST(Regex, AgreesWithTheStandardLibraryOnShortTexts) {
  for (size_t i = 0; i < std::size(kDifferentialCases); ++i) {
    const DifferentialCase& c = kDifferentialCases[i];
    const Regex pattern(c.pattern, c.caseMode);
    auto flags = std::regex_constants::ECMAScript;
    if (c.caseMode == I) flags |= std::regex_constants::icase;
    const std::wregex reference(c.ecmascript, flags);
    int disagreements = 0;
    for (const std::wstring& tail : TextsOver(c.alphabet, c.maxLength)) {
      const std::wstring text = c.prefix + tail;
      std::wsmatch found;
      const bool referenceFound = std::regex_search(text, found, reference);
      const std::wstring expected = Describe(referenceFound, found);
      const std::wstring got = Describe(pattern.Search(text), text);
      if (expected != got && ++disagreements <= 3)
        ADD_FAILURE() << "case " << i << " text " << testing::PrintToString(text) << ": expected "
                      << testing::PrintToString(expected) << ", got " << testing::PrintToString(got);
    }
    EXPECT_EQ(0, disagreements) << "case " << i;
  }
}

// Inputs that make a backtracking matcher take exponential or quadratic time
// complete here; ctest's time-out is the guard.
TEST(Regex, LargeInputsStayLinear) {
  std::wstring page = L"<html><head><title>";
  page.append(10 * 1024 * 1024, L'x');
  EXPECT_FALSE(Regex(kTitle, Regex::Case::Insensitive).Search(page).has_value());
  EXPECT_FALSE(Regex(kCharset, Regex::Case::Insensitive).Search(page).has_value());
  page += L"</TITLE>";
  auto title = Regex(kTitle, Regex::Case::Insensitive).Search(page);
  ASSERT_TRUE(title.has_value());
  EXPECT_EQ(10u * 1024 * 1024, title->Group(0).Length());

  std::wstring as(100000, L'a');
  EXPECT_FALSE(Regex(L"{(a*)*}b").Search(as).has_value());
  EXPECT_FALSE(Regex(L"(a|aa)*c").Search(as).has_value());
  EXPECT_FALSE(Regex(L"a*a*a*a*a*b").Search(as).has_value());
}

}  // namespace
