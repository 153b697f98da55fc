#include "shared/DeliverableConfig.h"

#include "platform/win/ResourceInstance.h"

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
  // The shared code is linked statically into each deliverable, so the
  // module holding it is the deliverable itself, program or library.
  return Current().module ? Current().module : platform::ModuleInstance();
}
