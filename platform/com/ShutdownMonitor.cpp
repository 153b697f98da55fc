#include "platform/com/ShutdownMonitor.h"

namespace platform {

ShutdownMonitor::ShutdownMonitor(DWORD loopThreadId, DWORD idleMs, bool armedAtStart)
    : loopThreadId_(loopThreadId),
      idleMs_(idleMs),
      idle_(CreateEventW(nullptr, FALSE, armedAtStart, nullptr)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      quitPosted_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  ModuleLock::SetIdleListener(this);
  thread_ = std::thread([this] { Run(); });
}

ShutdownMonitor::~ShutdownMonitor() {
  ModuleLock::SetIdleListener(nullptr);
  SetEvent(stop_.Get());
  if (thread_.joinable()) thread_.join();
}

bool ShutdownMonitor::QuitPosted() const noexcept {
  return WaitForSingleObject(quitPosted_.Get(), 0) == WAIT_OBJECT_0;
}

void ShutdownMonitor::OnModuleIdle() noexcept { SetEvent(idle_.Get()); }

void ShutdownMonitor::Run() {
  HANDLE waitIdle[] = {stop_.Get(), idle_.Get()};
  for (;;) {
    if (WaitForMultipleObjects(2, waitIdle, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
    // Idle: wait for a quiet period; another fall to zero restarts it.
    for (;;) {
      DWORD r = WaitForMultipleObjects(2, waitIdle, FALSE, idleMs_);
      if (r == WAIT_OBJECT_0) return;
      if (r == WAIT_OBJECT_0 + 1) continue;
      break;
    }
    if (ModuleLock::Count() == 0) {
      SetEvent(quitPosted_.Get());
      PostThreadMessageW(loopThreadId_, WM_QUIT, 0, 0);
      return;
    }
    // Still locked: wait for the next fall to zero.
  }
}

}  // namespace platform
