#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The text of one layout table: "[SECTION]" lines and "key=value" lines,
// split at the first "=", nothing trimmed; sections and keys in file order.
// Lines beginning with ";" are comments; other lines without "=" and keys
// before the first section are ignored. A repeated section continues the
// first one, a repeated key replaces the value in its first position.
// Names are compared exactly.
class MdsTableText {
 public:
  struct Section {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> keys;
    std::unordered_map<std::wstring, size_t> keyIndex;  // key -> position in keys
  };

  // Parses wide text; line ends are LF or CR LF.
  static MdsTableText Parse(std::wstring_view text);
  // Decodes the bytes of a table file (UTF-16LE, with or without the mark
  // FF FE) and parses them.
  static MdsTableText ParseBytes(const std::string& bytes);

  size_t SectionCount() const { return sections_.size(); }
  // Null when the index is out of range.
  const Section* SectionAt(long index) const;
  // Null when the table has no section of that name.
  const Section* Find(std::wstring_view name) const;
  // The value, or null when the section or key is absent.
  const std::wstring* Value(std::wstring_view section, std::wstring_view key) const;

 private:
  Section& SectionNamed(const std::wstring& name);

  std::vector<Section> sections_;
  std::unordered_map<std::wstring, size_t> sectionIndex_;  // name -> position
};
