#include "extmanager/hostfiles/ProfileText.h"

#include <windows.h>

#include "extmanager/hostfiles/TextFiles.h"

namespace {

bool WideToUtf8(const std::wstring& wide, std::string& out) {
  out.clear();
  if (wide.empty()) return true;
  int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), static_cast<int>(wide.size()),
                                   nullptr, 0, nullptr, nullptr);
  if (length <= 0) return false;
  out.assign(length, '\0');
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), static_cast<int>(wide.size()), out.data(), length,
                      nullptr, nullptr);
  return true;
}

bool DecodeUtf16(const std::string& bytes, size_t start, bool bigEndian, std::string& utf8) {
  if ((bytes.size() - start) % 2 != 0) return false;
  std::wstring wide;
  wide.reserve((bytes.size() - start) / 2);
  for (size_t i = start; i < bytes.size(); i += 2) {
    unsigned char a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    wide.push_back(static_cast<wchar_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  return WideToUtf8(wide, utf8);
}

bool EncodeUtf16(const std::string& utf8, bool bigEndian, std::string& bytes) {
  std::wstring wide;
  if (!DecodeUtf8(utf8, wide)) return false;
  bytes.clear();
  bytes.reserve(wide.size() * 2);
  for (wchar_t c : wide) {
    char high = static_cast<char>((c >> 8) & 0xFF), low = static_cast<char>(c & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
  }
  return true;
}

// UTF-16 without a mark: XML text starts with an ASCII character, so one of
// the first two bytes is 0.
bool LooksLikeUtf16(const std::string& bytes, bool& bigEndian) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
  if (bytes[0] != 0 && bytes[1] == 0) return bigEndian = false, true;
  if (bytes[0] == 0 && bytes[1] != 0) return bigEndian = true, true;
  return false;
}

void SplitLines(const std::string& body, std::vector<ProfileLine>& lines) {
  size_t start = 0;
  while (start < body.size()) {
    size_t feed = body.find('\n', start);
    ProfileLine line;
    if (feed == std::string::npos) {
      line.text = body.substr(start);
      start = body.size();
    } else {
      line.text = body.substr(start, feed - start);
      line.end = "\n";
      if (!line.text.empty() && line.text.back() == '\r') {
        line.text.pop_back();
        line.end = "\r\n";
      }
      start = feed + 1;
    }
    lines.push_back(std::move(line));
  }
}

}  // namespace

std::string ProfileText::LineEnd() const {
  for (const ProfileLine& line : lines)
    if (!line.end.empty()) return line.end;
  return "\n";
}

size_t ProfileText::Find(const std::string& part, size_t from) const {
  for (size_t i = from; i < lines.size(); ++i)
    if (lines[i].text.find(part) != std::string::npos) return i;
  return std::string::npos;
}

size_t ProfileText::FindExact(const std::string& line, size_t from) const {
  for (size_t i = from; i < lines.size(); ++i)
    if (lines[i].text == line) return i;
  return std::string::npos;
}

std::vector<std::string> ProfileText::Texts() const {
  std::vector<std::string> texts;
  for (const ProfileLine& line : lines) texts.push_back(line.text);
  return texts;
}

bool ParseProfileText(const std::string& bytes, ProfileText& text) {
  text = ProfileText();
  std::string body;
  bool bigEndian = false;
  if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) {
    bigEndian = bytes[0] == '\xFE';
    text.mark = true;
    if (!DecodeUtf16(bytes, 2, bigEndian, body)) return false;
    text.encoding = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
  } else if (LooksLikeUtf16(bytes, bigEndian)) {
    if (!DecodeUtf16(bytes, 0, bigEndian, body)) return false;
    text.encoding = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
  } else if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
    text.mark = true;
    body = bytes.substr(3);
  } else {
    body = bytes;
  }
  // A NUL in 8-bit text is no character of a configuration file: such a file
  // is left alone rather than rewritten with losses.
  if (body.find('\0') != std::string::npos) return false;
  SplitLines(body, text.lines);
  // Nothing may be lost on the way back.
  std::string again;
  return EncodeProfileText(text, again) && again == bytes;
}

bool EncodeProfileText(const ProfileText& text, std::string& bytes) {
  std::string body;
  for (const ProfileLine& line : text.lines) {
    body += line.text;
    body += line.end;
  }
  if (text.encoding == TextEncoding::EightBit) {
    bytes = (text.mark ? std::string("\xEF\xBB\xBF") : std::string()) + body;
    return true;
  }
  bool bigEndian = text.encoding == TextEncoding::Utf16Be;
  std::string mark = !text.mark ? std::string() : bigEndian ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
  std::string encoded;
  if (!EncodeUtf16(body, bigEndian, encoded)) return false;
  bytes = mark + encoded;
  return true;
}

bool ReadProfileText(const std::wstring& path, ProfileText& text) {
  std::string bytes;
  return ReadWholeFile(path, bytes) && ParseProfileText(bytes, text);
}
