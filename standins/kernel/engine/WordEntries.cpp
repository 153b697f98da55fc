#include "WordEntries.h"

#include <windows.h>

#include <mutex>
#include <stdexcept>

#include "KernelData.h"
#include "TextUtil.h"

namespace kernelstandin {
namespace {

std::vector<std::wstring> List(const std::wstring& text, wchar_t separator) {
  if (text.empty()) return {};
  return SplitFields(text, separator);
}

short Number(const std::wstring& text, int base) {
  try {
    return static_cast<short>(std::stoul(text, nullptr, base));
  } catch (const std::exception&) {
    throw std::runtime_error("kernel data: bad number in entries.txt");
  }
}

}  // namespace

std::shared_ptr<const WordEntries> WordEntries::Load(const std::wstring& path) {
  auto result = std::make_shared<WordEntries>();
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return result;
  WordEntry* entry = nullptr;
  for (const std::wstring& line : ReadDataLines(path)) {
    std::vector<std::wstring> f = SplitFields(line, L'|');
    if (f[0] == L"entry" && f.size() == 3) {
      long dirId = static_cast<long>(std::stoul(f[1], nullptr, 16));
      WordEntry& made = result->entries_[{dirId, ToLower(f[2])}];
      made.dirId = dirId;
      made.word = f[2];
      entry = &made;
    } else if (f[0] == L"row" && f.size() == 4 && entry) {
      WordRow row;
      row.headword = f[1];
      row.partOfSpeech = Number(f[2], 10);
      row.forms = List(f[3], L';');
      entry->rows.push_back(std::move(row));
    } else if (f[0] == L"tr" && f.size() == 9 && entry && !entry->rows.empty()) {
      WordTranslation tr;
      tr.text = f[1];
      tr.partOfSpeech = Number(f[2], 10);
      tr.dictionary = f[3];
      tr.key = f[4];
      for (const std::wstring& code : List(f[5], L',')) tr.markCodes.push_back(Number(code, 16));
      tr.note = f[6];
      tr.label = f[7];
      tr.forms = List(f[8], L';');
      entry->rows.back().translations.push_back(std::move(tr));
    } else {
      throw std::runtime_error("kernel data: bad line in entries.txt");
    }
  }
  return result;
}

std::shared_ptr<const WordEntries> WordEntries::Installed() {
  static std::once_flag once;
  static std::shared_ptr<const WordEntries> entries;
  std::call_once(once, [] {
    try {
      entries = Load(KernelData::InstalledFolder() + L"entries.txt");
    } catch (const std::exception&) {
      entries = std::make_shared<WordEntries>();
    }
  });
  return entries;
}

const WordEntry* WordEntries::Find(long dirId, const std::wstring& lowerWord) const {
  auto found = entries_.find({dirId, lowerWord});
  return found == entries_.end() ? nullptr : &found->second;
}

}  // namespace kernelstandin
