#include "browserproxy/server/ErrorText.h"

#include <cwchar>

#include "platform/base/SystemMessage.h"

std::wstring ServerErrorText(HRESULT hr) {
  std::wstring text = platform::SystemMessageText(static_cast<DWORD>(hr));
  if (!text.empty()) return text;
  wchar_t unknown[40];
  swprintf(unknown, 40, L"Unknown error 0x%08lX", static_cast<unsigned long>(hr));
  return unknown;
}
