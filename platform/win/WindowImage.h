#pragma once
#include <windows.h>

#include <string>

#include "platform/base/Handles.h"

namespace platform {

// The screen's pixels in a rectangle: a 32-bit top-down DIB section, null
// when it cannot be made.
UniqueBitmap CaptureScreen(const RECT& area);

// A picture of a window as a user sees it on the screen, frame included.
struct WindowPicture {
  UniqueBitmap bitmap;  // null when nothing could be captured
  std::wstring fault;   // what it shows unpainted (UnpaintedPart), empty when whole
};

// Asks the window to paint itself, frame included, and takes its area of the
// screen once the picture shows it painted (UnpaintedPart) and the same twice
// in a row, or painted for a second (a progress bar moves). Another
// program's window paints in its own time (and Wine puts what a window drew
// on the screen later still), so this waits up to waitMs; then it answers
// the last picture with what is unpainted in it.
WindowPicture CaptureWindow(HWND window, DWORD waitMs = 5000);

// Writes a 32-bit DIB section to a PNG file through the Windows imaging
// component. Initialises COM on the thread for the call when needed.
HRESULT SaveBitmapToPng(HBITMAP bitmap, const std::wstring& path);

// The answer of SaveWindowToPng for a window that did not paint in time.
constexpr HRESULT kWindowNotPainted = HRESULT_FROM_WIN32(ERROR_TIMEOUT);

// CaptureWindow, then SaveBitmapToPng. A picture with an unpainted part is
// not saved: the answer is kWindowNotPainted, and *unpainted says which part.
HRESULT SaveWindowToPng(HWND window, const std::wstring& path, std::wstring* unpainted = nullptr);

}  // namespace platform
