#include "extmanager/hostfiles/IniText.h"

#include <windows.h>

#include <vector>

namespace {

struct Line {
  size_t begin;    // first character
  size_t length;   // without the line end
  size_t next;     // first character of the next line
};

std::vector<Line> SplitLines(const std::wstring& text) {
  std::vector<Line> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find_first_of(L"\r\n", at);
    if (end == std::wstring::npos) {
      lines.push_back({at, text.size() - at, text.size()});
      break;
    }
    size_t next = end + 1;
    if (text[end] == L'\r' && next < text.size() && text[next] == L'\n') ++next;
    lines.push_back({at, end - at, next});
    at = next;
  }
  return lines;
}

std::wstring Trim(const std::wstring& text) {
  size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return std::wstring();
  size_t last = text.find_last_not_of(L" \t");
  return text.substr(first, last - first + 1);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// The section's name when the line is a section header.
bool SectionHeader(const std::wstring& line, std::wstring& name) {
  std::wstring trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed[0] != L'[') return false;
  size_t close = trimmed.find(L']');
  if (close == std::wstring::npos) return false;
  name = Trim(trimmed.substr(1, close - 1));
  return true;
}

bool KeyLine(const std::wstring& line, std::wstring& key, std::wstring& value) {
  std::wstring trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] == L';') return false;
  size_t equals = line.find(L'=');
  if (equals == std::wstring::npos) return false;
  key = Trim(line.substr(0, equals));
  value = Trim(line.substr(equals + 1));
  return true;
}

std::wstring LineEnd(const std::wstring& text) {
  size_t end = text.find_first_of(L"\r\n");
  if (end != std::wstring::npos && text[end] == L'\n') return L"\n";
  return L"\r\n";
}

// Where the section's lines are: [first, last) line indexes after its header.
struct SectionSpan {
  bool found = false;
  size_t header = 0, first = 0, last = 0;
};

SectionSpan FindSection(const std::wstring& text, const std::vector<Line>& lines, const std::wstring& section) {
  SectionSpan span;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::wstring name;
    if (!SectionHeader(text.substr(lines[i].begin, lines[i].length), name)) continue;
    if (span.found) {
      span.last = i;
      return span;
    }
    if (SameName(name, section)) {
      span = {true, i, i + 1, lines.size()};
    }
  }
  return span;
}

}  // namespace

bool EditIniKey(std::wstring& text, const std::wstring& section, const std::wstring& key,
                const std::optional<std::wstring>& value) {
  std::vector<Line> lines = SplitLines(text);
  SectionSpan span = FindSection(text, lines, section);
  std::wstring eol = LineEnd(text);
  if (span.found) {
    size_t lastContent = span.header;
    for (size_t i = span.first; i < span.last; ++i) {
      std::wstring line = text.substr(lines[i].begin, lines[i].length);
      std::wstring name, old;
      if (!Trim(line).empty()) lastContent = i;
      if (!KeyLine(line, name, old) || !SameName(name, key)) continue;
      if (!value) {
        text.erase(lines[i].begin, lines[i].next - lines[i].begin);
        return true;
      }
      std::wstring replacement = key + L"=" + *value;
      if (line == replacement) return false;
      text.replace(lines[i].begin, lines[i].length, replacement);
      return true;
    }
    if (!value) return false;
    // After the section's last line that is not blank, so a blank line
    // before the next section stays where it was.
    const Line& after = lines[lastContent];
    std::wstring insert = key + L"=" + *value + eol;
    if (after.next == after.begin + after.length) {  // the file's last line has no end
      text.insert(after.next, eol + key + L"=" + *value);
      return true;
    }
    text.insert(after.next, insert);
    return true;
  }
  if (!value) return false;
  if (!text.empty() && text.back() != L'\n' && text.back() != L'\r') text += eol;
  text += L"[" + section + L"]" + eol + key + L"=" + *value + eol;
  return true;
}

std::optional<std::wstring> ReadIniKey(const std::wstring& text, const std::wstring& section,
                                       const std::wstring& key) {
  std::vector<Line> lines = SplitLines(text);
  SectionSpan span = FindSection(text, lines, section);
  if (!span.found) return std::nullopt;
  for (size_t i = span.first; i < span.last; ++i) {
    std::wstring name, value;
    if (KeyLine(text.substr(lines[i].begin, lines[i].length), name, value) && SameName(name, key)) return value;
  }
  return std::nullopt;
}

bool IsEmptyIni(const std::wstring& text, const std::wstring& section) {
  std::vector<Line> lines = SplitLines(text);
  for (const Line& line : lines) {
    std::wstring content = Trim(text.substr(line.begin, line.length));
    std::wstring name;
    if (content.empty()) continue;
    if (SectionHeader(content, name) && SameName(name, section)) continue;
    return false;
  }
  return true;
}

bool DecodeIni(const std::string& bytes, IniFile& file) {
  file.text.clear();
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    if (bytes.size() % 2 != 0) return false;
    file.form = IniFile::Form::Utf16;
    file.text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    return true;
  }
  UINT codePage = CP_ACP;
  size_t skip = 0;
  file.form = IniFile::Form::Ansi;
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
    codePage = CP_UTF8;
    skip = 3;
    file.form = IniFile::Form::Utf8;
  }
  if (bytes.size() == skip) return true;
  DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
  int length = MultiByteToWideChar(codePage, flags, bytes.data() + skip, static_cast<int>(bytes.size() - skip), nullptr, 0);
  if (length <= 0) return false;
  file.text.assign(length, L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data() + skip, static_cast<int>(bytes.size() - skip), file.text.data(), length);
  return true;
}

std::string EncodeIni(const IniFile& file) {
  if (file.form == IniFile::Form::Utf16) {
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(file.text.data()), file.text.size() * sizeof(wchar_t));
    return bytes;
  }
  UINT codePage = file.form == IniFile::Form::Utf8 ? CP_UTF8 : CP_ACP;
  std::string bytes = file.form == IniFile::Form::Utf8 ? "\xEF\xBB\xBF" : "";
  if (file.text.empty()) return bytes;
  int length = WideCharToMultiByte(codePage, 0, file.text.data(), static_cast<int>(file.text.size()), nullptr, 0,
                                   nullptr, nullptr);
  std::string body(length > 0 ? length : 0, '\0');
  if (length > 0)
    WideCharToMultiByte(codePage, 0, file.text.data(), static_cast<int>(file.text.size()), body.data(), length,
                        nullptr, nullptr);
  return bytes + body;
}
