#include "platform/base/SystemMessage.h"

#include "platform/base/Handles.h"

namespace platform {

std::wstring SystemMessageText(DWORD code, DWORD languageId) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, languageId, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  UniqueLocalMemory owned(buffer);
  std::wstring text;
  if (length && buffer) text.assign(buffer, length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

}  // namespace platform
