#pragma once
#include <windows.h>

#include <utility>

namespace platform {

// The common device context of a window, or of the screen for a null
// window (GetDC / ReleaseDC).
class WindowDC {
 public:
  explicit WindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(WindowDC&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDC& operator=(WindowDC&&) = delete;
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with another (CreateCompatibleDC / DeleteDC).
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith) noexcept : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDC& operator=(MemoryDC&&) = delete;
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;

  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// Painting of one WM_PAINT (BeginPaint / EndPaint).
class PaintDC {
 public:
  explicit PaintDC(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;

  HDC Get() const noexcept { return dc_; }
  const PAINTSTRUCT& Paint() const noexcept { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace platform
