#include "LanguageDetector.h"

#include <windows.h>

#include "TextUtil.h"

namespace kernelstandin {

long DetectLanguage(const KernelData& data, std::wstring_view text) {
  size_t cyrillic = 0, latin = 0, germanLetters = 0;
  size_t english = 0, german = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (!IsWordChar(text[i])) {
      ++i;
      continue;
    }
    size_t start = i;
    while (i < text.size() && IsWordChar(text[i])) {
      wchar_t c = text[i++];
      if (c >= 0x400 && c <= 0x4FF) ++cyrillic;
      else if (IsCharAlphaW(c)) ++latin;
      if (wcschr(L"\u00E4\u00F6\u00FC\u00DF\u00C4\u00D6\u00DC", c)) ++germanLetters;
    }
    std::wstring word = ToLower(text.substr(start, i - start));
    if (data.WordsOf(kEnglish).count(word)) ++english;
    if (data.WordsOf(kGerman).count(word)) ++german;
  }
  if (cyrillic > latin) return kRussian;
  if (latin == 0) return 0;
  german += germanLetters;
  if (german > english) return kGerman;
  if (english > 0) return kEnglish;
  return 0;
}

}  // namespace kernelstandin
