#pragma once
#include <windows.h>

#include <utility>

namespace platform {

// Selects a GDI object into a device context and selects the previous one
// back at the end of the scope; the object itself is not owned.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(SelectedObject&& other) noexcept
      : dc_(other.dc_), previous_(std::exchange(other.previous_, nullptr)) {}
  SelectedObject& operator=(SelectedObject&&) = delete;
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

  HGDIOBJ Previous() const noexcept { return previous_; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace platform
