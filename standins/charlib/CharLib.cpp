// Stand-in for the product's character-conversion library charlib40.dll:
// 8-bit text of each language's Windows code page to and from UTF-16, and
// upper/lower casing by the language's code page.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace {

constexpr DWORD kRussian = 2;

// Russian text is Windows-1251; English, German, French, Italian, Spanish,
// Portuguese (and any other flag) are Windows-1252.
UINT CodePageOf(DWORD language) { return (language & 0xFFFF) == kRussian ? 1251 : 1252; }

bool HasCyrillic(const wchar_t* text, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (text[i] >= 0x0400 && text[i] <= 0x04FF) return true;
  return false;
}

// Exactly `length` characters each way; one 8-bit character per UTF-16 unit.
void ToWide(UINT codePage, const char* source, int length, wchar_t* destination) {
  if (length > 0) MultiByteToWideChar(codePage, 0, source, length, destination, length);
}

void ToNarrow(const wchar_t* source, int length, char* destination) {
  if (length <= 0) return;
  // The wide text carries no language: Cyrillic text goes to 1251, all else to 1252.
  UINT codePage = HasCyrillic(source, static_cast<size_t>(length)) ? 1251 : 1252;
  WideCharToMultiByte(codePage, 0, source, length, destination, length, "?", nullptr);
}

enum class Case { Upper, Lower };

void ChangeCase(DWORD language, char* text, int length, Case to) {
  if (length <= 0) return;
  UINT codePage = CodePageOf(language);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ToWide(codePage, text, length, wide.data());
  if (to == Case::Upper)
    CharUpperBuffW(wide.data(), static_cast<DWORD>(length));
  else
    CharLowerBuffW(wide.data(), static_cast<DWORD>(length));
  // Letters without a counterpart in the code page keep their own case.
  for (int i = 0; i < length; ++i) {
    char back = 0;
    BOOL lost = FALSE;
    WideCharToMultiByte(codePage, 0, &wide[i], 1, &back, 1, nullptr, &lost);
    if (!lost) text[i] = back;
  }
}

bool IsLetterCase(DWORD language, char c, Case which) {
  wchar_t wide = 0;
  ToWide(CodePageOf(language), &c, 1, &wide);
  return which == Case::Upper ? IsCharUpperW(wide) : IsCharLowerW(wide);
}

}  // namespace

extern "C" {

wchar_t* WINAPI StrAnsiToUnicode(DWORD language, const char* source, wchar_t* destination) {
  if (!source || !destination) return destination;
  int length = static_cast<int>(std::strlen(source));
  ToWide(CodePageOf(language), source, length, destination);
  destination[length] = L'\0';
  return destination;
}

wchar_t* WINAPI StrAnsiToUnicodeBuff(DWORD language, const char* source, wchar_t* destination, int length) {
  if (source && destination) ToWide(CodePageOf(language), source, length, destination);
  return destination;
}

char* WINAPI StrUnicodeToAnsi(const wchar_t* source, char* destination) {
  if (!source || !destination) return destination;
  int length = static_cast<int>(std::wcslen(source));
  ToNarrow(source, length, destination);
  destination[length] = '\0';
  return destination;
}

char* WINAPI StrUnicodeToAnsiBuff(const wchar_t* source, char* destination, int length) {
  if (source && destination) ToNarrow(source, length, destination);
  return destination;
}

wchar_t WINAPI AnsiToUnicode(DWORD language, char c) {
  wchar_t wide = 0;
  ToWide(CodePageOf(language), &c, 1, &wide);
  return wide;
}

char WINAPI UnicodeToAnsi(wchar_t c) {
  char narrow = 0;
  ToNarrow(&c, 1, &narrow);
  return narrow;
}

char WINAPI AnsiToUpper(DWORD language, char c) {
  ChangeCase(language, &c, 1, Case::Upper);
  return c;
}

char WINAPI AnsiToLower(DWORD language, char c) {
  ChangeCase(language, &c, 1, Case::Lower);
  return c;
}

#ifndef CHARLIB_WITHOUT_STR_ANSI_UPPER
char* WINAPI StrAnsiUpper(DWORD language, char* text) {
  if (text) ChangeCase(language, text, static_cast<int>(std::strlen(text)), Case::Upper);
  return text;
}
#endif

char* WINAPI StrAnsiLower(DWORD language, char* text) {
  if (text) ChangeCase(language, text, static_cast<int>(std::strlen(text)), Case::Lower);
  return text;
}

char* WINAPI StrAnsiUpperBuff(DWORD language, char* text, int length) {
  if (text) ChangeCase(language, text, length, Case::Upper);
  return text;
}

char* WINAPI StrAnsiLowerBuff(DWORD language, char* text, int length) {
  if (text) ChangeCase(language, text, length, Case::Lower);
  return text;
}

BOOL WINAPI IsAnsiUpper(DWORD language, char c) { return IsLetterCase(language, c, Case::Upper); }

BOOL WINAPI IsAnsiLower(DWORD language, char c) { return IsLetterCase(language, c, Case::Lower); }

BOOL WINAPI IsAnsiAlpha(DWORD language, char c) {
  wchar_t wide = 0;
  ToWide(CodePageOf(language), &c, 1, &wide);
  return IsCharAlphaW(wide);
}

}  // extern "C"
