#pragma once
#include <windows.h>

#include "browserproxy/core/NorvaConnector.h"

// The kernel connector's dictionaries service: no caller uses it; it hands
// out nothing.
class CKernelDictionariesService final : public INorvaDictionariesServie {
 public:
  IUnknown* GetDictionariesObject() override { return nullptr; }
};
