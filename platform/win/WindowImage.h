#pragma once
#include <windows.h>

#include <string>

#include "platform/base/Handles.h"

namespace platform {

// A picture of a window as it is on the screen (frame included): a 32-bit
// top-down DIB section. Null when the window cannot be captured.
UniqueBitmap CaptureWindow(HWND window);

// Writes a 32-bit DIB section to a PNG file through the Windows imaging
// component. Initialises COM on the thread for the call when needed.
HRESULT SaveBitmapToPng(HBITMAP bitmap, const std::wstring& path);

// CaptureWindow, then SaveBitmapToPng.
HRESULT SaveWindowToPng(HWND window, const std::wstring& path);

}  // namespace platform
