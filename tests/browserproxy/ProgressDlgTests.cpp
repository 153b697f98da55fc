// The progress dialog run for real on the test's thread; a watcher thread
// acts on it as the job and the user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include <atomic>

#include "DialogWatcher.h"
#include "browserproxy/ui/ProgressDlg.h"
#include "browserproxy/ui/ProgressDlgResources.h"

namespace {

constexpr wchar_t kTitle[] = L"Page Translation";

struct CountingStop : IProgressDlgCallBack {
  std::atomic<int> calls{0};
  HRESULT OnStop() override {
    ++calls;
    return S_OK;
  }
};

// A visible top-level window of this process, in front.
class FrontWindow {
 public:
  explicit FrontWindow(HWND owner = nullptr) {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"front", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200, 100, owner,
                            nullptr, nullptr, nullptr);
    SetForegroundWindow(hwnd_);
  }
  ~FrontWindow() { DestroyWindow(hwnd_); }
  HWND Get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

HWND BarOf(HWND dialog) { return GetDlgItem(dialog, IDC_PROGRESS_BAR); }

// The bar follows SetPos on the dialog's timer: its position once it shows
// `expected`, or what it shows when a second has passed without.
int BarPositionOnceAt(HWND dialog, int expected) {
  int pos = -1;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 1000; Sleep(5)) {
    pos = static_cast<int>(SendMessageW(BarOf(dialog), PBM_GETPOS, 0, 0));
    if (pos == expected) break;
  }
  return pos;
}

class ProgressDlgTest : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
  }
  testsupport::DialogWatcher watcher_;
  CountingStop stop_;
};

TEST_F(ProgressDlgTest, ProgressMovesTheBarUntilCancelStopsIt) {
  FrontWindow front;
  CProgressDlg dialog(kTitle);
  EXPECT_EQ(nullptr, dialog.GetHwnd());
  int high = -1, pos = -1, posAfterCancel = -1;
  // The stop handler runs inside Cancel while the window still exists.
  struct MoveOnStop : IProgressDlgCallBack {
    CProgressDlg* dialog = nullptr;
    int* pos = nullptr;
    int calls = 0;
    HRESULT OnStop() override {
      ++calls;
      dialog->SetPos(15, 20);
      *pos = static_cast<int>(SendMessageW(BarOf(dialog->GetHwnd()), PBM_GETPOS, 0, 0));
      return S_OK;
    }
  } moveOnStop;
  moveOnStop.dialog = &dialog;
  moveOnStop.pos = &posAfterCancel;
  dialog.SetStopHandler(&moveOnStop);
  wchar_t caption[64] = {};
  watcher_.OnWindow(kTitle, L"#32770", [&](HWND window) {
    GetWindowTextW(window, caption, 64);
    dialog.SetPos(5, 20);
    pos = BarPositionOnceAt(window, 5);
    high = static_cast<int>(SendMessageW(BarOf(window), PBM_GETRANGE, FALSE, 0));
    testsupport::DialogWatcher::PressButton(window, IDCANCEL);
  });
  EXPECT_TRUE(dialog.DoModal());
  EXPECT_EQ(std::wstring(kTitle), caption);
  EXPECT_EQ(20, high);
  EXPECT_EQ(5, pos);
  EXPECT_EQ(5, posAfterCancel) << "the bar stays where it was after Cancel";
  EXPECT_EQ(1, moveOnStop.calls);
  EXPECT_TRUE(dialog.Stopped());
  EXPECT_EQ(nullptr, dialog.GetHwnd());
}

TEST_F(ProgressDlgTest, EachWayOfEndingGivesItsResult) {
  struct Case {
    const char* name;
    std::function<void(CProgressDlg&, HWND)> end;
    bool expected;
    int stops;
  };
  const Case cases[] = {
      {"End(1)", [](CProgressDlg& d, HWND) { d.End(1); }, false, 0},
      {"End(0)", [](CProgressDlg& d, HWND) { d.End(0); }, true, 0},
      {"close request", [](CProgressDlg&, HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); }, true, 1},
      {"IDOK command", [](CProgressDlg&, HWND w) { SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); },
       false, 0},
  };
  for (const Case& c : cases) {
    FrontWindow front;
    CountingStop stop;
    std::wstring title = kTitle + std::wstring(L" ") + std::wstring(c.name, c.name + strlen(c.name));
    CProgressDlg dialog(title);
    dialog.SetStopHandler(&stop);
    watcher_.OnWindow(title, L"#32770", [&](HWND window) { c.end(dialog, window); });
    EXPECT_EQ(c.expected, dialog.DoModal()) << "case " << c.name;
    EXPECT_EQ(c.stops, stop.calls.load()) << "case " << c.name;
    EXPECT_EQ(c.stops == 1, dialog.Stopped()) << "case " << c.name;
  }
}

