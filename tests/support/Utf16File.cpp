#include "Utf16File.h"

#include "TempFolder.h"

namespace testsupport {

std::string Utf16WithMark(const std::wstring& text) {
  std::string bytes("\xFF\xFE", 2);
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return bytes;
}

std::wstring ReadUtf16File(const std::wstring& path) {
  const std::string bytes = ReadWholeFile(path);
  if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE", 2) != 0) return L"<not UTF-16>";
  std::wstring text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                        static_cast<unsigned char>(bytes[i + 1]) << 8));
  return text;
}

}  // namespace testsupport
