#pragma once
#include <windows.h>

namespace platform {

// Told when the module's lock count falls to zero. Called on the thread
// that made the last release, so it must only signal (set an event, post a
// message) and return.
class ModuleIdleListener {
 public:
  virtual void OnModuleIdle() noexcept = 0;

 protected:
  ~ModuleIdleListener() = default;
};

// The module's lock count: every live COM object and every server lock
// (IClassFactory::LockServer) counts. A local server ends when it falls to
// zero (see ShutdownMonitor); a DLL may be unloaded then (DllCanUnloadNow).
class ModuleLock {
 public:
  // Both answer the new count.
  static LONG Lock() noexcept;
  static LONG Unlock() noexcept;
  static LONG Count() noexcept;

  // At most one listener; null removes it. Set it before the module serves
  // and remove it only when no object can be released any more.
  static void SetIdleListener(ModuleIdleListener* listener) noexcept;
};

// Holds one module lock for its lifetime.
class ScopedModuleLock {
 public:
  ScopedModuleLock() noexcept { ModuleLock::Lock(); }
  ~ScopedModuleLock() { ModuleLock::Unlock(); }
  ScopedModuleLock(const ScopedModuleLock&) = delete;
  ScopedModuleLock& operator=(const ScopedModuleLock&) = delete;
};

}  // namespace platform
