#include "analyzer/KeywordListText.h"

#include <functional>

#include "shared/CharLibrary.h"

namespace ombrel {

std::vector<std::wstring> SplitEntries(std::wstring_view list) {
  std::vector<std::wstring> entries;
  size_t start = 0;
  for (;;) {
    size_t end = list.find(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      entries.emplace_back(list.substr(start));
      return entries;
    }
    entries.emplace_back(list.substr(start, end - start));
    start = end + 2;
  }
}

std::wstring AnalyzerTextOf(std::wstring_view list) {
  // Views into the list and an open-addressed table of them: no allocation
  // per entry, so the time stays linear in the list's length.
  size_t entries = 1;
  for (size_t at = list.find(L"\r\n"); at != std::wstring_view::npos; at = list.find(L"\r\n", at + 2)) ++entries;
  size_t slots = 16;
  while (slots < 2 * entries) slots *= 2;
  std::vector<std::wstring_view> seen(slots);
  std::vector<bool> used(slots, false);
  const std::hash<std::wstring_view> hash;
  std::wstring text;
  text.reserve(list.size() + 2);
  size_t start = 0;
  for (;;) {
    const size_t end = list.find(L"\r\n", start);
    const std::wstring_view word =
        FormPartOf(list.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
    size_t slot = hash(word) & (slots - 1);
    while (used[slot] && seen[slot] != word) slot = (slot + 1) & (slots - 1);
    if (!used[slot]) {
      used[slot] = true;
      seen[slot] = word;
      text += word;
      text += L"\r\n";
    }
    if (end == std::wstring_view::npos) return text;
    start = end + 2;
  }
}

std::wstring DecodeUtf16List(const std::vector<BYTE>& bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  if (!text.empty()) memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  return text;
}

std::optional<std::wstring> DecodeLegacyList(const std::vector<BYTE>& bytes, WORD sourceLanguage) {
  if (bytes.empty()) return std::wstring();
  // Zero-terminated source; the destination has one character per byte and
  // the terminator, and is terminated before the call so that a missing
  // library is seen (it writes nothing).
  std::string source(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::vector<wchar_t> target(bytes.size() + 1, L'\0');
  target[0] = L'\xFFFF';
  StrAnsiToUnicode(sourceLanguage, source.c_str(), target.data(), target.size());
  if (target[0] == L'\xFFFF') return std::nullopt;
  target.back() = L'\0';
  return std::wstring(target.data());
}

std::optional<std::wstring_view> KeywordOfForm(std::wstring_view entry) {
  size_t marker = entry.find(kFormMarker);
  if (marker == std::wstring_view::npos) return std::nullopt;
  return entry.substr(marker + wcslen(kFormMarker));
}

std::wstring_view FormPartOf(std::wstring_view entry) {
  size_t marker = entry.find(kFormMarker);
  return marker == std::wstring_view::npos ? entry : entry.substr(0, marker);
}

std::map<std::wstring, std::wstring> ParseKeywordReport(std::wstring_view report) {
  std::map<std::wstring, std::wstring> table;
  size_t pos = 0;
  auto isLineEnd = [](wchar_t c) { return c == L'\r' || c == L'\n'; };
  // A token ended by a space, within the line; nullopt when the line ends first.
  auto word = [&]() -> std::optional<std::wstring> {
    size_t start = pos;
    while (pos < report.size() && report[pos] != L' ' && !isLineEnd(report[pos])) ++pos;
    if (pos >= report.size() || report[pos] != L' ') return std::nullopt;
    return std::wstring(report.substr(start, pos++ - start));
  };
  // The rest of the line (the text's end also ends the last line).
  auto rest = [&]() -> std::optional<std::wstring> {
    size_t start = pos;
    while (pos < report.size() && !isLineEnd(report[pos])) ++pos;
    if (pos == start) return std::nullopt;
    return std::wstring(report.substr(start, pos - start));
  };
  for (;;) {
    while (pos < report.size() && isLineEnd(report[pos])) ++pos;
    if (pos >= report.size()) break;
    auto count = word();
    if (!count) break;
    auto kind = word();
    if (!kind) break;
    auto keyword = rest();
    if (!keyword) break;
    table[*keyword] = *count;
  }
  return table;
}

namespace {

// UTF-16 code units from bytes in either order; an odd last byte and a lead
// surrogate cut off at the end are no characters.
std::wstring DecodeUtf16(const BYTE* bytes, size_t size, bool bigEndian) {
  std::wstring text(size / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const BYTE low = bytes[2 * i + (bigEndian ? 1 : 0)], high = bytes[2 * i + (bigEndian ? 0 : 1)];
    text[i] = static_cast<wchar_t>(high << 8 | low);
  }
  if (!text.empty() && IS_HIGH_SURROGATE(text.back())) text.pop_back();
  return text;
}

}  // namespace

std::wstring DecodeFileHead(const std::vector<BYTE>& bytes) {
  const size_t size = bytes.size();
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return DecodeUtf16(bytes.data() + 2, size - 2, false);
  if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return DecodeUtf16(bytes.data() + 2, size - 2, true);
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    const char* utf8 = reinterpret_cast<const char*>(bytes.data() + 3);
    const int length = static_cast<int>(size - 3);
    int characters = MultiByteToWideChar(CP_UTF8, 0, utf8, length, nullptr, 0);
    std::wstring text(characters > 0 ? characters : 0, L'\0');
    if (characters > 0) MultiByteToWideChar(CP_UTF8, 0, utf8, length, text.data(), characters);
    // A character cut at the end of the head is no character.
    if (!text.empty() && text.back() == L'\xFFFD') text.pop_back();
    return text;
  }
  return DecodeUtf16(bytes.data(), size, false);
}

std::wstring LowerCase(std::wstring_view text) {
  std::wstring lower(text);
  if (!lower.empty()) CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
  return lower;
}

bool KeepsCase(long dirId) { return (dirId & 0xFFFF) == 4; }

}  // namespace ombrel
