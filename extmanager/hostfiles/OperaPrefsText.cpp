#include "extmanager/hostfiles/OperaPrefsText.h"

#include <optional>
#include <vector>

namespace {

struct Line {
  std::wstring body;
  std::wstring end;  // "\r\n", "\n" or ""
};

std::vector<Line> SplitLines(const std::wstring& text) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t feed = text.find(L'\n', start);
    if (feed == std::wstring::npos) {
      lines.push_back({text.substr(start), L""});
      break;
    }
    size_t bodyEnd = feed > start && text[feed - 1] == L'\r' ? feed - 1 : feed;
    lines.push_back({text.substr(start, bodyEnd - start), text.substr(bodyEnd, feed + 1 - bodyEnd)});
    start = feed + 1;
  }
  return lines;
}

std::wstring JoinLines(const std::vector<Line>& lines) {
  std::wstring text;
  for (const Line& line : lines) text += line.body + line.end;
  return text;
}

std::wstring Trimmed(const std::wstring& text) {
  size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return std::wstring();
  size_t last = text.find_last_not_of(L" \t");
  return text.substr(first, last - first + 1);
}

struct Section {
  size_t header;
  size_t end;  // one past the section's last line
};

std::optional<Section> FindUserPrefs(const std::vector<Line>& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (Trimmed(lines[i].body) != L"[User Prefs]") continue;
    size_t end = i + 1;
    while (end < lines.size() && Trimmed(lines[end].body).rfind(L"[", 0) != 0) ++end;
    return Section{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const std::vector<Line>& lines, const Section& section, const std::wstring& key) {
  std::wstring start = key + L"=";
  for (size_t i = section.header + 1; i < section.end; ++i)
    if (lines[i].body.rfind(start, 0) == 0) return i;
  return std::nullopt;
}

}  // namespace

bool HasUserPref(const std::wstring& text, const std::wstring& key, const std::wstring& value) {
  std::vector<Line> lines = SplitLines(text);
  auto section = FindUserPrefs(lines);
  if (!section) return false;
  auto at = FindKey(lines, *section, key);
  if (!at) return false;
  std::wstring current = lines[*at].body.substr(key.size() + 1);
  return !current.empty() && current.find(value) != std::wstring::npos;
}

bool SetUserPref(std::wstring& text, const std::wstring& key, const std::wstring& value, bool enable) {
  std::vector<Line> lines = SplitLines(text);
  auto section = FindUserPrefs(lines);
  if (!section) {
    if (!enable) return false;
    // A file without the section (a new or emptied one) gets it at its end.
    std::wstring end = text.find(L"\r\n") != std::wstring::npos || text.find(L'\n') == std::wstring::npos ? L"\r\n" : L"\n";
    if (!text.empty() && text.back() != L'\n') text += end;
    if (!text.empty()) text += end;
    text += L"[User Prefs]" + end + key + L"=" + value + end;
    return true;
  }
  auto at = FindKey(lines, *section, key);
  if (enable) {
    std::wstring wanted = key + L"=" + value;
    if (at) {
      if (lines[*at].body == wanted) return false;
      lines[*at].body = wanted;
    } else {
      size_t last = section->header;
      for (size_t i = section->header + 1; i < section->end; ++i)
        if (!Trimmed(lines[i].body).empty()) last = i;
      std::wstring end = lines[section->header].end.empty() ? L"\r\n" : lines[section->header].end;
      if (lines[last].end.empty()) lines[last].end = end;
      lines.insert(lines.begin() + last + 1, Line{wanted, end});
    }
  } else {
    if (!at) return false;
    lines.erase(lines.begin() + *at);
  }
  text = JoinLines(lines);
  return true;
}

std::optional<std::wstring> ReadUserPref(const std::wstring& text, const std::wstring& key) {
  std::vector<Line> lines = SplitLines(text);
  auto section = FindUserPrefs(lines);
  if (!section) return std::nullopt;
  auto at = FindKey(lines, *section, key);
  if (!at) return std::nullopt;
  return lines[*at].body.substr(key.size() + 1);
}

bool HasUserPrefsSection(const std::wstring& text) { return FindUserPrefs(SplitLines(text)).has_value(); }

int LineEndsBeforeAddedSection(const std::wstring& text) {
  if (text.empty()) return 0;
  return text.back() == L'\n' ? 1 : 2;
}

bool RemoveAddedUserPrefs(std::wstring& text, int lead) {
  std::vector<Line> lines = SplitLines(text);
  auto section = FindUserPrefs(lines);
  if (!section || section->end != lines.size()) return false;
  for (size_t i = section->header + 1; i < section->end; ++i)
    if (!Trimmed(lines[i].body).empty()) return false;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(section->header), lines.end());
  std::wstring rest = JoinLines(lines);
  for (int i = 0; i < lead; ++i) {
    if (rest.size() >= 2 && rest.compare(rest.size() - 2, 2, L"\r\n") == 0)
      rest.resize(rest.size() - 2);
    else if (!rest.empty() && rest.back() == L'\n')
      rest.pop_back();
    else
      return false;
  }
  text = rest;
  return true;
}

namespace {
constexpr wchar_t kAddedSection[] = L"Added Section";
constexpr wchar_t kMadeFolder[] = L"Made Folder";
}  // namespace

std::wstring SavedUserPrefs::Format() const {
  std::wstring text;
  for (const auto& [key, value] : values) text += key + L"=" + value + L"\r\n";
  if (sectionLead >= 0) text += std::wstring(kAddedSection) + L"=" + std::to_wstring(sectionLead) + L"\r\n";
  for (const std::wstring& folder : folders) text += std::wstring(kMadeFolder) + L"=" + folder + L"\r\n";
  return text;
}

SavedUserPrefs SavedUserPrefs::Parse(const std::wstring& text) {
  SavedUserPrefs saved;
  for (const Line& line : SplitLines(text)) {
    size_t equals = line.body.find(L'=');
    if (equals == std::wstring::npos || equals == 0) continue;
    std::wstring key = line.body.substr(0, equals), value = line.body.substr(equals + 1);
    if (key == kAddedSection) {
      if (value.size() == 1 && value[0] >= L'0' && value[0] <= L'2') saved.sectionLead = value[0] - L'0';
    } else if (key == kMadeFolder) {
      saved.folders.push_back(value);
    } else {
      saved.values[key] = value;
    }
  }
  return saved;
}
