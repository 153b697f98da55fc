#include "shared/ResourceInstance.h"

#include "shared/DeliverableConfig.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<HMODULE> resourceModule{nullptr};

}  // namespace

void SetResourceInstance(HMODULE module) { resourceModule = module; }

HMODULE ResourceInstance() {
  HMODULE module = resourceModule;
  return module ? module : DeliverableModule();
}

}  // namespace platform
