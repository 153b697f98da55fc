#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "browserproxy/dictionary/CDrawBase.h"

// One display item of the light entry view. Build puts the entry, row and
// record index, a running number, the order value, the group index and the
// sense index into num1 ... num7 (-1 where they do not apply).
struct LightInfoItem {
  int32_t num1 = 0;
  int32_t num2 = 0;
  int32_t num3 = 0;
  int32_t num4 = 0;
  int32_t num5 = 0;
  int32_t num6 = 0;
  int32_t num7 = 0;
  RECT rect1{};  // for the painter
  RECT rect2{};
  int32_t kind = 0;         // 1: a group title
  int32_t captionFlag = 0;  // 1: a dictionary caption
  int32_t highlighted = 0;
  int32_t spare = 0;
  std::unique_ptr<CDrawBase> drawing;  // paints the item, or null
  std::wstring text;
};

// A dictionary marker the user made active; kept across builds.
struct ActiveMarker {
  std::wstring name;
  std::wstring key;  // dictionary key
  int32_t state = 0;  // 1: active
};
