#include "DialogWatcher.h"

#include <algorithm>

namespace testsupport {
namespace {

std::wstring WindowText(HWND hwnd) {
  // WM_GETTEXT through SendMessageTimeout: the window's thread may be busy.
  wchar_t buffer[1024] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &ignored);
  return buffer;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetClassNameW(hwnd, buffer, 256);
  return buffer;
}

}  // namespace

DialogWatcher::DialogWatcher(bool anyProcess)
    : anyProcess_(anyProcess), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  thread_ = std::thread([this] { Run(); });
}

DialogWatcher::~DialogWatcher() {
  SetEvent(stop_);
  thread_.join();
  CloseHandle(stop_);
}

void DialogWatcher::Press(const std::wstring& title, int buttonId, const std::wstring& className) {
  OnWindow(title, className, [buttonId](HWND hwnd) { PressButton(hwnd, buttonId); });
}

void DialogWatcher::OnWindow(const std::wstring& title, const std::wstring& className, Action action) {
  std::lock_guard<std::mutex> lock(mutex_);
  rules_.push_back(Rule{title, className, std::move(action), {}});
}

bool DialogWatcher::WaitSeen(const std::wstring& title, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      for (const auto& w : seen_)
        if (w.title == title) return true;
    }
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
}

std::vector<SeenWindow> DialogWatcher::Seen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

void DialogWatcher::PressButton(HWND dialog, int buttonId) {
  HWND button = GetDlgItem(dialog, buttonId);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::vector<std::wstring> DialogWatcher::ControlTexts(HWND window) {
  std::vector<std::wstring> texts;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    texts.push_back(WindowText(child));
  return texts;
}

void DialogWatcher::Run() {
  while (WaitForSingleObject(stop_, 30) == WAIT_TIMEOUT) Scan();
}

void DialogWatcher::Scan() {
  struct Found {
    HWND hwnd;
    DWORD pid;
  };
  std::vector<Found> windows;
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<Found>*>(param)->push_back({hwnd, pid});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));

  for (const auto& found : windows) {
    if (!anyProcess_ && found.pid != GetCurrentProcessId()) continue;
    std::wstring title = WindowText(found.hwnd);
    std::wstring cls = ClassOf(found.hwnd);
    std::vector<Action> toRun;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      auto same = std::find_if(seen_.begin(), seen_.end(), [&](const SeenWindow& w) { return w.hwnd == found.hwnd; });
      bool known = same != seen_.end();
      // A window can show before its caption is set (a message box sets
      // it while it initialises): what it says now is what counts.
      if (known && same->title != title && !title.empty()) {
        same->title = title;
        same->texts = ControlTexts(found.hwnd);
      }
      if (!known && (cls == L"#32770" || std::any_of(rules_.begin(), rules_.end(), [&](const Rule& r) {
                       return (r.title.empty() || r.title == title) && (r.className.empty() || r.className == cls);
                     }))) {
        seen_.push_back(SeenWindow{found.hwnd, found.pid, title, cls, ControlTexts(found.hwnd)});
      }
      for (auto& rule : rules_) {
        if (!rule.title.empty() && rule.title != title) continue;
        if (!rule.className.empty() && rule.className != cls) continue;
        if (std::find(rule.handled.begin(), rule.handled.end(), found.hwnd) != rule.handled.end()) continue;
        rule.handled.push_back(found.hwnd);
        toRun.push_back(rule.action);
      }
    }
    for (auto& action : toRun) action(found.hwnd);
  }
}

}  // namespace testsupport
