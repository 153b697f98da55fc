#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "platform/base/Handles.h"
#include "platform/win/MessagePump.h"
#include "platform/win/Window.h"

namespace {

using namespace platform;

// A hidden window that counts the messages it was sent or posted.
class Counter : public Window {
 public:
  int posted = 0;
  int sent = 0;
  Counter() {
    Messages().On(WM_APP, [this](Message&) -> LRESULT { return ++posted; });
    Messages().On(WM_APP + 1, [this](Message&) -> LRESULT { return ++sent; });
  }
  bool Make() {
    RECT rect{0, 0, 10, 10};
    return Create(nullptr, &rect, L"counter", WS_POPUP) != nullptr;
  }
};

TEST(MessagePump, DispatchesWhileWaitingForAHandle) {
  Counter counter;
  ASSERT_TRUE(counter.Make());
  UniqueKernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  HWND target = counter.Hwnd();
  HANDLE event = done.Get();
  std::thread worker([target, event] {
    PostMessageW(target, WM_APP, 0, 0);
    // A sent message from another thread only returns when this thread's
    // pump handles it: the re-entrant call of a modal loop.
    SendMessageW(target, WM_APP + 1, 0, 0);
    SetEvent(event);
  });
  PumpResult result = PumpMessagesUntil(event, 10000);
  worker.join();
  EXPECT_EQ(PumpResult::Done, result);
  EXPECT_EQ(1, counter.posted);
  EXPECT_EQ(1, counter.sent);
}

// That the wait sleeps rather than spins is measured by bench_message_pump.
TEST(MessagePump, TimesOutAfterTheLimit) {
  UniqueKernelHandle never(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ULONGLONG start = GetTickCount64();
  EXPECT_EQ(PumpResult::TimedOut, PumpMessagesUntil(never.Get(), 300));
  ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_GE(elapsed, 250u);
}

TEST(MessagePump, QuitIsReportedAndLeftForTheOuterLoop) {
  PostQuitMessage(17);
  UniqueKernelHandle never(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  EXPECT_EQ(PumpResult::Quit, PumpMessagesUntil(never.Get(), 5000));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(17u, msg.wParam);
}

TEST(MessagePump, PastQuitWaitsOnAndPostsTheQuitAgainAtTheEnd) {
  Counter counter;
  ASSERT_TRUE(counter.Make());
  UniqueKernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  HWND target = counter.Hwnd();
  HANDLE event = done.Get();
  PostQuitMessage(23);
  std::thread worker([target, event] {
    // Handled after the quit was taken from the queue: the wait went on.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(target, WM_APP + 1, 0, 0, SMTO_NORMAL, 5000, &answer);
    SetEvent(event);
  });
  EXPECT_EQ(PumpResult::Done, PumpMessagesUntilPastQuit(done.Get(), 5000));
  worker.join();
  EXPECT_EQ(1, counter.sent);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(23u, msg.wParam);
}

TEST(MessagePump, PastQuitPostsTheQuitAgainWhenTheWaitTimesOut) {
  PostQuitMessage(29);
  UniqueKernelHandle never(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  EXPECT_EQ(PumpResult::TimedOut, PumpMessagesUntilPastQuit(never.Get(), 200));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(29u, msg.wParam);
}

TEST(MessagePump, DispatchesEveryWaitingMessageWithoutWaiting) {
  Counter counter;
  ASSERT_TRUE(counter.Make());
  for (int i = 0; i < 3; ++i) PostMessageW(counter.Hwnd(), WM_APP, 0, 0);
  EXPECT_EQ(PumpResult::Done, DispatchWaitingMessages());
  EXPECT_EQ(3, counter.posted);
  EXPECT_EQ(PumpResult::Done, DispatchWaitingMessages()) << "an empty queue";
  PostMessageW(counter.Hwnd(), WM_APP, 0, 0);
  PostQuitMessage(5);
  EXPECT_EQ(PumpResult::Quit, DispatchWaitingMessages());
  EXPECT_EQ(4, counter.posted);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is left for the outer loop";
  EXPECT_EQ(5u, msg.wParam);
}

TEST(MessagePump, WaitsForAConditionThatAMessageFulfils) {
  Counter counter;
  ASSERT_TRUE(counter.Make());
  HWND target = counter.Hwnd();
  std::thread worker([target] {
    for (int i = 0; i < 3; ++i) {
      Sleep(20);
      PostMessageW(target, WM_APP, 0, 0);
    }
  });
  PumpResult result = PumpMessagesUntil([&] { return counter.posted == 3; }, 10000);
  worker.join();
  EXPECT_EQ(PumpResult::Done, result);
  EXPECT_EQ(3, counter.posted);
}

TEST(MessagePump, WakeHandleLetsAnotherThreadEndTheWait) {
  UniqueKernelHandle wake(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  volatile LONG flag = 0;
  HANDLE event = wake.Get();
  std::thread worker([&flag, event] {
    Sleep(50);
    InterlockedExchange(&flag, 1);
    SetEvent(event);
  });
  PumpResult result = PumpMessagesUntil([&] { return InterlockedCompareExchange(&flag, 0, 0) == 1; }, 10000, event);
  worker.join();
  EXPECT_EQ(PumpResult::Done, result);
  EXPECT_EQ(PumpResult::TimedOut, PumpMessagesUntil([] { return false; }, 50));
}

}  // namespace
