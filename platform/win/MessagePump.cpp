#include "platform/win/MessagePump.h"

namespace platform {

namespace {

// Milliseconds left until the deadline, or INFINITE.
DWORD Remaining(DWORD timeoutMs, ULONGLONG start) {
  if (timeoutMs == INFINITE) return INFINITE;
  ULONGLONG elapsed = GetTickCount64() - start;
  return elapsed >= timeoutMs ? 0 : static_cast<DWORD>(timeoutMs - elapsed);
}

// A WM_QUIT taken from the queue while waiting on: posted again when the wait ends.
struct HeldQuit {
  bool held = false;
  WPARAM code = 0;
};

// Without `held`, a WM_QUIT ends the wait (Quit); with it, the quit is kept
// there and the wait goes on.
PumpResult Pump(HANDLE handle, const std::function<bool()>* done, DWORD timeoutMs, HeldQuit* held) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    if (done && (*done)()) return PumpResult::Done;
    if (handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0 && !done) return PumpResult::Done;
    DWORD left = Remaining(timeoutMs, start);
    DWORD count = handle ? 1 : 0;
    DWORD wait = MsgWaitForMultipleObjectsEx(count, handle ? &handle : nullptr, left, QS_ALLINPUT,
                                             MWMO_INPUTAVAILABLE);
    if (wait == WAIT_TIMEOUT) {
      if (done && (*done)()) return PumpResult::Done;
      return PumpResult::TimedOut;
    }
    if (wait == WAIT_FAILED) return PumpResult::TimedOut;
    if (wait == WAIT_OBJECT_0 && count == 1) {
      if (!done) return PumpResult::Done;
      continue;  // the wake handle: test the condition again
    }
    // Messages: dispatch what is there now, testing the condition after each.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        if (held) {
          held->held = true;
          held->code = msg.wParam;
          continue;
        }
        PostQuitMessage(static_cast<int>(msg.wParam));
        return PumpResult::Quit;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (done && (*done)()) return PumpResult::Done;
      if (!done && handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) return PumpResult::Done;
      if (Remaining(timeoutMs, start) == 0) break;
    }
    if (Remaining(timeoutMs, start) == 0) {
      if (done && (*done)()) return PumpResult::Done;
      if (!done && handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) return PumpResult::Done;
      return PumpResult::TimedOut;
    }
  }
}

}  // namespace

PumpResult DispatchWaitingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return PumpResult::Quit;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return PumpResult::Done;
}

PumpResult PumpMessagesUntil(HANDLE handle, DWORD timeoutMs) { return Pump(handle, nullptr, timeoutMs, nullptr); }

PumpResult PumpMessagesUntilPastQuit(HANDLE handle, DWORD timeoutMs) {
  HeldQuit quit;
  const PumpResult result = Pump(handle, nullptr, timeoutMs, &quit);
  if (quit.held) PostQuitMessage(static_cast<int>(quit.code));
  return result;
}

PumpResult PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs, HANDLE wake) {
  return Pump(wake, &done, timeoutMs, nullptr);
}

}  // namespace platform
