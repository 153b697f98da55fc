#include "browserproxy/kernel/PageLanguage.h"

#include <array>
#include <string>

#include "NorvaKernel.h"
#include "browserproxy/core/NorvaConnector.h"
#include "browserproxy/kernel/KernelObject.h"
#include "browserproxy/kernel/PageLanguagePatterns.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/regex/Regex.h"

namespace {

using platform::Regex;

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; }

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool StartsNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

// Leftmost occurrence of a lower-case ASCII literal, in any letter case. The
// scan jumps between occurrences of the literal's first non-letter character,
// so a page is read once at the speed of a plain character search.
size_t FindNoCase(std::wstring_view text, std::wstring_view literal, size_t from = 0) {
  size_t anchor = 0;
  while (anchor < literal.size() && IsAsciiLetter(literal[anchor])) ++anchor;
  if (anchor == literal.size()) anchor = 0;
  for (size_t at = from + anchor;;) {
    size_t hit = text.find(literal[anchor], at);
    if (hit == std::wstring_view::npos) return hit;
    size_t start = hit - anchor;
    if (text.size() - start >= literal.size() && EqualNoCase(text.substr(start, literal.size()), literal))
      return start;
    at = hit + 1;
  }
}

const Regex& CharsetValue() {
  static const Regex pattern(page_language_patterns::kCharsetValue, Regex::Case::Insensitive);
  return pattern;
}

const Regex& HtmlLangValue() {
  static const Regex pattern(page_language_patterns::kHtmlLangValue, Regex::Case::Insensitive);
  return pattern;
}

LanguageFlag KernelDetect(std::wstring_view text) {
  auto detector = kernel_object::Create<INrvaLanguageDetector>(CLSID_NrvaLanguageDetector);
  platform::Bstr value(text);
  long language = 0;
  platform::ThrowIfFailed(detector->Detect(value.Get(), &language, 2, 3), L"language detection");
  return static_cast<LanguageFlag>(language);
}

LanguageFlag KernelDetectOrZero(std::wstring_view text) {
  try {
    return KernelDetect(text);
  } catch (...) {
    return language_flag::kUnknown;
  }
}

}  // namespace

UINT DetectPageCharset(std::wstring_view page) {
  size_t meta = FindNoCase(page, L"<meta");
  if (meta == std::wstring_view::npos) return 0;
  size_t charset = FindNoCase(page, L"charset=", meta);
  if (charset == std::wstring_view::npos) return 0;
  auto match = CharsetValue().MatchAt(page, charset);
  if (!match) return 0;
  std::wstring_view value = match->Group(0).In(page);
  if (value.empty()) return 0;
  if (EqualNoCase(value, L"windows-1251")) return 1251;
  if (EqualNoCase(value, L"windows-1252")) return 1252;
  if (StartsNoCase(value, L"iso-8859-1")) return 1252;
  if (EqualNoCase(value, L"utf-8")) return 65001;
  return 0;
}

LanguageFlag DetectPageLangAttr(std::wstring_view page) {
  size_t html = FindNoCase(page, L"<html");
  if (html == std::wstring_view::npos) return 0;
  auto match = HtmlLangValue().MatchAt(page, html);
  if (!match) return 0;
  std::wstring_view value = match->Group(0).In(page);
  static constexpr std::array<std::pair<std::wstring_view, LanguageFlag>, 6> kPrefixes{{
      {L"en", language_flag::kEnglish},
      {L"de", language_flag::kGerman},
      {L"fr", language_flag::kFrench},
      {L"es", language_flag::kSpanish},
      {L"pt", language_flag::kPortuguese},
      {L"it", language_flag::kItalian},
  }};
  for (const auto& [prefix, flag] : kPrefixes)
    if (StartsNoCase(value, prefix)) return flag;
  return 0;
}

LanguageFlag DetectPageLangByTitle(std::wstring_view page) {
  static constexpr std::wstring_view kOpen = L"<title>";
  size_t open = FindNoCase(page, kOpen);
  if (open == std::wstring_view::npos) return 0;
  size_t begin = open + kOpen.size();
  size_t close = FindNoCase(page, L"</title>", begin);
  if (close == std::wstring_view::npos || close == begin) return 0;
  return KernelDetectOrZero(page.substr(begin, close - begin));
}

LanguageFlag DetectTextLanguage(std::wstring_view text) { return KernelDetectOrZero(text); }

LanguageFlag DetectPageLanguage(std::wstring_view page) {
  UINT codePage = DetectPageCharset(page);
  if (codePage == 1251) return language_flag::kRussian;
  if (codePage == 1252 || codePage == 65001) {
    if (LanguageFlag flag = DetectPageLangAttr(page)) return flag;
  }
  return DetectPageLangByTitle(page);
}

LanguageFlag LanguageOfLocale(LCID locale) {
  // By the full locale identifier: a regional variant of a language is not
  // one of the product's interface languages. Japanese (1041) stands beside
  // Chinese as a target that takes English as 1025.
  static constexpr std::array<std::pair<LCID, LanguageFlag>, 9> kLocales{{
      {1031, language_flag::kGerman},
      {1033, language_flag::kEnglish},
      {1036, language_flag::kFrench},
      {1040, language_flag::kItalian},
      {1049, language_flag::kRussian},
      {2052, language_flag::kChinese},
      {2070, language_flag::kPortuguese},
      {3082, language_flag::kSpanish},
      {1041, language_flag::kJapanese},
  }};
  for (const auto& [id, flag] : kLocales)
    if (id == locale) return flag;
  return language_flag::kUnknown;
}

LanguageFlag GetUiLanguage() { return LanguageOfLocale(GetThreadLocale()); }

DirID ChooseDirection(LanguageFlag source, LanguageFlag target, const std::vector<DirID>* directions) {
  using namespace language_flag;
  if ((target == kChinese || target == kJapanese) && source == kEnglish) source = kEnglishToEastAsian;
  auto sourceOf = [](DirID id) { return id & 0xFFFFu; };
  if (source != target) {
    DirID code = MakeDirID(source, target);
    if (!directions) return code;
    for (DirID id : *directions)
      if (id == code) return code;
    for (DirID id : *directions)
      if (sourceOf(id) == source) code = id;
    return code;
  }
  if (directions)
    for (DirID id : *directions)
      if (sourceOf(id) == source) return id;
  return 0;
}

DirID ChoosePageDirection(std::wstring_view text, INorvaConnector* connector, bool textFlag) {
  LanguageFlag source = textFlag ? DetectTextLanguage(text) : DetectPageLanguage(text);
  LanguageFlag target = GetUiLanguage();
  if (!connector) return ChooseDirection(source, target, nullptr);
  std::vector<DirID> directions;
  const unsigned long count = connector->GetDirsCount();
  for (unsigned long i = 0; i < count; ++i) directions.push_back(static_cast<DirID>(connector->GetDirID(i)));
  return ChooseDirection(source, target, &directions);
}
