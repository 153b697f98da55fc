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

// Every entry between CR LF separators, the one after the last separator too.
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
// The form of a form entry (the text before the marker), the entry itself otherwise.
std::wstring_view FormPartOf(std::wstring_view entry);

// A keyword report ("count kind keyword" lines) as keyword -> count text,
// sorted by keyword; a line with fewer than three tokens ends the parse. The
// last line counts also when no line end follows it.
std::map<std::wstring, std::wstring> ParseKeywordReport(std::wstring_view report);

// The head of a text file as text: UTF-16LE, or what its byte-order mark
// says (FF FE UTF-16LE, FE FF UTF-16BE, EF BB BF UTF-8; the mark is no
// text). Whole characters only.
std::wstring DecodeFileHead(const std::vector<BYTE>& bytes);

// Lower case by the system's rules (keywords keep their case for German, 4).
std::wstring LowerCase(std::wstring_view text);
bool KeepsCase(long dirId);

}  // namespace ombrel
