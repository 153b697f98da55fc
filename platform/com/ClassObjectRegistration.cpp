#include "platform/com/ClassObjectRegistration.h"

#include <utility>

namespace platform {

ClassObjectRegistration::ClassObjectRegistration(ClassObjectRegistration&& other) noexcept
    : cookie_(std::exchange(other.cookie_, 0)) {}

ClassObjectRegistration& ClassObjectRegistration::operator=(ClassObjectRegistration&& other) noexcept {
  if (this != &other) {
    Revoke();
    cookie_ = std::exchange(other.cookie_, 0);
  }
  return *this;
}

HRESULT ClassObjectRegistration::Register(REFCLSID clsid, IUnknown* factory, DWORD context,
                                          DWORD use) noexcept {
  Revoke();
  if (!factory) return E_POINTER;
  return CoRegisterClassObject(clsid, factory, context, use, &cookie_);
}

ClassObjectRegistration ClassObjectRegistration::Make(REFCLSID clsid, IUnknown* factory, DWORD context,
                                                      DWORD use) {
  ClassObjectRegistration registration;
  ThrowIfFailed(registration.Register(clsid, factory, context, use), L"CoRegisterClassObject");
  return registration;
}

HRESULT ClassObjectRegistration::Revoke() noexcept {
  if (!cookie_) return S_FALSE;
  return CoRevokeClassObject(std::exchange(cookie_, 0));
}

}  // namespace platform
