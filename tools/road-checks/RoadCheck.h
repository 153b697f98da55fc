#pragma once
// The verdict of one road of the main job. Each check that does not hold
// prints one line "<road>: FAILED: <what>"; the road's exit code is 0 only
// when every check held (the main job's script says "<road>: passed"). Checks may come from several threads (a watcher
// that photographs a dialog while the main thread waits in the call).
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>

namespace roads {

// UTF-8, as the roads print (translations are Cyrillic).
std::string Utf8(const std::wstring& text);
// A result code as the roads print it: 0x8000FFFF.
std::string Hex(long result);

class Road {
 public:
  explicit Road(std::string name) : name_(std::move(name)) {}
  Road(const Road&) = delete;
  Road& operator=(const Road&) = delete;

  // Answers ok; prints the FAILED line when it is false.
  bool Check(bool ok, const std::string& what);
  void Fail(const std::string& what) { Check(false, what); }
  // A COM or XPCOM call that must succeed.
  bool CheckResult(long result, const std::string& call);
  // A text result that must hold a part (a translated word, say), whatever
  // the case of its letters (a translation keeps the case of its source).
  bool CheckContains(const std::wstring& text, const std::wstring& part, const std::string& what);
  // Saves a picture of the window as the user sees it, frame included; the
  // road fails when there is no window or it did not paint (what names it).
  bool SavePicture(HWND window, const std::wstring& path, const std::string& what);

  bool Passed() const;
  // The exit code: 0 when every check held, 1 otherwise.
  int Finish() const;

 private:
  std::string name_;
  mutable std::mutex mutex_;
  int failures_ = 0;
};

// The first visible top-level window (of any process) that matches, waited
// for at most ms; null when none came.
HWND WaitForWindow(const std::function<bool(HWND)>& matches, DWORD ms);
// A visible dialog (class "#32770") with that title.
HWND WaitForDialog(const std::wstring& title, DWORD ms);
// A window's title, also of another process.
std::wstring WindowText(HWND window);
// A control's text (an edit box's content), asked of its own thread, also
// in another process; empty when it does not answer within two seconds.
std::wstring ControlText(HWND control);

}  // namespace roads
