#include <gtest/gtest.h>

#include "TestCalc.h"
#include "platform/com/ModuleLock.h"
#include "platform/com/ShutdownMonitor.h"

using namespace platform;

namespace {

const DWORD idleMs = 400;

// Pumps this thread's messages until WM_QUIT or the time-out; answers the
// tick count when WM_QUIT came, or 0.
DWORD WaitForQuit(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message == WM_QUIT) return GetTickCount();
    DWORD spent = GetTickCount() - start;
    if (spent >= timeoutMs) return 0;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
  }
}

class ShutdownMonitorTest : public testing::Test {
 protected:
  void SetUp() override {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // this thread's queue exists
    ASSERT_EQ(0, ModuleLock::Count());
  }
};

}  // namespace

TEST_F(ShutdownMonitorTest, QuitsAfterTheIdleTimeOnceTheLastObjectIsGone) {
  ShutdownMonitor monitor(GetCurrentThreadId(), idleMs);
  MakeComObject<TestCalc>().Reset();
  const DWORD released = GetTickCount();
  DWORD quit = WaitForQuit(idleMs + 5000);
  ASSERT_NE(0u, quit) << "no WM_QUIT";
  EXPECT_GE(quit - released, idleMs - 20);
  EXPECT_TRUE(monitor.QuitPosted());
}

TEST_F(ShutdownMonitorTest, ANewObjectDuringTheWaitStartsItAnew) {
  ShutdownMonitor monitor(GetCurrentThreadId(), idleMs);
  MakeComObject<TestCalc>().Reset();
  EXPECT_EQ(0u, WaitForQuit(idleMs / 2));
  MakeComObject<TestCalc>().Reset();
  const DWORD released = GetTickCount();
  DWORD quit = WaitForQuit(idleMs + 5000);
  ASSERT_NE(0u, quit);
  EXPECT_GE(quit - released, idleMs - 20);
}

TEST_F(ShutdownMonitorTest, DoesNotQuitWhileALockIsHeld) {
  ShutdownMonitor monitor(GetCurrentThreadId(), idleMs);
  MakeComObject<TestCalc>().Reset();
  {
    ScopedModuleLock held;
    EXPECT_EQ(0u, WaitForQuit(idleMs * 2));
    EXPECT_FALSE(monitor.QuitPosted());
  }
  EXPECT_NE(0u, WaitForQuit(idleMs + 5000));
}

TEST_F(ShutdownMonitorTest, WaitsForAFirstObjectUnlessArmedAtStart) {
  {
    ShutdownMonitor monitor(GetCurrentThreadId(), idleMs);
    EXPECT_EQ(0u, WaitForQuit(idleMs * 2));
  }
  ShutdownMonitor armed(GetCurrentThreadId(), idleMs, true);
  EXPECT_NE(0u, WaitForQuit(idleMs + 5000));
}
