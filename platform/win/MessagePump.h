#pragma once
#include <windows.h>

#include <functional>

namespace platform {

enum class PumpResult {
  Done,      // the handle was signalled or the condition became true
  TimedOut,
  Quit,      // WM_QUIT arrived; it is posted again for the outer loop
};

// Dispatches this thread's messages (sent and posted) while waiting, so that
// calls into the apartment and modal loops go on; sleeps in
// MsgWaitForMultipleObjectsEx between messages, never spins.
// Waits until the handle is signalled.
PumpResult PumpMessagesUntil(HANDLE handle, DWORD timeoutMs);
// As above, but a WM_QUIT does not end the wait: it is kept aside and posted
// again when the wait ends (Done or TimedOut), for the loop that owns it.
PumpResult PumpMessagesUntilPastQuit(HANDLE handle, DWORD timeoutMs);
// Waits until done() is true; it is tested before waiting and after every
// message. A condition that another thread changes without a message needs
// a wake handle that the thread signals: an auto-reset event, or a handle
// whose signal makes the condition true (a thread that ends).
PumpResult PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs, HANDLE wake = nullptr);
// Dispatches every message waiting in this thread's queue now, without
// waiting for more: Done when the queue is empty, Quit on WM_QUIT.
PumpResult DispatchWaitingMessages();

}  // namespace platform
