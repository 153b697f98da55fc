#include "VQDRequestLog.h"

#include <windows.h>

namespace vqdlog {
namespace {

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace

bool Has(const std::string& line, const std::string& key) {
  return line.find("\"" + key + "\": ") != std::string::npos;
}

std::wstring Field(const std::string& line, const std::string& key) {
  const std::string marker = "\"" + key + "\": \"";
  size_t at = line.find(marker);
  if (at == std::string::npos) return {};
  at += marker.size();
  std::string raw;
  std::wstring out;
  for (size_t i = at; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') break;
    if (c != '\\') {
      raw += c;
      continue;
    }
    if (++i >= line.size()) break;
    switch (line[i]) {
      case 'n': raw += '\n'; break;
      case 'r': raw += '\r'; break;
      case 't': raw += '\t'; break;
      case 'b': raw += '\b'; break;
      case 'f': raw += '\f'; break;
      case 'u': {
        out += FromUtf8(raw);
        raw.clear();
        out += static_cast<wchar_t>(std::stoul(line.substr(i + 1, 4), nullptr, 16));
        i += 4;
        break;
      }
      default: raw += line[i]; break;
    }
  }
  out += FromUtf8(raw);
  return out;
}

std::vector<std::string> OfOperation(const std::vector<std::string>& lines, const std::wstring& operation) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (Field(line, "operation") == operation) found.push_back(line);
  return found;
}

}  // namespace vqdlog
