#pragma once
#include <cstdint>
#include <string>

// Decimal text with "," between groups of three digits: 1234567 -> "1,234,567".
std::wstring FormatNumber(uint32_t number);
// FormatNumber of the magnitude, "-" in front when negative.
std::wstring FormatSignedNumber(int32_t number);
