#pragma once
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kernelstandin {

// Dictionary entries of the word dictionary (data file "entries.txt"): a
// word with its readings (rows) and their translations, for one direction.
struct WordTranslation {
  std::wstring text;
  short partOfSpeech = 0;
  std::wstring dictionary;  // the kernel's name, "General Dict", ...
  std::wstring key;
  std::vector<short> markCodes;
  std::wstring note;
  std::wstring label;
  std::vector<std::wstring> forms;
};

struct WordRow {
  std::wstring headword;
  short partOfSpeech = 0;
  std::vector<std::wstring> forms;
  std::vector<WordTranslation> translations;
};

struct WordEntry {
  long dirId = 0;
  std::wstring word;
  std::vector<WordRow> rows;
};

class WordEntries {
 public:
  // Reads the file; a missing file gives no entries, a bad line throws
  // std::runtime_error.
  static std::shared_ptr<const WordEntries> Load(const std::wstring& path);
  // "entries.txt" of the installed data folder, read once.
  static std::shared_ptr<const WordEntries> Installed();

  // The entry of the lower-case word in that direction, or null.
  const WordEntry* Find(long dirId, const std::wstring& lowerWord) const;

 private:
  std::map<std::pair<long, std::wstring>, WordEntry> entries_;
};

}  // namespace kernelstandin
