#include "TextFile.h"

#include <string>

#include "TextUtil.h"
#include "platform/base/Handles.h"

namespace kernelstandin {
namespace {

UINT CodePageOf(long kind) {
  switch (kind) {
    case 2:
    case kKindHtml: return CP_UTF8;
    case 3: return 1251;
    case 4: return 1252;
    case 5: return 20866;
    default: return 0;  // UTF-16LE
  }
}

}  // namespace

HRESULT ReadTextFile(const std::wstring& path, long kind, std::wstring* text) {
  platform::UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return HRESULT_FROM_WIN32(GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return HRESULT_FROM_WIN32(GetLastError());
  if (size.QuadPart > 256 * 1024 * 1024) return E_OUTOFMEMORY;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                         read != bytes.size()))
    return HRESULT_FROM_WIN32(ERROR_READ_FAULT);
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    text->assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    return S_OK;
  }
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    *text = Utf8ToWide(std::string_view(bytes).substr(3));
    return S_OK;
  }
  UINT codePage = CodePageOf(kind);
  if (codePage == 0) {
    text->assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    return S_OK;
  }
  int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  text->assign(n, L'\0');
  if (n) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text->data(), n);
  return S_OK;
}

HRESULT WriteTextFile(const std::wstring& path, long kind, const std::wstring& text) {
  std::string bytes;
  UINT codePage = CodePageOf(kind);
  if (codePage == 0) {
    bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  } else if (!text.empty()) {
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    bytes.assign(n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                        nullptr);
  }
  platform::UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file.Valid()) return HRESULT_FROM_WIN32(GetLastError());
  DWORD written = 0;
  if (!bytes.empty() && (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                    nullptr) ||
                         written != bytes.size()))
    return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
  return S_OK;
}

}  // namespace kernelstandin
