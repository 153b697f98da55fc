#include "TextUtil.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kernelstandin {

std::wstring Utf8ToWide(std::string_view bytes) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                      nullptr, nullptr);
  return bytes;
}

std::wstring ToLower(std::wstring_view text) {
  std::wstring out(text);
  if (!out.empty()) CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

std::wstring ToUpper(std::wstring_view text) {
  std::wstring out(text);
  if (!out.empty()) CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

bool IsWordChar(wchar_t c) { return IsCharAlphaNumericW(c) != FALSE; }

std::map<std::wstring, unsigned> CountWords(std::wstring_view text) {
  std::map<std::wstring, unsigned> counts;
  for (size_t i = 0; i < text.size();) {
    if (!IsWordChar(text[i])) {
      ++i;
      continue;
    }
    size_t start = i;
    while (i < text.size() && IsWordChar(text[i])) ++i;
    ++counts[ToLower(text.substr(start, i - start))];
  }
  return counts;
}

std::vector<std::wstring> ReadDataLines(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) throw std::runtime_error("kernel data file missing");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  std::wstring text = Utf8ToWide(bytes);
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (!line.empty() && line[0] != L'#') lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::vector<std::wstring> SplitFields(const std::wstring& line, wchar_t separator) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  for (;;) {
    size_t end = line.find(separator, start);
    fields.push_back(line.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return fields;
}

}  // namespace kernelstandin
