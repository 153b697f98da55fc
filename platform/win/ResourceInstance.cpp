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

std::wstring LoadResourceString(UINT id) {
  // A zero buffer size hands back a pointer into the loaded resource itself.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(ResourceInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace platform
