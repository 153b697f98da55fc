#include "browserproxy/ui/PopupLook.h"

#include "platform/base/DcStateGuard.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/SelectedObject.h"
#include "platform/win/ResourceInstance.h"

namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF colour) {
  TRIVERTEX v{};
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>(GetRValue(colour) << 8);
  v.Green = static_cast<COLOR16>(GetGValue(colour) << 8);
  v.Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
  v.Alpha = 0;
  return v;
}

void Gradient(HDC dc, LONG left, LONG top, LONG right, LONG bottom, COLORREF from, COLORREF to, ULONG mode) {
  if (right <= left || bottom <= top) return;
  TRIVERTEX vertices[2] = {Vertex(left, top, from), Vertex(right, bottom, to)};
  GRADIENT_RECT rect = {0, 1};
  GradientFill(dc, vertices, 2, &rect, 1, mode);
}

}  // namespace

platform::UniqueBitmap LoadPopupBitmap(UINT id) {
  HANDLE image = LoadImageW(platform::ResourceInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                            LR_CREATEDIBSECTION);
  if (!image && platform::ResourceInstance() != platform::ModuleInstance())
    image = LoadImageW(platform::ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  return platform::UniqueBitmap(static_cast<HBITMAP>(image));
}

platform::UniqueFont CreateCaptionFont() {
  LOGFONTW description{};
  description.lfHeight = 14;
  description.lfWeight = FW_BOLD;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = CLEARTYPE_QUALITY;
  wcscpy_s(description.lfFaceName, L"Tahoma");
  return platform::UniqueFont(CreateFontIndirectW(&description));
}

void PaintPopupBody(HDC dc, const RECT& client, const PopupLook& look) {
  platform::DcStateGuard state(dc);
  const LONG footerTop = client.bottom - look.footerHeight;
  Gradient(dc, client.left, client.top, client.right, footerTop, look.bodyUpper, look.bodyLower, GRADIENT_FILL_RECT_V);
  const LONG middle = (client.left + client.right) / 2;
  Gradient(dc, client.left, footerTop, middle, client.bottom, look.footerEdge, look.footerCentre, GRADIENT_FILL_RECT_H);
  Gradient(dc, middle, footerTop, client.right, client.bottom, look.footerCentre, look.footerEdge, GRADIENT_FILL_RECT_H);
  SetBkMode(dc, TRANSPARENT);
  platform::UniquePen pen(CreatePen(PS_SOLID, look.borderWidth, look.border));
  platform::SelectedObject selectedPen(dc, pen.Get());
  platform::SelectedObject selectedBrush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, client.left, client.top, client.right - 1, client.bottom - 1, 5, 5);
}

void DrawKeyedBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key) {
  if (!bitmap) return;
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return;
  platform::MemoryDC memory(dc);
  platform::SelectedObject selected(memory.Get(), bitmap);
  TransparentBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, info.bmWidth, info.bmHeight, key);
}

void PaintPopupFooter(HDC dc, const RECT& client, const PopupLook& look, HBITMAP image, HFONT captionFont) {
  platform::DcStateGuard state(dc);
  BITMAP info{};
  if (image) GetObjectW(image, sizeof info, &info);
  DrawKeyedBitmap(dc, image, client.left + 3, client.bottom - info.bmHeight - 3, look.transparent);
  RECT band = {client.left + info.bmWidth + 6, client.bottom - look.footerHeight, client.right, client.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.captionText);
  platform::SelectedObject selected(dc, captionFont);
  std::wstring caption = look.caption;
  DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &band,
            DT_SINGLELINE | DT_VCENTER | DT_INTERNAL | DT_END_ELLIPSIS | DT_NOPREFIX);
}

namespace {

void ApplyRoundRegion(HWND window, const RECT& box, int corner, BOOL redraw) {
  HRGN region = CreateRoundRectRgn(box.left, box.top, box.right, box.bottom, corner, corner);
  // The window owns the region once it is set.
  if (region && !SetWindowRgn(window, region, redraw)) DeleteObject(region);
}

}  // namespace

void SetRoundRegion(HWND window, int corner) {
  RECT client{};
  GetClientRect(window, &client);
  ApplyRoundRegion(window, client, corner, TRUE);
}

void SetRoundRegion(HWND window, SIZE size, int corner) {
  ApplyRoundRegion(window, RECT{0, 0, size.cx, size.cy}, corner, FALSE);
}
