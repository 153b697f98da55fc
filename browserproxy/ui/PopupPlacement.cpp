#include "browserproxy/ui/PopupPlacement.h"

#include <algorithm>

namespace {

constexpr LONG kRight = 5;  // popup's left edge beside the anchor
constexpr LONG kBelow = 3;  // popup's top below the anchor, and its bottom above the word

}  // namespace

RECT PlaceWordPopup(const RECT& workArea, POINT anchor, LONG wordTop, SIZE size) {
  const LONG width = std::max<LONG>(0, std::min<LONG>(size.cx, workArea.right - workArea.left));
  const LONG height = std::max<LONG>(0, std::min<LONG>(size.cy, workArea.bottom - workArea.top));

  LONG x = anchor.x + kRight;
  if (anchor.x + width + kRight > workArea.right) x = anchor.x - width;
  x = std::clamp<LONG>(x, workArea.left, workArea.right - width);

  LONG y = anchor.y + kBelow;
  if (y + height > workArea.bottom) {
    const LONG above = wordTop - kBelow - height;
    if (above >= workArea.top)
      y = above;
    else
      y = wordTop - workArea.top > workArea.bottom - anchor.y ? workArea.top : workArea.bottom - height;
  }
  y = std::clamp<LONG>(y, workArea.top, workArea.bottom - height);
  return RECT{x, y, x + width, y + height};
}
