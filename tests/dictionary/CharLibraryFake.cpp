// Stand-in bindings of the character library for these tests, until the
// shared utilities are linked: Windows-1251 for Russian, 1252 otherwise.
#include <windows.h>

#include <string>

#include "shared/CharLibrary.h"

namespace {
UINT CodePageOf(DWORD language) { return (language & 0xFFFF) == 2 ? 1251 : 1252; }
bool HasCyrillic(const wchar_t* text)
{
    for (; *text; ++text)
        if (*text >= 0x0400 && *text <= 0x04FF)
            return true;
    return false;
}
}  // namespace

void LoadCharLibrary() {}

wchar_t* StrAnsiToUnicode(DWORD language, const char* source, wchar_t* destination, size_t destinationSize)
{
    const int length = MultiByteToWideChar(CodePageOf(language), 0, source, -1, destination, static_cast<int>(destinationSize));
    if (length == 0 && destinationSize)
        destination[destinationSize - 1] = 0;
    return destination;
}

wchar_t* StrAnsiToUnicodeBuff(DWORD language, const char* source, wchar_t* destination, size_t length)
{
    MultiByteToWideChar(CodePageOf(language), 0, source, static_cast<int>(length), destination, static_cast<int>(length));
    return destination;
}

char* StrUnicodeToAnsi(const wchar_t* source, char* destination, size_t destinationSize)
{
    WideCharToMultiByte(HasCyrillic(source) ? 1251 : 1252, 0, source, -1, destination, static_cast<int>(destinationSize), "?", nullptr);
    return destination;
}

char* StrUnicodeToAnsiBuff(const wchar_t* source, char* destination, size_t length)
{
    WideCharToMultiByte(1252, 0, source, static_cast<int>(length), destination, static_cast<int>(length), "?", nullptr);
    return destination;
}

char AnsiToUpper(DWORD language, char character)
{
    char text[2] = {character, 0};
    StrAnsiUpper(language, text);
    return text[0];
}

char* StrAnsiUpper(DWORD language, char* text)
{
    const UINT cp = CodePageOf(language);
    std::wstring wide(strlen(text) + 1, L'\0');
    MultiByteToWideChar(cp, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
    CharUpperW(wide.data());
    WideCharToMultiByte(cp, 0, wide.c_str(), -1, text, static_cast<int>(strlen(text) + 1), "?", nullptr);
    return text;
}
