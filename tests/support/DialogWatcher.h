#pragma once
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// What the watcher saw of one window it matched.
struct SeenWindow {
  HWND hwnd = nullptr;
  DWORD processId = 0;
  std::wstring title;
  std::wstring className;
  // Texts of the window's child controls (a message box's text is among them).
  std::vector<std::wstring> texts;
};

// A thread that watches for visible top-level windows (dialogs and message
// boxes) and answers them, so that a test drives real modal UI and never
// blocks on it. Each rule is applied once to every new window it matches.
class DialogWatcher {
 public:
  using Action = std::function<void(HWND)>;

  // Watches windows of this process, or of every process when anyProcess is set.
  explicit DialogWatcher(bool anyProcess = false);
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  // When a window with this title (empty: any) and class (empty: any) appears,
  // press the button with this command identifier (IDOK, IDCANCEL, IDYES...).
  void Press(const std::wstring& title, int buttonId, const std::wstring& className = L"#32770");
  // The same, running an action on the window instead of pressing a button.
  void OnWindow(const std::wstring& title, const std::wstring& className, Action action);
  // Waits until a window with this title has been seen; true when it was.
  bool WaitSeen(const std::wstring& title, DWORD timeoutMs);
  std::vector<SeenWindow> Seen() const;

  // Sends the button click that a user's press would make.
  static void PressButton(HWND dialog, int buttonId);
  static std::vector<std::wstring> ControlTexts(HWND window);

 private:
  struct Rule {
    std::wstring title;
    std::wstring className;
    Action action;
    std::vector<HWND> handled;
  };
  void Run();
  void Scan();

  bool anyProcess_;
  mutable std::mutex mutex_;
  std::vector<Rule> rules_;
  std::vector<SeenWindow> seen_;
  HANDLE stop_;
  std::thread thread_;
};

}  // namespace testsupport
