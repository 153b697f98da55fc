#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The patterns of page-language detection.
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
