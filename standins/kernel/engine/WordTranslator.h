#pragma once
#include <string>
#include <string_view>

#include "KernelData.h"

namespace kernelstandin {

// Word-by-word translation: each word found in the list is replaced by its
// translation in the case of the source word (lower, Capitalised or UPPER);
// unknown words and everything between words stay as they are. A word whose
// translation is empty is dropped together with the blanks after it.
std::wstring TranslateWords(const WordList& words, std::wstring_view text);

}  // namespace kernelstandin
