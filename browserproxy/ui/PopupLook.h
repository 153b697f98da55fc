#pragma once
#include <windows.h>

#include <string>

#include "platform/base/Handles.h"

// The look both popups share: a gradient body, a footer band with the
// product's image and caption, a rounded border.
struct PopupLook {
  COLORREF bodyLower = 0xFFF2D2;
  COLORREF bodyUpper = 0xFFFFFF;
  COLORREF footerEdge = 0x1F0100;
  COLORREF footerCentre = 0x9D6700;
  COLORREF border = 0x000000;
  COLORREF captionText = 0xFFEBBD;
  COLORREF transparent = 0xFF00FF;
  int footerHeight = 20;
  int borderWidth = 1;
  std::wstring caption = L"NORVA";
};

// Bitmap resource ids of the popups.
namespace popupbitmaps {
constexpr UINT kCloseNormal = 234;
constexpr UINT kCloseHot = 235;
constexpr UINT kClosePressed = 236;
constexpr UINT kFooter = 237;
}  // namespace popupbitmaps

// A bitmap resource as a DIB section: from the interface-language library,
// else from the program's own resources; null when neither has it.
platform::UniqueBitmap LoadPopupBitmap(UINT id);
// The caption font of the footer: Tahoma 14, bold.
platform::UniqueFont CreateCaptionFont();

// Body gradient, footer gradients and border (the DC's state is restored).
void PaintPopupBody(HDC dc, const RECT& client, const PopupLook& look);
// Footer image at the bottom left, caption beside it.
void PaintPopupFooter(HDC dc, const RECT& client, const PopupLook& look, HBITMAP image, HFONT captionFont);
// Draws the bitmap with the key colour left out.
void DrawKeyedBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key);
// Gives the window a round-rectangle region of its client rectangle.
void SetRoundRegion(HWND window, int corner);
// The same for a window of that size (client and window alike), without a
// repaint: for a hidden window about to take the size.
void SetRoundRegion(HWND window, SIZE size, int corner);
