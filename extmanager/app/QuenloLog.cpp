#include "extmanager/app/QuenloLog.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "platform/base/Handles.h"
#include "shared/ProductRegistry.h"
#include "shared/RegistryKey.h"

namespace {

// No message is longer than this; a longer one is cut rather than grown without end.
constexpr size_t kMaxMessage = 1 << 20;

bool FolderExists(const std::wstring& folder) {
  DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD WindowsMajorVersion() {
  // GetVersionExW lies to programs without a manifest; the kernel's own
  // answer is the real one.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  auto rtlGetVersion =
      reinterpret_cast<RtlGetVersionFn>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion"));
  if (rtlGetVersion && rtlGetVersion(&info) == 0) return info.dwMajorVersion;
  return 6;
}

}  // namespace

QuenloLog& QuenloLog::Instance() {
  static QuenloLog log;
  return log;
}

void QuenloLog::ComputeLogPath() {
  path_.clear();
  std::wstring folder;
  if (WindowsMajorVersion() >= 6) {
    platform::UniqueLibrary shell(LoadLibraryW(L"shell32.dll"));
    if (!shell) return;
    using KnownFolderFn = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
    auto known = reinterpret_cast<KnownFolderFn>(GetProcAddress(shell.Get(), "SHGetKnownFolderPath"));
    if (known) {
      PWSTR text = nullptr;
      if (SUCCEEDED(known(FOLDERID_LocalAppDataLow, 0, nullptr, &text)) && text && *text) folder = text;
      CoTaskMemFree(text);
    }
    // An unusable answer leaves the log off rather than writing elsewhere.
    if (folder.empty() || !FolderExists(folder)) return;
    path_ = folder + L"\\quenlo.log";
    return;
  }
  wchar_t path[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) folder = path;
  if (folder.empty() && WindowsMajorVersion() < 5) {
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kProductFoldersKey, KEY_READ))
      folder = key.ReadStringValue(L"CommonAppDataRoot", L"");
  }
  if (!folder.empty()) {
    if (folder.back() != L'\\') folder += L'\\';
    path_ = folder + L"quenlo.log";
  } else {
    path_ = L"c:\\quenlo.log";
  }
}

void QuenloLog::Reset() {
  if (path_.empty()) return;
  // As the runtime's Unicode mode writes it: a byte-order mark and nothing else.
  platform::UniqueFileHandle file(CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  DWORD written = 0;
  WriteFile(file.Get(), "\xFF\xFE", 2, &written, nullptr);
}

void QuenloLog::Log(const char* module, int line, const wchar_t* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  LogV(module, line, format, arguments);
  va_end(arguments);
}

void QuenloLog::LogV(const char* module, int line, const wchar_t* format, va_list arguments) {
  if (!enabled_ || path_.empty() || !format) return;
  va_list measure;
  va_copy(measure, arguments);
  int length = _vscwprintf(format, measure);
  va_end(measure);
  if (length < 0) return;  // a format the formatter rejects: nothing to write
  std::wstring message(std::min<size_t>(length, kMaxMessage) + 1, L'\0');
  if (_vsnwprintf(message.data(), message.size() - 1, format, arguments) < 0 &&
      static_cast<size_t>(length) < kMaxMessage)
    return;
  message.resize(std::min<size_t>(length, kMaxMessage));

  std::string source = module ? module : "";
  if (source.rfind(".\\", 0) == 0 || source.rfind("./", 0) == 0) source.erase(0, 2);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  wchar_t stamp[64] = {};
  swprintf(stamp, 64, L"%.*d/%.*d/%.*d %.*d:%.*d:%.*d ", 2, now.wDay, 2, now.wMonth, 2, now.wYear, 2, now.wHour, 2,
           now.wMinute, 2, now.wSecond);
  std::wstring record = stamp;
  record += L"\r\n" + std::wstring(source.begin(), source.end()) + L"(" + std::to_wstring(line) + L"):\r\n";
  record += message + L"\r\n";
  WriteRecord(record);
}

void QuenloLog::WriteLine(const std::wstring& text) {
  if (!enabled_ || path_.empty()) return;
  WriteRecord(text + L"\r\n");
}

void QuenloLog::WriteRecord(const std::wstring& record) {
  // UTF-16LE with a byte-order mark at the start of a new file; the record's
  // own CR LF pairs are written as they stand.
  platform::UniqueFileHandle file(CreateFileW(path_.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                              FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  LARGE_INTEGER size{};
  DWORD written = 0;
  if (GetFileSizeEx(file.Get(), &size) && size.QuadPart == 0) WriteFile(file.Get(), "\xFF\xFE", 2, &written, nullptr);
  WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &written, nullptr);
}
