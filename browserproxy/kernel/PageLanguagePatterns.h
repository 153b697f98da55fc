#pragma once
// The regular expressions of page-language detection, in the syntax of
// platform/regex. The regular-expression engine's tests run them too.
namespace page_language_patterns {

// A captured value ends at a quote, an apostrophe, a blank, ";", ">" or "/".
inline constexpr wchar_t kCharsetValue[] = L"charset={[^\"'\\b;>/]*}[\"'\\b;>/]";
// The lang attribute inside the html element's start tag.
inline constexpr wchar_t kHtmlLangValue[] = L"<html[^>]*?\\b+lang=[\"']?{\\c+(-\\c+)?}[\"'\\b;>/]";

}  // namespace page_language_patterns
