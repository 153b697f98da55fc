#include "MdsTableText.h"

namespace {

void SetKey(MdsTableText::Section& section, std::wstring key, std::wstring value) {
  auto [position, added] = section.keyIndex.emplace(key, section.keys.size());
  if (added)
    section.keys.emplace_back(std::move(key), std::move(value));
  else
    section.keys[position->second].second = std::move(value);
}

}  // namespace

MdsTableText MdsTableText::Parse(std::wstring_view text) {
  MdsTableText table;
  Section* current = nullptr;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);

    if (line.empty() || line.front() == L';') continue;
    if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
      current = &table.SectionNamed(std::wstring(line.substr(1, line.size() - 2)));
      continue;
    }
    size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos || !current) continue;
    SetKey(*current, std::wstring(line.substr(0, equals)), std::wstring(line.substr(equals + 1)));
  }
  return table;
}

MdsTableText MdsTableText::ParseBytes(const std::string& bytes) {
  size_t offset = 0;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE)
    offset = 2;
  std::wstring text;
  text.reserve((bytes.size() - offset) / 2);
  for (size_t i = offset; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                        (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return Parse(text);
}

const MdsTableText::Section* MdsTableText::SectionAt(long index) const {
  if (index < 0 || static_cast<size_t>(index) >= sections_.size()) return nullptr;
  return &sections_[static_cast<size_t>(index)];
}

const MdsTableText::Section* MdsTableText::Find(std::wstring_view name) const {
  auto found = sectionIndex_.find(std::wstring(name));
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const std::wstring* MdsTableText::Value(std::wstring_view section, std::wstring_view key) const {
  const Section* found = Find(section);
  if (!found) return nullptr;
  auto entry = found->keyIndex.find(std::wstring(key));
  return entry == found->keyIndex.end() ? nullptr : &found->keys[entry->second].second;
}

MdsTableText::Section& MdsTableText::SectionNamed(const std::wstring& name) {
  auto [position, added] = sectionIndex_.emplace(name, sections_.size());
  if (added) sections_.push_back(Section{name, {}, {}});
  return sections_[position->second];
}
