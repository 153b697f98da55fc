#include "platform/win/ResourceInstance.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<HINSTANCE> g_resourceInstance{nullptr};
}

HINSTANCE ModuleInstance() {
  static const HINSTANCE module = [] {
    HMODULE found = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleInstance), &found);
    return found ? found : GetModuleHandleW(nullptr);
  }();
  return module;
}

HINSTANCE ResourceInstance() {
  HINSTANCE instance = g_resourceInstance.load();
  return instance ? instance : ModuleInstance();
}

void SetResourceInstance(HINSTANCE instance) { g_resourceInstance.store(instance); }

}  // namespace platform
