#include "shared/NumberFormat.h"

std::wstring FormatNumber(uint32_t number) {
  std::wstring digits = std::to_wstring(number);
  std::wstring result;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) result += L',';
    result += digits[i];
  }
  return result;
}

std::wstring FormatSignedNumber(int32_t number) {
  // The magnitude of INT32_MIN does not fit an int32_t; take it unsigned.
  uint32_t magnitude = number < 0 ? 0u - static_cast<uint32_t>(number) : static_cast<uint32_t>(number);
  std::wstring text = FormatNumber(magnitude);
  return number < 0 ? L"-" + text : text;
}
