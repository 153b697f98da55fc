#include "platform/win/WindowPaintCheck.h"

#include <algorithm>

#include "platform/base/DeviceContext.h"

namespace platform {

namespace {

constexpr DWORD kBlack = 0;
constexpr int kColourTolerance = 4;

DWORD Rgb(COLORREF colour) { return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour); }
int Red(DWORD pixel) { return (pixel >> 16) & 0xFF; }
int Green(DWORD pixel) { return (pixel >> 8) & 0xFF; }
int Blue(DWORD pixel) { return pixel & 0xFF; }

// The colours between two ends of a caption's gradient, channel by channel.
struct ColourSpan {
  DWORD from, to;
  bool Holds(DWORD pixel) const {
    auto within = [](int value, int a, int b) {
      return value >= std::min(a, b) - kColourTolerance && value <= std::max(a, b) + kColourTolerance;
    };
    return within(Red(pixel), Red(from), Red(to)) && within(Green(pixel), Green(from), Green(to)) &&
           within(Blue(pixel), Blue(from), Blue(to));
  }
};

// Counts of the pixels of a rectangle of the picture that pass a test.
template <class Test>
double Share(const Pixels& picture, RECT area, Test&& test) {
  area.left = std::max(0L, area.left);
  area.top = std::max(0L, area.top);
  area.right = std::min<LONG>(picture.width, area.right);
  area.bottom = std::min<LONG>(picture.height, area.bottom);
  long all = 0, passing = 0;
  for (LONG y = area.top; y < area.bottom; ++y)
    for (LONG x = area.left; x < area.right; ++x) {
      ++all;
      if (test(picture.At(x, y))) ++passing;
    }
  return all ? static_cast<double>(passing) / all : 1.0;
}

bool OneColour(const Pixels& picture, const RECT& area) {
  if (area.right <= area.left || area.bottom <= area.top) return false;
  const DWORD first = picture.At(area.left, area.top);
  return Share(picture, area, [first](DWORD pixel) { return pixel == first; }) == 1.0;
}

}  // namespace

Pixels ReadPixels(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || GetObjectW(bitmap, sizeof(info), &info) != sizeof(info) || info.bmBitsPixel != 32) return {};
  Pixels pixels;
  pixels.width = info.bmWidth;
  pixels.height = std::abs(info.bmHeight);
  pixels.values.resize(static_cast<size_t>(pixels.width) * pixels.height);
  // Rows in a known top-down order (what GetObject says of a section's
  // orientation differs between systems; GetDIBits with a negative height
  // does not).
  BITMAPINFO rows{};
  rows.bmiHeader.biSize = sizeof(rows.bmiHeader);
  rows.bmiHeader.biWidth = pixels.width;
  rows.bmiHeader.biHeight = -pixels.height;
  rows.bmiHeader.biPlanes = 1;
  rows.bmiHeader.biBitCount = 32;
  rows.bmiHeader.biCompression = BI_RGB;
  WindowDC screen(nullptr);
  if (GetDIBits(screen.Get(), bitmap, 0, pixels.height, pixels.values.data(), &rows, DIB_RGB_COLORS) != pixels.height)
    return {};
  for (DWORD& value : pixels.values) value &= 0xFFFFFF;
  return pixels;
}

std::wstring UnpaintedPart(HWND window, const Pixels& picture) {
  WINDOWINFO info{};
  info.cbSize = sizeof(info);
  if (picture.values.empty() || !GetWindowInfo(window, &info)) return L"window";
  const LONG left = info.rcWindow.left, top = info.rcWindow.top;
  const RECT client = {info.rcClient.left - left, info.rcClient.top - top, info.rcClient.right - left,
                       info.rcClient.bottom - top};
  const LONG border = static_cast<LONG>(info.cxWindowBorders);

  if ((info.dwStyle & WS_CAPTION) == WS_CAPTION) {
    // The caption strip, between the borders and above the menu and client area.
    const int height = GetSystemMetrics((info.dwExStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
    const LONG captionTop = static_cast<LONG>(info.cyWindowBorders);
    const RECT caption = {border, captionTop, picture.width - border, std::min(captionTop + height, client.top)};
    const ColourSpan active{Rgb(GetSysColor(COLOR_ACTIVECAPTION)), Rgb(GetSysColor(COLOR_GRADIENTACTIVECAPTION))};
    const ColourSpan inactive{Rgb(GetSysColor(COLOR_INACTIVECAPTION)), Rgb(GetSysColor(COLOR_GRADIENTINACTIVECAPTION))};
    // Icon, title and buttons take their part; the rest is the caption's colour.
    if (Share(picture, caption, [&](DWORD pixel) { return active.Holds(pixel); }) < 0.5 &&
        Share(picture, caption, [&](DWORD pixel) { return inactive.Holds(pixel); }) < 0.5)
      return L"title bar";
  }
  // A frame of two pixels or more is mostly light (a one-pixel border is
  // drawn black): its sides below the caption.
  if (border >= 2) {
    const RECT sides[] = {{0, client.top, client.left, picture.height},
                          {client.right, client.top, picture.width, picture.height},
                          {0, client.bottom, picture.width, picture.height}};
    for (const RECT& side : sides)
      if (Share(picture, side, [](DWORD pixel) { return pixel == kBlack; }) > 0.5) return L"frame";
  }
  if (client.right > client.left && client.bottom > client.top &&
      (Share(picture, client, [](DWORD pixel) { return pixel == kBlack; }) > 0.5 || OneColour(picture, client)))
    return L"content";
  return {};
}

}  // namespace platform
