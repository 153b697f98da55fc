#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace platform {

// The pixels of a 32-bit DIB section, rows top-down, each pixel 0x00RRGGBB.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<DWORD> values;
  DWORD At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
  bool operator==(const Pixels&) const = default;
};
// Empty when the bitmap is no 32-bit DIB section.
Pixels ReadPixels(HBITMAP bitmap);

// What of the window a picture of its screen area shows unpainted, as a user
// would see it: "title bar" (not in the caption colours), "frame" or
// "content" (the black of a surface nothing was drawn on, or a single colour
// where the window draws its content). Empty when the picture shows the
// window painted. The window's geometry is read now: take the picture first.
std::wstring UnpaintedPart(HWND window, const Pixels& picture);

}  // namespace platform
