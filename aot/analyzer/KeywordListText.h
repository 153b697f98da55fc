#pragma once
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The keyword lists stored with each template ("SDBWORDS2" UTF-16LE,
// legacy "SDBWORDS" 8-bit), entries separated by CR LF: a keyword, or
// word form + "#123#" + keyword.
namespace ombrel {

inline constexpr wchar_t kKeywordDictionary[] = L"SDBWORDS2";
inline constexpr wchar_t kLegacyKeywordDictionary[] = L"SDBWORDS";
inline constexpr wchar_t kFormMarker[] = L"#123#";

// Every piece between CR LF separators, the piece after the last one too.
std::vector<std::wstring> SplitEntries(std::wstring_view list);

// The text handed to the keyword analyser: each distinct entry (a form cut
// before its marker) once, in first-seen order, each followed by CR LF;
// the comparison is exact.
std::wstring AnalyzerTextOf(std::wstring_view list);

// The stored list as text: a UTF-16LE stream of L bytes is L / 2 characters
// (an odd last byte is no character).
std::wstring DecodeUtf16List(const std::vector<BYTE>& bytes);
// A legacy 8-bit stream through the character library for the source
// language, one character per byte; nullopt when the library cannot convert.
std::optional<std::wstring> DecodeLegacyList(const std::vector<BYTE>& bytes, WORD sourceLanguage);

// A form entry's keyword: the text after its marker, whole; nullopt for a
// keyword entry.
std::optional<std::wstring_view> KeywordOfForm(std::wstring_view entry);
// The form part (before the marker) of a form entry, the entry itself otherwise.
std::wstring_view FormPartOf(std::wstring_view entry);

// A keyword report ("count kind keyword" lines) as keyword -> count text,
// sorted by keyword; a line with fewer than three tokens ends the parse. The
// last line counts also when no line end follows it.
std::map<std::wstring, std::wstring> ParseKeywordReport(std::wstring_view report);

// The head of a text file as text: "FF FE" starts UTF-16LE (the mark is no
// text), "EF BB BF" UTF-8; without a mark, bytes that read as UTF-16LE are
// taken so, others as 8-bit text of the source language. Whole characters only.
std::wstring DecodeFileHead(const std::vector<BYTE>& bytes, WORD sourceLanguage);

// Lower case by the system's rules (keywords keep their case for German, 4).
std::wstring LowerCase(std::wstring_view text);
bool KeepsCase(long dirId);

}  // namespace ombrel
