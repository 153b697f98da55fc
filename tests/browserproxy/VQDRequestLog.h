#pragma once
#include <string>
#include <vector>

// Reading the stand-in server's request log: one JSON object per line.
namespace vqdlog {

// The string value of the first "key": "..." in the line, decoded (JSON
// escapes and UTF-8); empty when the key is absent or not a string.
std::wstring Field(const std::string& line, const std::string& key);
bool Has(const std::string& line, const std::string& key);
// The lines whose operation is that one.
std::vector<std::string> OfOperation(const std::vector<std::string>& lines, const std::wstring& operation);

}  // namespace vqdlog
