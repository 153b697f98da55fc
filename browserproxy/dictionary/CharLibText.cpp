#include "CharLibText.h"

#include <vector>

#include "shared/CharLibrary.h"

std::string CharLibToAnsi(const std::wstring& text)
{
    if (text.empty())
        return {};
    std::vector<char> buffer(text.size() + 1, '\0');
    StrUnicodeToAnsi(text.c_str(), buffer.data(), buffer.size());
    buffer.back() = '\0';
    return std::string(buffer.data(), text.size());
}

std::wstring CharLibToUnicode(uint16_t language, const std::string& text)
{
    if (text.empty())
        return {};
    std::vector<wchar_t> buffer(text.size() + 1, L'\0');
    StrAnsiToUnicode(language, text.c_str(), buffer.data(), buffer.size());
    buffer.back() = L'\0';
    return std::wstring(buffer.data(), text.size());
}

void CharLibMakeUpper(uint16_t language, std::wstring& text)
{
    if (text.empty())
        return;
    std::string ansi = CharLibToAnsi(text);
    // A library that converted nothing leaves zeros: keep the text then.
    if (ansi.empty() || ansi[0] == '\0')
        return;
    StrAnsiUpper(language, ansi.data());
    ansi.resize(ansi.find('\0') == std::string::npos ? ansi.size() : ansi.find('\0'));
    std::wstring upper = CharLibToUnicode(language, ansi);
    if (upper.empty() || upper[0] == L'\0')
        return;
    text = upper.substr(0, upper.find(L'\0'));
}

wchar_t CharLibUpperCharacter(uint16_t language, wchar_t character)
{
    std::wstring one(1, character);
    CharLibMakeUpper(language, one);
    return one.size() == 1 ? one[0] : character;
}
