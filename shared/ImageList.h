#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>

struct ImageListDestroyer {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using ImageListHandle = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDestroyer>;

// Kinds of image list: large icons, small icons, small state images.
enum EImageListKind { EILK_LARGE = 0, EILK_SMALL = 1, EILK_STATE = 2 };
// Colour meaning "the colour of the bitmap's top-left pixel".
inline constexpr COLORREF kMaskFromTopLeftPixel = static_cast<COLORREF>(-1);

// An image list cut from a bitmap resource of the deliverable (its resource
// library first, then its own module) into square images of the kind's
// system icon width, with `mask` as the transparent colour. Null on failure,
// also for an unknown kind.
ImageListHandle CreateImageListFromBitmap(UINT bitmapId, int kind, COLORREF mask);
