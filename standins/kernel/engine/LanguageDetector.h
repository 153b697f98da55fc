#pragma once
#include <string_view>

#include "KernelData.h"

namespace kernelstandin {

// The language flag of a text (English, Russian or German), 0 when the text
// gives no sign of any of them. Cyrillic letters mean Russian; among Latin
// texts the words known to each word list and the German letters decide.
long DetectLanguage(const KernelData& data, std::wstring_view text);

}  // namespace kernelstandin
