#include "WordTranslator.h"

#include <windows.h>

#include "TextUtil.h"

namespace kernelstandin {
namespace {

bool IsUpper(wchar_t c) { return IsCharUpperW(c) != FALSE; }
bool IsLetter(wchar_t c) { return IsCharAlphaW(c) != FALSE; }

std::wstring InCaseOf(std::wstring_view source, const std::wstring& target) {
  size_t letters = 0, upper = 0;
  for (wchar_t c : source) {
    if (IsLetter(c)) {
      ++letters;
      if (IsUpper(c)) ++upper;
    }
  }
  if (target.empty() || upper == 0) return target;
  if (letters > 1 && upper == letters) return ToUpper(target);
  if (IsLetter(source[0]) && IsUpper(source[0])) return ToUpper(target.substr(0, 1)) + target.substr(1);
  return target;
}

}  // namespace

std::wstring TranslateWords(const WordList& words, std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size() + text.size() / 4);
  size_t i = 0;
  while (i < text.size()) {
    if (!IsWordChar(text[i])) {
      out += text[i++];
      continue;
    }
    size_t start = i;
    while (i < text.size() && IsWordChar(text[i])) ++i;
    std::wstring_view word = text.substr(start, i - start);
    auto found = words.find(ToLower(word));
    if (found == words.end()) {
      out += word;
    } else if (found->second.empty()) {
      while (i < text.size() && text[i] == L' ') ++i;
    } else {
      out += InCaseOf(word, found->second);
    }
  }
  return out;
}

}  // namespace kernelstandin
