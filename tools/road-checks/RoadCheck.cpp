#include "RoadCheck.h"

#include <cstdio>

#include "platform/win/WindowImage.h"

namespace roads {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size : 0, '\0');
  if (size > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

std::string Hex(long result) {
  char code[16];
  snprintf(code, sizeof(code), "0x%08lX", static_cast<unsigned long>(result));
  return code;
}

bool Road::Check(bool ok, const std::string& what) {
  if (ok) return true;
  std::lock_guard<std::mutex> lock(mutex_);
  ++failures_;
  printf("%s: FAILED: %s\n", name_.c_str(), what.c_str());
  fflush(stdout);
  return false;
}

bool Road::CheckResult(long result, const std::string& call) {
  return Check(result >= 0, call + " answered " + Hex(result));
}

bool Road::CheckContains(const std::wstring& text, const std::wstring& part, const std::string& what) {
  auto lower = [](std::wstring s) {
    if (!s.empty()) CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
  };
  return Check(lower(text).find(lower(part)) != std::wstring::npos,
               what + ": \"" + Utf8(text) + "\" does not hold \"" + Utf8(part) + "\"");
}

bool Road::SavePicture(HWND window, const std::wstring& path, const std::string& what) {
  if (!Check(window && IsWindow(window), what + " did not appear")) return false;
  std::wstring unpainted;
  const HRESULT hr = platform::SaveWindowToPng(window, path, &unpainted);
  if (!unpainted.empty()) return Check(false, what + ": its " + Utf8(unpainted) + " did not paint");
  if (!CheckResult(hr, "saving the picture of " + what + " as " + Utf8(path))) return false;
  printf("  saved %s\n", Utf8(path).c_str());
  return true;
}

bool Road::Passed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failures_ == 0;
}

int Road::Finish() const {
  fflush(stdout);
  return Passed() ? 0 : 1;
}

HWND WaitForWindow(const std::function<bool(HWND)>& matches, DWORD ms) {
  struct Search {
    const std::function<bool(HWND)>* matches;
    HWND found;
  };
  const DWORD start = GetTickCount();
  for (;;) {
    Search search{&matches, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          if (!IsWindowVisible(window) || !(*s->matches)(window)) return TRUE;
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found || GetTickCount() - start >= ms) return search.found;
    Sleep(50);
  }
}

HWND WaitForDialog(const std::wstring& title, DWORD ms) {
  return WaitForWindow(
      [&title](HWND window) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        return std::wstring(className) == L"#32770" && WindowText(window) == title;
      },
      ms);
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), length + 1));
  return text;
}

std::wstring ControlText(HWND control) {
  constexpr UINT kWaitMs = 2000;
  DWORD_PTR length = 0;
  if (!control || !SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           kWaitMs, &copied))
    return {};
  text.resize(copied);
  return text;
}

}  // namespace roads
