#include "shared/ImageList.h"

#include "platform/base/DeviceContext.h"
#include "platform/base/Handles.h"
#include "platform/base/SelectedObject.h"
#include "platform/win/ResourceInstance.h"
#include "shared/DeliverableConfig.h"

namespace {

platform::UniqueBitmap LoadBitmapResource(UINT id) {
  for (HMODULE module : {platform::ResourceInstance(), DeliverableModule()}) {
    if (module && FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_BITMAP)))
      return platform::UniqueBitmap(static_cast<HBITMAP>(
          LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  return {};
}

COLORREF TopLeftPixel(HBITMAP bitmap) {
  platform::MemoryDC memory(platform::WindowDC(nullptr).Get());
  if (!memory) return CLR_NONE;
  platform::SelectedObject selected(memory.Get(), bitmap);
  return GetPixel(memory.Get(), 0, 0);
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
  platform::UniqueBitmap bitmap = LoadBitmapResource(bitmapId);
  if (!bitmap) return nullptr;
  BITMAP info{};
  if (!GetObjectW(bitmap.Get(), sizeof(info), &info) || info.bmWidth <= 0 || width <= 0) return nullptr;
  if (mask == kMaskFromTopLeftPixel) mask = TopLeftPixel(bitmap.Get());
  int count = info.bmWidth / width;
  ImageListHandle list(ImageList_Create(width, info.bmHeight, ILC_COLOR32 | ILC_MASK, count > 0 ? count : 1, 1));
  if (!list || ImageList_AddMasked(list.get(), bitmap.Get(), mask) < 0) return nullptr;
  return list;
}
