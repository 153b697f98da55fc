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

bool LooksLikeUtf16(const std::vector<BYTE>& bytes) {
  if (bytes.size() < 2) return false;
  size_t zeros = 0;
  for (size_t i = 1; i < bytes.size(); i += 2) {
    if (bytes[i] >= 0x30) return false;  // outside the alphabetic planes: 8-bit text
    if (bytes[i] == 0) ++zeros;
  }
  // Latin text has zero high bytes; Cyrillic ones 0x04.
  return zeros > 0 || bytes[1] == 0x04;
}

}  // namespace

std::wstring DecodeFileHead(const std::vector<BYTE>& bytes, WORD sourceLanguage) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
    return DecodeUtf16List(std::vector<BYTE>(bytes.begin() + 2, bytes.end()));
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    int size = MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data() + 3),
                                   static_cast<int>(bytes.size() - 3), nullptr, 0);
    std::wstring text(size > 0 ? size : 0, L'\0');
    if (size > 0)
      MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data() + 3),
                          static_cast<int>(bytes.size() - 3), text.data(), size);
    // A character cut at the end of the head is no character.
    if (!text.empty() && text.back() == L'\xFFFD') text.pop_back();
    return text;
  }
  if (LooksLikeUtf16(bytes)) return DecodeUtf16List(bytes);
  if (auto text = DecodeLegacyList(bytes, sourceLanguage)) return *text;
  // Without the character library: the system's code page.
  int size = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()),
                                 static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(size > 0 ? size : 0, L'\0');
  if (size > 0)
    MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()),
                        text.data(), size);
  return text;
}

std::wstring LowerCase(std::wstring_view text) {
  std::wstring lower(text);
  if (!lower.empty()) CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
  return lower;
}

bool KeepsCase(long dirId) { return (dirId & 0xFFFF) == 4; }

}  // namespace ombrel
