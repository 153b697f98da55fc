#include "firefox/SelectionGetter.h"

std::array<int32_t, 4> SelectionRectangle(std::wstring_view text, int32_t dx, int32_t dy) {
  std::array<int32_t, 4> corners = {};
  std::wstring parts(text);
  size_t start = 0;
  for (size_t i = 0; i < corners.size() && start <= parts.size(); ++i) {
    size_t end = parts.find(L'#', start);
    if (end == std::wstring::npos) end = parts.size();
    corners[i] = _wtoi(parts.substr(start, end - start).c_str());
    start = end + 1;
  }
  corners[0] += dx;
  corners[1] += dy;
  corners[2] += dx;
  corners[3] += dy;
  return corners;
}
