#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kernelstandin {

std::wstring Utf8ToWide(std::string_view bytes);
std::string WideToUtf8(std::wstring_view text);
std::wstring ToLower(std::wstring_view text);
std::wstring ToUpper(std::wstring_view text);
bool IsWordChar(wchar_t c);
// How often each word (letters and digits, lower case) occurs in the text.
std::map<std::wstring, unsigned> CountWords(std::wstring_view text);
// The lines of a file in UTF-8; empty lines and lines starting with '#' skipped.
std::vector<std::wstring> ReadDataLines(const std::wstring& path);
std::vector<std::wstring> SplitFields(const std::wstring& line, wchar_t separator);

}  // namespace kernelstandin
