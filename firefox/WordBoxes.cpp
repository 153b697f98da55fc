#include "firefox/WordBoxes.h"

std::vector<WordBox> BuildWordList(std::wstring_view text, const SubstringBounds& bounds) {
  std::vector<WordBox> boxes;
  long open = -1;
  const long length = static_cast<long>(text.size());
  for (long i = 0; i <= length; ++i) {
    bool separator = i == length || text[i] == L' ' || text[i] == L'\n';
    if (separator) {
      if (open < 0) continue;
      WordBox box;
      if (bounds(open, i, box)) {
        box.start = open;
        box.end = i;
        boxes.push_back(box);
        open = -1;
      }
    } else if (open < 0) {
      open = i;
    }
  }
  return boxes;
}

const WordBox* HitWordBox(const std::vector<WordBox>& boxes, long x, long y) {
  for (const WordBox& box : boxes)
    if (box.x <= x && x <= box.x + box.width && box.y <= y && y <= box.y + box.height) return &box;
  return nullptr;
}

namespace {

void TrimSet(std::wstring& word, std::wstring_view set) {
  size_t end = word.find_last_not_of(set.data(), std::wstring::npos, set.size());
  if (end == std::wstring::npos) {
    word.clear();
    return;
  }
  word.erase(end + 1);
  word.erase(0, word.find_first_not_of(set.data(), 0, set.size()));
}

}  // namespace

std::wstring TrimWord(std::wstring word) {
  static const wchar_t kPunctuation[] = {0x2A, 0x2C, 0x26, 0x24, 0x25, 0x5E, 0x2A, 0x3B, 0x3A, 0x28, 0x29, 0x3F,
                                         0x21, 0x2116, 0x5F, 0x2F, 0x2B, 0x22, 0x22, 0x5C, 0x3D, 0x7C, 0x23, 0x40,
                                         0x7E, 0x60, 0x3C, 0x3E, 0x7B, 0x7D, 0x5B, 0x5D, 0x2E, 0x0A, 0x0D};
  TrimSet(word, std::wstring_view(kPunctuation, std::size(kPunctuation)));
  TrimSet(word, L"0123456789");
  TrimSet(word, L"\u00AB");
  TrimSet(word, L"\u00BB");
  TrimSet(word, L" ");
  TrimSet(word, L"\n");
  TrimSet(word, L"\r");
  return word;
}
