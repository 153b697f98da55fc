#pragma once
#include <windows.h>
#include <objbase.h>

namespace platform {

// COM initialised on this thread for the owner's lifetime.
class ComApartment {
 public:
  explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) noexcept
      : hr_(CoInitializeEx(nullptr, model)) {}
  ~ComApartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // S_OK, S_FALSE (already initialised) or the failure.
  HRESULT Result() const noexcept { return hr_; }
  bool Ok() const noexcept { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

}  // namespace platform
