// A small program that chooses its interface-language resource library as a
// deliverable does at start-up and prints what it loaded:
//   path=<library path, empty when none>
//   string=<string 1 as loaded through the resource instance>
// "--fervix" makes it name the library as the Firefox plug-in does.
#include "shared/DeliverableConfig.h"
#include "platform/win/ResourceInstance.h"
#include "shared/ResourceLanguage.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

void Print(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wcscmp(argv[1], L"--fervix") == 0) {
    DeliverableConfig fervix;
    fervix.resourceLibraryName = L"fervix9.dll";
    SetDeliverableConfig(fervix);
  }
  std::wstring path;
  LoadResourceLanguageDll(&path);
  Print(L"path=" + path + L"\nstring=" + platform::LoadResourceString(1) + L"\n");
  return 0;
}
