#include "shared/GlobalAtomString.h"

ATOM GlobalAtomString(const std::wstring& text) { return GlobalAddAtomW(text.c_str()); }

bool GlobalAtomString(ATOM atom, std::wstring& text) {
  wchar_t buffer[513] = {};
  UINT length = GlobalGetAtomNameW(atom, buffer, 513);
  if (length == 0) return false;
  text.assign(buffer, length);
  return true;
}
