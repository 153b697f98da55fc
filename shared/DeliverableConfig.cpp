#include "shared/DeliverableConfig.h"

namespace {

DeliverableConfig& Current() {
  static DeliverableConfig config;
  return config;
}

}  // namespace

void SetDeliverableConfig(DeliverableConfig config) { Current() = std::move(config); }

const DeliverableConfig& GetDeliverableConfig() { return Current(); }

std::wstring DefaultRegistryPath() {
  const DeliverableConfig& config = Current();
  std::wstring path = L"Software\\";
  if (config.appRegistryKey.empty() && config.appProfile.empty()) return path;
  path += config.appRegistryKey;
  if (!config.appProfile.empty()) path += L"\\" + config.appProfile;
  return path;
}

HMODULE DeliverableModule() {
  if (Current().module) return Current().module;
  // The shared code is linked statically into each deliverable, so the module
  // holding this function is the deliverable itself, program or library.
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&DeliverableModule), &self);
  return self;
}
