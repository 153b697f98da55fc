#include "shared/SystemMessage.h"

#include <memory>

void ShowSystemErrorMessage(DWORD errorCode, const wchar_t* caption) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::unique_ptr<wchar_t, decltype(&LocalFree)> owned(text, &LocalFree);
  MessageBoxW(nullptr, text ? text : L"", caption, MB_ICONINFORMATION);
}
