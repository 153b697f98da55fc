#pragma once
#include <windows.h>

// The screen rectangle a plug-in passes with a popup request: an array of
// at least four 32-bit integers (left, top, right, bottom), also as an
// array of variants that hold such numbers. Anything else (missing, an
// error value, no array, too short, another element type) is no rectangle:
// false and an all-zero result.
bool ReadWordRect(const VARIANT& value, RECT* rect);

// The signed screen point packed in a 32-bit value (x low, y high).
POINT UnpackPoint(LONG packed);

// The work area of the monitor that holds the point (or the nearest one).
RECT WorkAreaAt(POINT point);
