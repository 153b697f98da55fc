#pragma once
#include "platform/base/DcStateGuard.h"

// Guards every drawing step of the light view's items: the context's state
// is saved when made and restored when it goes (a null context is allowed).
class CAutoSaveDC : public platform::DcStateGuard {
 public:
  using platform::DcStateGuard::DcStateGuard;
};
