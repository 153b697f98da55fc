#include "TextEdit.h"

#include <windows.h>

int ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to)
{
    if (from.empty())
        return 0;
    int count = 0;
    size_t position = text.find(from);
    while (position != std::wstring::npos) {
        text.replace(position, from.size(), to);
        ++count;
        position = text.find(from, position + to.size());
    }
    return count;
}

int RemoveAll(std::wstring& text, const std::wstring& what)
{
    return ReplaceAll(text, what, std::wstring());
}

std::wstring ToLower(std::wstring text)
{
    if (!text.empty())
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring ToUpper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring TrimBoth(const std::wstring& text, const std::wstring& characters)
{
    const size_t first = text.find_first_not_of(characters);
    if (first == std::wstring::npos)
        return {};
    const size_t last = text.find_last_not_of(characters);
    return text.substr(first, last - first + 1);
}
