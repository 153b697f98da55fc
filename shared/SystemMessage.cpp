#include "shared/SystemMessage.h"

#include "platform/base/SystemMessage.h"

void ShowSystemErrorMessage(DWORD errorCode, const wchar_t* caption) {
  const std::wstring text = platform::SystemMessageText(errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT));
  MessageBoxW(nullptr, text.c_str(), caption, MB_ICONINFORMATION);
}