TEST_F(ProgressDlgTest, CancelWithoutHandlerStillEnds) {
  FrontWindow front;
  CProgressDlg dialog(kTitle);
  watcher_.Press(kTitle, IDCANCEL);
  EXPECT_TRUE(dialog.DoModal());
}

TEST_F(ProgressDlgTest, EventTwoAsksToStopAndLeavesTheDialogOpen) {
  FrontWindow front;
  CProgressDlg dialog(kTitle);
  dialog.SetStopHandler(&stop_);
  bool openAfterEvent = false;
  watcher_.OnWindow(kTitle, L"#32770", [&](HWND window) {
    dialog.OnEvent(1);
    dialog.OnEvent(2);
    openAfterEvent = IsWindow(window) && dialog.GetHwnd() == window;
    dialog.End(1);
  });
  EXPECT_FALSE(dialog.DoModal());
  EXPECT_TRUE(openAfterEvent);
  EXPECT_EQ(1, stop_.calls.load());
  EXPECT_FALSE(dialog.Stopped());
  VARIANT empty;
  VariantInit(&empty);
  EXPECT_EQ(0, dialog.OnKernelInfo(empty, empty));
  EXPECT_EQ(0, dialog.OnKernelNotice(7));
}

TEST_F(ProgressDlgTest, CancelGivesBackTheWindowItsRunDisabled) {
  // Another window comes to the front between construction and the run:
  // the run disables that one, and Cancel enables it again before the job
  // is told to stop.
  FrontWindow atConstruction;
  CProgressDlg dialog(kTitle);
  EXPECT_EQ(atConstruction.Get(), dialog.Owner());
  FrontWindow atRun;
  bool runDisabledIt = false;
  bool enabledWhenStopped = false;
  struct EnabledCheck : IProgressDlgCallBack {
    HWND window = nullptr;
    bool* enabled = nullptr;
    HRESULT OnStop() override {
      *enabled = IsWindowEnabled(window) != FALSE;
      return S_OK;
    }
  } check;
  check.window = atRun.Get();
  check.enabled = &enabledWhenStopped;
  dialog.SetStopHandler(&check);
  watcher_.OnWindow(kTitle, L"#32770", [&](HWND window) {
    runDisabledIt = !IsWindowEnabled(atRun.Get());
    testsupport::DialogWatcher::PressButton(window, IDCANCEL);
  });
  EXPECT_TRUE(dialog.DoModal());
  EXPECT_TRUE(runDisabledIt);
  EXPECT_TRUE(enabledWhenStopped);
  EXPECT_TRUE(IsWindowEnabled(atRun.Get()));
  EXPECT_TRUE(IsWindowEnabled(atConstruction.Get()));
}

// A front window that counts the idle notices a modal run sends it.
class IdleCountingWindow {
 public:
  IdleCountingWindow() {
    static const ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &IdleCountingWindow::Procedure;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"IdleCountingWindow";
      return RegisterClassW(&wc);
    }();
    hwnd_ = CreateWindowExW(0, MAKEINTATOM(atom), L"browser", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200, 100,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(hwnd_);
  }
  ~IdleCountingWindow() { DestroyWindow(hwnd_); }
  int IdleNotices() const { return s_idleNotices; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE) ++s_idleNotices;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  static inline std::atomic<int> s_idleNotices{0};
  HWND hwnd_;
};

// The owner is a window of the browser's process: a notice each time the
// run's queue empties would be a round trip there after every progress event.
TEST_F(ProgressDlgTest, ProgressReachesTheBarWithoutIdleNoticesToTheOwner) {
  IdleCountingWindow browser;
  const int before = browser.IdleNotices();
  CProgressDlg dialog(kTitle);
  int pos = -1;
  watcher_.OnWindow(kTitle, L"#32770", [&](HWND window) {
    for (long step = 1; step <= 10; ++step) {
      dialog.SetPos(step, 10);
      Sleep(10);
    }
    pos = BarPositionOnceAt(window, 10);
    dialog.End(1);
  });
  EXPECT_FALSE(dialog.DoModal());
  EXPECT_EQ(10, pos) << "the bar shows the last progress";
  EXPECT_EQ(0, browser.IdleNotices() - before);
}

TEST_F(ProgressDlgTest, OwnerIsTheFrontWindowsOwner) {
  FrontWindow owner;
  FrontWindow owned(owner.Get());
  SetForegroundWindow(owned.Get());
  CProgressDlg dialog(kTitle);
  EXPECT_EQ(owner.Get(), dialog.Owner());
}

}  // namespace
