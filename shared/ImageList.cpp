#include "shared/ImageList.h"

#include "shared/DeliverableConfig.h"
#include "platform/win/ResourceInstance.h"

#include <type_traits>

namespace {

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

BitmapHandle LoadBitmapResource(UINT id) {
  for (HMODULE module : {platform::ResourceInstance(), DeliverableModule()}) {
    if (module && FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_BITMAP)))
      return BitmapHandle(static_cast<HBITMAP>(
          LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  return nullptr;
}

COLORREF TopLeftPixel(HBITMAP bitmap) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!memory) return CLR_NONE;
  HGDIOBJ old = SelectObject(memory, bitmap);
  COLORREF colour = GetPixel(memory, 0, 0);
  SelectObject(memory, old);
  DeleteDC(memory);
  return colour;
}

}  // namespace

ImageListHandle CreateImageListFromBitmap(UINT bitmapId, int kind, COLORREF mask) {
  int width;
  switch (kind) {
    case EILK_LARGE: width = GetSystemMetrics(SM_CXICON); break;
    case EILK_SMALL:
    case EILK_STATE: width = GetSystemMetrics(SM_CXSMICON); break;
    default: return nullptr;
  }
  BitmapHandle bitmap = LoadBitmapResource(bitmapId);
  if (!bitmap) return nullptr;
  BITMAP info{};
  if (!GetObjectW(bitmap.get(), sizeof(info), &info) || info.bmWidth <= 0 || width <= 0) return nullptr;
  if (mask == kMaskFromTopLeftPixel) mask = TopLeftPixel(bitmap.get());
  int count = info.bmWidth / width;
  ImageListHandle list(ImageList_Create(width, info.bmHeight, ILC_COLOR32 | ILC_MASK, count > 0 ? count : 1, 1));
  if (!list || ImageList_AddMasked(list.get(), bitmap.get(), mask) < 0) return nullptr;
  return list;
}
