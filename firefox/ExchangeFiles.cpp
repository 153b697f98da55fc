#include "firefox/ExchangeFiles.h"

#include <windows.h>

#include <vector>

#include "platform/win/UniqueHandle.h"
#include "shared/TempFiles.h"

namespace {

std::optional<std::vector<char>> ReadAllBytes(const std::wstring& path) {
  platform::UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFF0) return std::nullopt;
  std::vector<char> bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
    if (!ReadFile(file.Get(), bytes.data() + done, want, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace

ExchangeFile::ExchangeFile() {
  std::wstring folder = EnsureTempFolder();
  wchar_t name[MAX_PATH + 16] = {};
  if (!folder.empty() && GetTempFileNameW(folder.c_str(), L"", 0, name)) path_ = name;
}

ExchangeFile::~ExchangeFile() {
  if (!path_.empty()) DeleteFileW(path_.c_str());
}

bool WriteExchangeSource(const std::wstring& path, std::wstring_view text) {
  platform::UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::vector<char> bytes(2 + text.size() * 2);
  bytes[0] = '\xFF';
  bytes[1] = '\xFE';
  if (!text.empty()) memcpy(bytes.data() + 2, text.data(), text.size() * 2);
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
    if (!WriteFile(file.Get(), bytes.data() + done, want, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

std::optional<std::wstring> ReadTextResult(const std::wstring& path) {
  auto bytes = ReadAllBytes(path);
  if (!bytes) return std::nullopt;
  size_t start = bytes->size() >= 2 && (*bytes)[0] == '\xFF' && (*bytes)[1] == '\xFE' ? 2 : 0;
  std::wstring text((bytes->size() - start) / 2, L'\0');
  if (!text.empty()) memcpy(text.data(), bytes->data() + start, text.size() * 2);
  return text;
}

std::optional<std::wstring> ReadPageResult(const std::wstring& path) {
  auto bytes = ReadAllBytes(path);
  if (!bytes) return std::nullopt;
  size_t start =
      bytes->size() >= 3 && (*bytes)[0] == '\xEF' && (*bytes)[1] == '\xBB' && (*bytes)[2] == '\xBF' ? 3 : 0;
  int count = static_cast<int>(bytes->size() - start);
  if (count == 0) return std::wstring();
  int size = MultiByteToWideChar(CP_UTF8, 0, bytes->data() + start, count, nullptr, 0);
  std::wstring text(size > 0 ? size : 0, L'\0');
  if (size > 0) MultiByteToWideChar(CP_UTF8, 0, bytes->data() + start, count, text.data(), size);
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
