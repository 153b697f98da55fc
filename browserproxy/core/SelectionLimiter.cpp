#include "browserproxy/core/SelectionLimiter.h"

std::wstring LimitSelection(const std::wstring& text, long limit) {
  // A limit of 0 or less would cut everything (or index before the text).
  if (limit <= 0 || text.size() <= static_cast<size_t>(limit)) return text;
  const size_t l = static_cast<size_t>(limit);
  const std::wstring head = text.substr(0, l);
  const size_t period = text.find(L'.', l - 1);
  if (period != std::wstring::npos && period <= l + 50) return text.substr(0, period);
  const size_t last = head.rfind(L'.');
  return last != std::wstring::npos ? head.substr(0, last) : head;
}
