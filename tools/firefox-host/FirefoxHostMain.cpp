// Plays Firefox for fervix9.dll, the main job's Firefox road: loads the
// plug-in through the stand-in XPCOM library as the browser does, opens a
// window of Firefox's class with a text, creates the component by contract
// id and calls it as the extension script would (Init, the lists, a
// selection, a page, the settings), moves the simulated pointer over a word
// through the hook stand-in, and saves PNG pictures of what is shown.
// Usage: firefox_host.exe [screenshot folder] | --load-only | --call <Init|TranslateSelection|ShowSettings|
// ShowWebSearch|ShowAot> (Init and one call, then the end of the browser)
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <set>
#include <string>
#include <thread>

#include "BrowserWindow.h"
#include "HostObserver.h"
#include "HtmlDocument.h"
#include "TessivaLib.h"
#include "XpcomHost.h"
#include "firefox/FervixInterfaces.h"
#include "platform/com/ComApartment.h"
#include "platform/win/MessagePump.h"
#include "platform/win/WindowImage.h"

namespace {

using platform::ComPtr;

std::string Utf8(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

void Step(const char* what, nsresult rv) { printf("%-46s 0x%08X\n", what, rv); }

// The screen around a window (the popup may stand beside it) as a PNG.
HRESULT SaveScreenAround(HWND window, int margin, const std::wstring& path) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  rect.left = std::max(0L, rect.left - margin);
  rect.top = std::max(0L, rect.top - margin);
  rect.right = std::min<LONG>(GetSystemMetrics(SM_CXSCREEN), rect.right + margin);
  rect.bottom = std::min<LONG>(GetSystemMetrics(SM_CYSCREEN), rect.bottom + margin);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  platform::UniqueBitmap picture(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, picture.Get());
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture ? platform::SaveBitmapToPng(picture.Get(), path) : E_FAIL;
}

void Pump(DWORD ms) {
  platform::PumpMessagesUntil([] { return false; }, ms);
}

// Dialogs that Tessiva opens while a call runs: each new one is reported,
// saved as a PNG when a folder is given, and closed when asked (a progress
// dialog closes by itself; closing it would cancel its job).
class ForeignWindowWatcher {
 public:
  ForeignWindowWatcher(std::wstring folder, std::wstring prefix, bool close)
      : folder_(std::move(folder)), prefix_(std::move(prefix)), close_(close), thread_([this] { Run(); }) {}
  ~ForeignWindowWatcher() {
    stop_ = true;
    thread_.join();
  }

