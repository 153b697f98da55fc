#pragma once
#include <windows.h>

#include <thread>

#include "platform/base/Handles.h"
#include "platform/com/ModuleLock.h"

namespace platform {

// Ends a local server by itself: after the module's lock count falls to
// zero, waits until idleMs pass without it falling to zero again (a lock
// taken and let go in the meantime starts the wait anew) and the count is
// still zero, then posts WM_QUIT to the thread that runs the message loop.
class ShutdownMonitor : private ModuleIdleListener {
 public:
  // armedAtStart: the wait starts at once too, so a server that COM started
  // for a client that never came back still ends.
  ShutdownMonitor(DWORD loopThreadId, DWORD idleMs, bool armedAtStart = false);
  ~ShutdownMonitor();
  ShutdownMonitor(const ShutdownMonitor&) = delete;
  ShutdownMonitor& operator=(const ShutdownMonitor&) = delete;

  // True once WM_QUIT was posted.
  bool QuitPosted() const noexcept;

 private:
  void OnModuleIdle() noexcept override;
  void Run();

  DWORD loopThreadId_;
  DWORD idleMs_;
  UniqueKernelHandle idle_;  // auto-reset: the count fell to zero
  UniqueKernelHandle stop_;  // manual-reset: the monitor goes
  UniqueKernelHandle quitPosted_;
  std::thread thread_;
};

}  // namespace platform
