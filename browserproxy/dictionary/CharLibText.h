#pragma once
#include <cstdint>
#include <string>

// Text conversions by language through the product's character library.
// The language is one language flag (1 English, 2 Russian, 4 German, ...).

// Wide text to the library's 8-bit text, one byte per character.
std::string CharLibToAnsi(const std::wstring& text);
// 8-bit text of the language's code page to wide text, one character per byte.
std::wstring CharLibToUnicode(uint16_t language, const std::string& text);
// Upper-cases the text in place by the language's rules, through its 8-bit
// code page. Without the library the text stays as it is.
void CharLibMakeUpper(uint16_t language, std::wstring& text);
// One character upper-cased the same way (never through its low byte alone).
wchar_t CharLibUpperCharacter(uint16_t language, wchar_t character);
