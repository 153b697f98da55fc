#pragma once
#include <windows.h>
#include <objbase.h>

#include "platform/com/ComPtr.h"

namespace platform {

// A class object registered with COM (CoRegisterClassObject) for the
// owner's lifetime; revoked (CoRevokeClassObject) when it goes.
class ClassObjectRegistration {
 public:
  ClassObjectRegistration() noexcept = default;
  ~ClassObjectRegistration() { Revoke(); }
  ClassObjectRegistration(ClassObjectRegistration&& other) noexcept;
  ClassObjectRegistration& operator=(ClassObjectRegistration&& other) noexcept;
  ClassObjectRegistration(const ClassObjectRegistration&) = delete;
  ClassObjectRegistration& operator=(const ClassObjectRegistration&) = delete;

  // Registers factory for clsid; the registration holds it. use is
  // REGCLS_MULTIPLEUSE or REGCLS_SINGLEUSE (plus REGCLS_SUSPENDED when the
  // server resumes all classes at once with CoResumeClassObjects).
  HRESULT Register(REFCLSID clsid, IUnknown* factory, DWORD context = CLSCTX_LOCAL_SERVER,
                   DWORD use = REGCLS_MULTIPLEUSE) noexcept;
  // The same, raising ComError.
  static ClassObjectRegistration Make(REFCLSID clsid, IUnknown* factory,
                                      DWORD context = CLSCTX_LOCAL_SERVER, DWORD use = REGCLS_MULTIPLEUSE);
  HRESULT Revoke() noexcept;
  bool Registered() const noexcept { return cookie_ != 0; }

 private:
  DWORD cookie_ = 0;
};

}  // namespace platform
