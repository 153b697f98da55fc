#include "shared/PathStrings.h"

#include <cstring>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Start of the file-name part as the split family defines it.
size_t FileNameStart(const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos || slash + 1 == path.size()) return 0;
  return slash + 1;
}

// The dot that starts the file name's extension: the last one after the last
// "\", unless it is the name's first character; npos when there is none.
size_t ExtensionDot(const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  size_t start = slash == std::wstring::npos ? 0 : slash + 1;
  size_t dot = path.rfind(L'.');
  return dot != std::wstring::npos && dot > start ? dot : std::wstring::npos;
}

}  // namespace

void EnsureTrailingSeparator(std::wstring& path) {
  if (!path.empty() && !IsSeparator(path.back())) path += L'\\';
}

std::wstring& AppendPathComponent(std::wstring& path, const std::wstring& component) {
  EnsureTrailingSeparator(path);
  path += component;
  return path;
}

std::wstring JoinPath(const std::wstring& first, const std::wstring& second) {
  std::wstring result = first;
  return AppendPathComponent(result, second);
}

std::wstring RemoveTrailingSeparator(const std::wstring& path) {
  if (path.size() < 2 || !IsSeparator(path.back())) return path;
  if (path.size() == 3 && path[1] == L':') return path;
  return path.substr(0, path.size() - 1);
}

std::optional<size_t> FindByte(const void* buffer, unsigned char value, size_t length) {
  if (!buffer) return std::nullopt;
  const void* found = std::memchr(buffer, value, length);
  if (!found) return std::nullopt;
  return static_cast<size_t>(static_cast<const unsigned char*>(found) - static_cast<const unsigned char*>(buffer));
}

std::wstring GetFolderPart(const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring GetFileNamePart(const std::wstring& path) { return path.substr(FileNameStart(path)); }

std::wstring GetNamePart(const std::wstring& path) {
  std::wstring file = GetFileNamePart(path);
  size_t dot = file.rfind(L'.');
  if (dot == std::wstring::npos || dot + 1 == file.size()) return file;
  return file.substr(0, dot);
}

std::wstring GetExtensionPart(const std::wstring& path) {
  std::wstring file = GetFileNamePart(path);
  size_t dot = file.rfind(L'.');
  if (dot == std::wstring::npos || dot + 1 == file.size()) return std::wstring();
  return file.substr(dot + 1);
}

std::wstring AddDefaultExtension(const std::wstring& path, const std::wstring& extension) {
  size_t dot = ExtensionDot(path);
  if (dot != std::wstring::npos && dot + 1 < path.size()) return path;
  return ReplaceExtension(path, extension);
}

std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension) {
  size_t dot = ExtensionDot(path);
  std::wstring result = path;
  if (dot != std::wstring::npos) result.erase(dot);
  if (extension.empty()) return result;
  if (extension.front() != L'.') result += L'.';
  return result + extension;
}
