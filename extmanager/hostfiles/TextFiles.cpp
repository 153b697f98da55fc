#include "extmanager/hostfiles/TextFiles.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "extmanager/probes/LongPath.h"
#include "platform/base/Handles.h"

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  platform::UniqueFileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > (1LL << 30)) return false;
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) return false;
    done += read;
  }
  return true;
}

bool MakeFolderPath(const std::wstring& folder) {
  std::wstring path = folder;
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  size_t cut = path.find_last_of(L"\\/");
  if (cut != std::wstring::npos && cut > 2 && !MakeFolderPath(path.substr(0, cut))) return false;
  return CreateDirectoryW(LongPath(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CanWriteFile(const std::wstring& path) {
  // Wine lets an administrator open a read-only file for writing; Windows does not.
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  platform::UniqueFileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid();
}

std::function<bool(const std::wstring&)>& RefuseNewFilesIn() {
  static std::function<bool(const std::wstring&)> refuse;
  return refuse;
}

namespace {

// A new empty file beside `path`, named as GetTempFileNameW names its files
// ("qoo" + four hex digits + ".tmp") but for folders of any length; made with
// CREATE_NEW, so no other file, nor another writer's new file, is ever taken.
platform::UniqueFileHandle NewFileBeside(const std::wstring& path, std::wstring& name) {
  size_t cut = path.find_last_of(L"\\/");
  std::wstring folder = cut == std::wstring::npos ? std::wstring(L".") : path.substr(0, cut);
  if (RefuseNewFilesIn() && RefuseNewFilesIn()(folder)) return platform::UniqueFileHandle();
  static LONG counter = 0;
  DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 4);
  for (int attempt = 0; attempt < 64; ++attempt) {
    wchar_t leaf[16] = {};
    swprintf(leaf, 16, L"\\qoo%04lX.tmp", (seed + InterlockedIncrement(&counter)) & 0xFFFF);
    name = folder + leaf;
    platform::UniqueFileHandle file(CreateFileW(LongPath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) break;
  }
  name.clear();
  return platform::UniqueFileHandle();
}

}  // namespace

bool ReplaceFileContents(const std::wstring& path, const std::string& bytes) {
  // Windows refuses to replace a read-only file even for an administrator; Wine does not.
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;
  std::wstring temporary;
  platform::UniqueFileHandle file = NewFileBeside(path, temporary);
  if (!file) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    ok = WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  ok = ok && FlushFileBuffers(file.Get());
  file.Reset();
  ok = ok && MoveFileExW(LongPath(temporary).c_str(), LongPath(path).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(LongPath(temporary).c_str());
  return ok;
}

bool DecodeUtf8(const std::string& bytes, std::wstring& text) {
  text.clear();
  if (bytes.empty()) return true;
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                   nullptr, 0);
  if (length <= 0) return false;
  text.assign(length, L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                      length);
  return true;
}

std::string EncodeUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(length > 0 ? length : 0, '\0');
  if (length > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                        nullptr);
  return bytes;
}
