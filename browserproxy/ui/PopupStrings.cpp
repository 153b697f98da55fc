#include "browserproxy/ui/PopupStrings.h"

#include "platform/win/ResourceInstance.h"

namespace popupstrings {

std::wstring Load(UINT id) { return platform::LoadResourceString(id); }

std::wstring FormatOne(const std::wstring& format, const std::wstring& argument) {
  for (size_t i = 0; i + 1 < format.size(); ++i) {
    if (format[i] != L'%') continue;
    if (format[i + 1] == L'%') {
      ++i;
      continue;
    }
    if (format[i + 1] == L's' || format[i + 1] == L'd')
      return format.substr(0, i) + argument + format.substr(i + 2);
  }
  return format;
}

std::wstring Sentence(const std::wstring& before, const std::wstring& word, const std::wstring& after) {
  return before + L" '" + word + L"' " + after;
}

}  // namespace popupstrings
