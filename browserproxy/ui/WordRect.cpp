#include "browserproxy/ui/WordRect.h"

namespace {

bool ElementAsLong(VARTYPE type, const void* data, LONG* value) {
  switch (type) {
    case VT_I4:
    case VT_INT:
    case VT_UI4:
    case VT_UINT:
      *value = *static_cast<const LONG*>(data);
      return true;
    case VT_VARIANT: {
      VARIANT converted;
      VariantInit(&converted);
      const VARIANT* element = static_cast<const VARIANT*>(data);
      VARTYPE inner = element->vt & ~VT_BYREF;
      if (inner != VT_I2 && inner != VT_I4 && inner != VT_INT && inner != VT_UI2 && inner != VT_UI4 &&
          inner != VT_UINT && inner != VT_R8 && inner != VT_R4)
        return false;
      if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(element), 0, VT_I4))) return false;
      *value = converted.lVal;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

bool ReadWordRect(const VARIANT& value, RECT* rect) {
  *rect = RECT{};
  const VARIANT* v = &value;
  if (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal) v = v->pvarVal;
  if (v->vt == VT_ERROR || !(v->vt & VT_ARRAY)) return false;
  SAFEARRAY* array = (v->vt & VT_BYREF) ? (v->pparray ? *v->pparray : nullptr) : v->parray;
  if (!array || SafeArrayGetDim(array) != 1) return false;
  VARTYPE type = v->vt & VT_TYPEMASK;
  LONG lower = 0, upper = -1;
  if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper))) return false;
  if (upper - lower + 1 < 4) return false;
  LONG values[4] = {};
  for (LONG i = 0; i < 4; ++i) {
    LONG index = lower + i;
    void* element = nullptr;
    if (FAILED(SafeArrayPtrOfIndex(array, &index, &element)) || !element) return false;
    if (!ElementAsLong(type, element, &values[i])) return false;
  }
  *rect = RECT{values[0], values[1], values[2], values[3]};
  return true;
}

POINT UnpackPoint(LONG packed) {
  return POINT{static_cast<SHORT>(packed & 0xFFFF), static_cast<SHORT>((packed >> 16) & 0xFFFF)};
}

RECT WorkAreaAt(POINT point) {
  MONITORINFO info{sizeof info};
  HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}
