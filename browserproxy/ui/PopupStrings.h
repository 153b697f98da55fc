#pragma once
#include <windows.h>

#include <string>

// String resources the popups and their lists show (ids fixed by the
// interface-language libraries).
namespace popupstrings {

constexpr UINT kWord = 158;                 // "The word"
constexpr UINT kHeading = 159;              // "%s: "
constexpr UINT kNotFound = 160;             // "is not found in the dictionary."
constexpr UINT kCheckLanguagePair = 164;    // "Check the selected language pair."
constexpr UINT kBang = 220;                 // "(!)"
constexpr UINT kInterfaceLanguage = 223;    // "R" in a Russian interface
constexpr UINT kInformationAbout = 228;     // "Information about the word"
constexpr UINT kInaccessible = 229;         // "is inaccessible."

// The string of the resource module.
std::wstring Load(UINT id);
// The format with its first "%s" (or "%d") replaced by the argument taken
// literally: a "%" in the argument is never read as a conversion.
std::wstring FormatOne(const std::wstring& format, const std::wstring& argument);
// "%s '%s' %s" with the word in the middle.
std::wstring Sentence(const std::wstring& before, const std::wstring& word, const std::wstring& after);

}  // namespace popupstrings