 private:
  void Run() {
    while (!stop_) {
      EnumWindows(
          [](HWND window, LPARAM self) -> BOOL {
            reinterpret_cast<ForeignWindowWatcher*>(self)->Look(window);
            return TRUE;
          },
          reinterpret_cast<LPARAM>(this));
      Sleep(100);
    }
  }
  void Look(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() || !IsWindowVisible(window) || seen_.count(window)) return;
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (std::wstring(className) != L"#32770") return;  // dialogs and message boxes only
    seen_.insert(window);
    Sleep(300);  // let it paint
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    std::wstring path = folder_ + prefix_ + std::to_wstring(seen_.size()) + L".png";
    if (folder_.empty()) {
      printf("  window shown: \"%s\"\n", Utf8(title).c_str());
    } else {
      HRESULT hr = platform::SaveWindowToPng(window, path);
      printf("  window shown: \"%s\", saved %s 0x%08lX\n", Utf8(title).c_str(), Utf8(path).c_str(),
             static_cast<unsigned long>(hr));
    }
    if (!close_) return;
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  std::wstring folder_;
  std::wstring prefix_;
  bool close_;
  std::atomic<bool> stop_{false};
  std::set<HWND> seen_;
  std::thread thread_;
};

int Run(const std::wstring& folder) {
  XpcomHost host;
  nsresult rv = host.Start();
  Step("start the XPCOM library", rv);
  if (NS_FAILED(rv)) return 1;
  rv = host.LoadComponentLibrary(XpcomHost::ProgramFolder() + L"fervix9.dll");
  Step("load and register fervix9.dll", rv);
  if (NS_FAILED(rv)) return 2;
  printf("  category norva-category/norva-key: %s\n", host.CategoryEntry(kFervixCategory, kFervixCategoryEntry).c_str());

  BrowserWindow browser;
  browser.Create(L"Hello world, this is the new computer.\nGood morning, my friend.", 60, 80, 560, 160);
  Pump(300);
  auto component = host.Create<IFervix9_2>(kFervixContractId, &rv);
  Step("create " "@norvasoft.test/norva9/fervix9;1", rv);
  if (!component) return 3;
  ComPtr<HostObserver> observer = ComPtr<HostObserver>::Share(new HostObserver());
  PRBool ok = PR_FALSE;
  Step("Init (COM starts Tessiva)", component->Init(observer.Get(), &ok));
  printf("  ok: %d\n", ok);
  if (!ok) return 4;

  PRInt32 count = 0;
  Step("GetDirsCount", component->GetDirsCount(&count));
  for (PRInt16 i = 0; i < count; ++i) {
    XpString name;
    PRInt32 id = 0;
    component->GetDir(i, name, &id);
    printf("  [%d] 0x%08X %s\n", i, static_cast<unsigned>(id), Utf8(name.Str()).c_str());
  }
  PRInt32 templates = 0;
  Step("SetActiveDir(English-Russian)", component->SetActiveDir(0x00020001, &templates));
  for (PRInt16 i = 0; i < templates; ++i) {
    XpString name;
    component->GetTemplateName(i, name);
    printf("  template %d: %s\n", i, Utf8(name.Str()).c_str());
  }

  {
    ForeignWindowWatcher watcher(L"", L"", false);
    XpString selection(L"Hello world.\r\nThe computer translates the page."), templateId(L"GENERAL");
    Step("TranslateSelection", component->TranslateSelection(selection, 0x00020001, templateId));
    printf("  result: %s\n", Utf8(observer->LastTranslatedText()).c_str());

    ComPtr<HtmlDocument> page = ComPtr<HtmlDocument>::Share(new HtmlDocument(
        L"<html><head><title>The new computer</title></head><body><p>Good morning, my friend.</p></body></html>"));
    XpString url(L"http://example.test/news/index.html");
    component->RememberForegroundWindow();
    Step("TranslateDocument", component->TranslateDocument(page->ScriptObject(), nullptr, url, 0x00020001, templateId));
    printf("  page: %s\n", Utf8(observer->LastTranslatedPage()).c_str());
    EnableWindow(browser.Hwnd(), TRUE);  // as the script does after a page
  }
  {
    ForeignWindowWatcher watcher(folder, L"firefox-settings-", true);
    Step("ShowSettings", component->ShowSettings());
  }

  // The pointer rests on a word: the hook library posts the mouse move.
  HMODULE hook = LoadLibraryW(L"NorvaBrowserHook.dll");
  using PostOne = int(__cdecl*)(LONG, const wchar_t*, ULONG, int, int);
  auto post = hook ? reinterpret_cast<PostOne>(GetProcAddress(hook, "HookTestPostMessage")) : nullptr;
  POINT point = browser.PointOnWord(L"computer");
  SetCursorPos(point.x, point.y);
  long reads = browser.TextReads();
  int posted = post ? post(EPBT_FF, L"WM_BROWSERHOOK_MOUSE_MOVE",
                           static_cast<ULONG>(reinterpret_cast<ULONG_PTR>(browser.Hwnd())), point.x, point.y)
                    : -2;
  printf("%-46s %d\n", "hook: mouse move over \"computer\"", posted);
  Pump(1500);  // the word popup shows after its delay
  printf("  accessible text read: %s\n", browser.TextReads() > reads ? "yes" : "no");
  if (!folder.empty()) {
    HRESULT hr = platform::SaveWindowToPng(browser.Hwnd(), folder + L"firefox-host-window.png");
    printf("  saved firefox-host-window.png 0x%08lX\n", static_cast<unsigned long>(hr));
    hr = SaveScreenAround(browser.Hwnd(), 40, folder + L"firefox-host-screen.png");
    printf("  saved firefox-host-screen.png 0x%08lX\n", static_cast<unsigned long>(hr));
  }
  component.Reset();
  observer.Reset();
  return 0;
}

// One long call after Init, as a script makes it, and the end of the
// browser: Tessiva is left to end by itself. Dialogs it opens are closed.
int RunOneCall(const std::wstring& call) {
  XpcomHost host;
  if (NS_FAILED(host.Start()) || NS_FAILED(host.LoadComponentLibrary(XpcomHost::ProgramFolder() + L"fervix9.dll")))
    return 2;
  BrowserWindow browser;
  browser.Create(L"Hello world, this is the new computer.", 60, 80, 560, 160);
  Pump(300);
  nsresult rv = NS_OK;
  auto component = host.Create<IFervix9_2>(kFervixContractId, &rv);
  if (!component) return 3;
  ComPtr<HostObserver> observer = ComPtr<HostObserver>::Share(new HostObserver());
  PRBool ok = PR_FALSE;
  Step("Init (COM starts Tessiva)", component->Init(observer.Get(), &ok));
  if (!ok) return 4;
  {
    // A progress dialog ends by itself (closing it would cancel its job).
    ForeignWindowWatcher watcher(L"", L"", call != L"TranslateSelection");
    XpString text(L"Hello world. The computer translates the page."), templateId(L"GENERAL");
    XpString found;
    PRBool searched = PR_FALSE;
    if (call == L"TranslateSelection") {
      Step("TranslateSelection", component->TranslateSelection(text, 0x00020001, templateId));
    } else if (call == L"ShowSettings") {
      Step("ShowSettings", component->ShowSettings());
    } else if (call == L"ShowWebSearch") {
      Step("ShowWebSearch", component->ShowWebSearch(text, found, &searched));
    } else if (call == L"ShowAot") {
      Step("ShowAot", component->ShowAot(text));
    } else if (call != L"Init") {
      return 5;
    }
  }
  component.Reset();
  observer.Reset();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wstring(argv[1]) == L"--load-only") {
    // As the browser loads a component library: the library starts its own glue.
    HMODULE library = LoadLibraryW((XpcomHost::ProgramFolder() + L"fervix9.dll").c_str());
    printf("LoadLibrary fervix9.dll: %s (%lu)\n", library ? "loaded" : "refused", GetLastError());
    return library ? 0 : 2;
  }
  if (argc > 2 && std::wstring(argv[1]) == L"--call") {
    platform::ComApartment apartment;
    if (!apartment.Ok()) return 1;
    int result = RunOneCall(argv[2]);
    printf("done (%d)\n", result);
    return result;
  }
  std::wstring folder = argc > 1 ? argv[1] : L"";
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  if (!folder.empty()) CreateDirectoryW(folder.c_str(), nullptr);
  platform::ComApartment apartment;
  if (!apartment.Ok()) return 1;
  int result = Run(folder);
  printf("done (%d)\n", result);
  return result;
}
