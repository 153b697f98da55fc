#pragma once
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

class INorvaConnector;

// Languages as one bit each, and directions as (target << 16) | source.
using LanguageFlag = uint32_t;
using DirID = uint32_t;

namespace language_flag {
constexpr LanguageFlag kUnknown = 0;
constexpr LanguageFlag kEnglish = 1;
constexpr LanguageFlag kRussian = 2;
constexpr LanguageFlag kGerman = 4;
constexpr LanguageFlag kFrench = 8;
constexpr LanguageFlag kItalian = 16;
constexpr LanguageFlag kSpanish = 32;
constexpr LanguageFlag kPortuguese = 64;
constexpr LanguageFlag kChinese = 512;
constexpr LanguageFlag kJapanese = 1024;
// English as the source of directions into Chinese or Japanese.
constexpr LanguageFlag kEnglishToEastAsian = 1025;
}  // namespace language_flag

constexpr DirID MakeDirID(LanguageFlag source, LanguageFlag target) { return (target << 16) | source; }

// Code page declared by the page's meta element: 1251, 1252, 65001 or 0.
UINT DetectPageCharset(std::wstring_view page);
// Language of the lang attribute of the page's html element, or 0.
LanguageFlag DetectPageLangAttr(std::wstring_view page);
// Language of the page's title by the kernel's detector, or 0.
LanguageFlag DetectPageLangByTitle(std::wstring_view page);
// Language of a whole text by the kernel's detector, or 0.
LanguageFlag DetectTextLanguage(std::wstring_view text);
// Source language of a page from its charset, lang attribute and title.
LanguageFlag DetectPageLanguage(std::wstring_view page);
// Language of a locale (by its full identifier), or 0.
LanguageFlag LanguageOfLocale(LCID locale);
// Language of the thread locale, or 0.
LanguageFlag GetUiLanguage();
// Direction for a page (or a plain text when textFlag is set) into the user's
// language, matched against the connector's directions; 0 when the page is in
// the user's language and no direction starts from it.
DirID ChoosePageDirection(std::wstring_view text, INorvaConnector* connector, bool textFlag);
// The choice for a source and a target language among the directions on
// offer (null: no connector, so no list to match against).
DirID ChooseDirection(LanguageFlag source, LanguageFlag target, const std::vector<DirID>* directions);
