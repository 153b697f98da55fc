#include "firefox/ExchangeFiles.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "firefox/MappedFile.h"
#include "platform/base/Handles.h"
#include "shared/TempFiles.h"

ExchangeFile::ExchangeFile() {
  std::wstring folder = EnsureTempFolder();
  wchar_t name[MAX_PATH + 16] = {};
  if (!folder.empty() && GetTempFileNameW(folder.c_str(), L"", 0, name)) path_ = name;
}

ExchangeFile::~ExchangeFile() {
  if (!path_.empty()) DeleteFileW(path_.c_str());
}

namespace {

bool WriteAll(HANDLE file, const char* data, size_t size) {
  while (size > 0) {
    DWORD written = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 24));
    if (!WriteFile(file, data, want, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

// UTF-8 to UTF-16; a malformed sequence gives U+FFFD, as the system's
// conversion does. Without `out` it only counts the UTF-16 units, so that
// the destination can be sized once, exactly, before it is written.
size_t DecodeUtf8(const unsigned char* p, size_t size, wchar_t* out) {
  const unsigned char* end = p + size;
  size_t units = 0;
  auto put = [&](unsigned unit) {
    if (out) out[units] = static_cast<wchar_t>(unit);
    ++units;
  };
  while (p < end) {
    // Most of a page is ASCII: eight bytes at a time while none has its top bit.
    while (end - p >= 8) {
      unsigned long long eight;
      memcpy(&eight, p, 8);
      if (eight & 0x8080808080808080ull) break;
      if (out)
        for (int i = 0; i < 8; ++i) out[units + i] = static_cast<wchar_t>(p[i]);
      units += 8;
      p += 8;
    }
    if (p == end) break;
    unsigned c = *p;
    if (c < 0x80) {
      put(c);
      ++p;
      continue;
    }
    int extra = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
    if (c >= 0xF5) extra = -1;
    unsigned code = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0F : c & 0x1F;
    bool good = extra > 0 && end - p > extra;
    for (int i = 1; good && i <= extra; ++i) {
      if ((p[i] & 0xC0) != 0x80) good = false;
      else code = code << 6 | (p[i] & 0x3F);
    }
    if (good && ((extra == 2 && (code < 0x800 || (code >= 0xD800 && code < 0xE000))) ||
                 (extra == 3 && (code < 0x10000 || code > 0x10FFFF))))
      good = false;
    if (!good) {
      put(0xFFFD);
      ++p;
      while (p < end && (*p & 0xC0) == 0x80 && extra-- > 0) ++p;
      continue;
    }
    p += extra + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xD800 + (code >> 10));
      put(0xDC00 + (code & 0x3FF));
    } else {
      put(code);
    }
  }
  return units;
}

}  // namespace

bool WriteExchangeSource(const std::wstring& path, std::wstring_view text) {
  platform::UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  return WriteAll(file.Get(), "\xFF\xFE", 2) &&
         WriteAll(file.Get(), reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::optional<std::wstring> ReadTextResult(const std::wstring& path) {
  MappedFile file(path);
  if (!file.Ok()) return std::nullopt;
  const unsigned char* bytes = file.Data();
  size_t start = file.Size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE ? 2 : 0;
  std::wstring text((file.Size() - start) / 2, L'\0');
  if (!text.empty()) memcpy(text.data(), bytes + start, text.size() * 2);
  return text;
}

std::optional<std::wstring> ReadPageResult(const std::wstring& path) {
  MappedFile file(path);
  if (!file.Ok()) return std::nullopt;
  const unsigned char* bytes = file.Data();
  size_t start = file.Size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
  const size_t units = DecodeUtf8(bytes + start, file.Size() - start, nullptr);
  std::wstring text(units, L'\0');
  DecodeUtf8(bytes + start, file.Size() - start, text.data());
  return text;
}

std::wstring PageBaseAddress(std::wstring_view address) {
  size_t slash = address.rfind(L'/');
  size_t dot = address.rfind(L'.');
  if (slash == std::wstring_view::npos) return dot == std::wstring_view::npos ? std::wstring(address) : std::wstring();
  if (dot == std::wstring_view::npos || dot < slash) return std::wstring(address);
  // "scheme://host.name": the last slash belongs to the scheme; the host stays.
  size_t scheme = address.find(L"://");
  if (scheme != std::wstring_view::npos && slash == scheme + 2) return std::wstring(address);
  return std::wstring(address.substr(0, slash + 1));
}
