#pragma once
#include <windows.h>

namespace platform {

// Saves the state of a device context (selected objects, colours, modes,
// clipping) and restores it at the end of the scope, so that what a drawing
// step chooses never leaks into the caller's context. A null context is
// allowed and does nothing.
class DcStateGuard {
 public:
  explicit DcStateGuard(HDC dc) noexcept : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
  virtual ~DcStateGuard() {
    if (dc_ && saved_ != 0) RestoreDC(dc_, saved_);
  }
  DcStateGuard(const DcStateGuard&) = delete;
  DcStateGuard& operator=(const DcStateGuard&) = delete;

  HDC Dc() const noexcept { return dc_; }
  int SavedState() const noexcept { return saved_; }

 private:
  HDC dc_;
  int saved_;
};

}  // namespace platform
