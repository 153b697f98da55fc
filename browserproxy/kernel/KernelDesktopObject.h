#pragma once
#include <windows.h>

#include "browserproxy/core/NorvaConnector.h"
#include "browserproxy/kernel/KernelSession.h"

// The kernel connector's desktop object: the session's translation context
// and direction list as they are held (nothing is made here), not counted.
class CKernelDesktopObject final : public INorvaDesktopObject {
 public:
  explicit CKernelDesktopObject(KernelSession& session) : session_(session) {}
  CKernelDesktopObject(const CKernelDesktopObject&) = delete;
  CKernelDesktopObject& operator=(const CKernelDesktopObject&) = delete;

  IUnknown* GetContextObject() override { return session_.ContextHolder().Get(); }
  IUnknown* GetDirectionsObject() override { return session_.DirectionListHolder().Get(); }

 private:
  KernelSession& session_;
};
