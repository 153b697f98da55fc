#include "platform/com/ModuleLock.h"

#include <atomic>

namespace platform {

namespace {

std::atomic<LONG> lockCount{0};
std::atomic<ModuleIdleListener*> idleListener{nullptr};

}  // namespace

LONG ModuleLock::Lock() noexcept { return ++lockCount; }

LONG ModuleLock::Unlock() noexcept {
  LONG count = --lockCount;
  if (count == 0) {
    if (ModuleIdleListener* listener = idleListener.load()) listener->OnModuleIdle();
  }
  return count;
}

LONG ModuleLock::Count() noexcept { return lockCount.load(); }

void ModuleLock::SetIdleListener(ModuleIdleListener* listener) noexcept { idleListener.store(listener); }

}  // namespace platform
