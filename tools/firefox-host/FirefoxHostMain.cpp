// Plays Firefox for fervix9.dll, the main job's Firefox road: loads the
// plug-in through the stand-in XPCOM library as the browser does, opens a
// window of Firefox's class with a text, creates the component by contract
// id and calls it as the extension script would (Init, the lists, a
// selection, a page, the settings), moves the simulated pointer over a word
// through the hook stand-in, and saves PNG pictures of what is shown. Each
// result and window is checked: the road ("firefox-host") fails with one
// line "firefox-host: FAILED: <what>" and exit code 1 when one is wrong.
// Usage: firefox_host.exe [screenshot folder] | --load-only | --call <Init|TranslateSelection|ShowSettings|
// ShowWebSearch|ShowAot> (Init and one call, then the end of the browser)
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <string>
#include <thread>

#include "BrowserWindow.h"
#include "HostObserver.h"
#include "HtmlDocument.h"
#include "RoadCheck.h"
#include "StandInWords.h"
#include "TessivaLib.h"
#include "XpcomHost.h"
#include "firefox/FervixInterfaces.h"
#include "platform/com/ComApartment.h"
#include "platform/win/MessagePump.h"
#include "platform/win/WindowImage.h"

namespace {

using roads::kHelloWorldRussian;
using roads::kComputerRussian;
using roads::kMorningRussian;
using platform::ComPtr;
using roads::Utf8;

void Step(const char* what, nsresult rv) { printf("%-46s 0x%08X\n", what, rv); }

// The screen where the window and the popup over it are (the popup may
// stand beside the window), as a PNG.
HRESULT SaveScreenOf(HWND window, HWND popup, const std::wstring& path) {
  RECT windowRect = {}, popupRect = {}, both = {};
  GetWindowRect(window, &windowRect);
  GetWindowRect(popup, &popupRect);
  UnionRect(&both, &windowRect, &popupRect);
  platform::UniqueBitmap picture = platform::CaptureScreen(both);
  return picture ? platform::SaveBitmapToPng(picture.Get(), path) : E_FAIL;
}

void Pump(DWORD ms) {
  platform::PumpMessagesUntil([] { return false; }, ms);
}

// Dialogs that Tessiva opens while a call runs: each new one is reported,
// its picture saved when a road is given (the first as <name>.png, later
// ones <name>-2.png...), and closed when asked (a progress dialog closes by
// itself; closing it would cancel its job).
class ForeignWindowWatcher {
 public:
  ForeignWindowWatcher(roads::Road* road, std::wstring picture, bool close)
      : road_(road), picture_(std::move(picture)), close_(close), thread_([this] { Run(); }) {}
  ~ForeignWindowWatcher() { Stop(); }
  // Stops watching; answers how many dialogs were seen.
  size_t Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_.size();
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
    const std::string title = Utf8(roads::WindowText(window));
    printf("  window shown: \"%s\"\n", title.c_str());
    if (road_ && !picture_.empty()) {
      const std::wstring suffix = seen_.size() == 1 ? L"" : L"-" + std::to_wstring(seen_.size());
      road_->SavePicture(window, picture_ + suffix + L".png", "the dialog \"" + title + "\"");
    }
    if (!close_) return;
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  roads::Road* road_;
  std::wstring picture_;
  bool close_;
  std::atomic<bool> stop_{false};
  std::set<HWND> seen_;
  std::thread thread_;
};

// The visible word popup of Tessiva, waited for while this thread serves
// the accessible text it asks for.
HWND WaitForWordPopup(DWORD ms) {
  for (DWORD waited = 0;; waited += 100) {
    HWND popup = FindWindowW(L"NorvaToolTipWordWnd", nullptr);
    if (popup && IsWindowVisible(popup)) return popup;
    if (waited >= ms) return nullptr;
    Pump(100);
  }
}

constexpr PRInt32 kEnglishRussian = 0x00020001;

int Run(const std::wstring& folder) {
  roads::Road road("firefox-host");
  XpcomHost host;
  nsresult rv = host.Start();
  Step("start the XPCOM library", rv);
  if (!road.CheckResult(rv, "starting the XPCOM library")) return road.Finish();
  rv = host.LoadComponentLibrary(XpcomHost::ProgramFolder() + L"fervix9.dll");
  Step("load and register fervix9.dll", rv);
  if (!road.CheckResult(rv, "loading fervix9.dll")) return road.Finish();
  const std::string category = host.CategoryEntry(kFervixCategory, kFervixCategoryEntry);
  printf("  category norva-category/norva-key: %s\n", category.c_str());
  road.Check(!category.empty(), "fervix9.dll registered no category entry");

  BrowserWindow browser;
  browser.Create(L"Hello world, this is the new computer.\nGood morning, my friend.", 60, 80, 560, 160);
  Pump(300);
  auto component = host.Create<IFervix9_2>(kFervixContractId, &rv);
  Step("create " "@norvasoft.test/norva9/fervix9;1", rv);
  if (!road.Check(static_cast<bool>(component), "the component @norvasoft.test/norva9/fervix9;1 was not made"))
    return road.Finish();
  ComPtr<HostObserver> observer = ComPtr<HostObserver>::Share(new HostObserver());
  PRBool ok = PR_FALSE;
  Step("Init (COM starts Tessiva)", component->Init(observer.Get(), &ok));
  printf("  ok: %d\n", ok);
  if (!road.Check(ok, "Init answered false (no Tessiva)")) return road.Finish();

  PRInt32 count = 0;
  Step("GetDirsCount", component->GetDirsCount(&count));
  for (PRInt16 i = 0; i < count; ++i) {
    XpString name;
    PRInt32 id = 0;
    component->GetDir(i, name, &id);
    printf("  [%d] 0x%08X %s\n", i, static_cast<unsigned>(id), Utf8(name.Str()).c_str());
  }
  road.Check(count > 0, "no translation directions");
  PRInt32 templates = 0;
  Step("SetActiveDir(English-Russian)", component->SetActiveDir(kEnglishRussian, &templates));
  for (PRInt16 i = 0; i < templates; ++i) {
    XpString name;
    component->GetTemplateName(i, name);
    printf("  template %d: %s\n", i, Utf8(name.Str()).c_str());
  }
  road.Check(templates > 0, "no templates for English-Russian");

  {
    ForeignWindowWatcher watcher(nullptr, L"", false);
    XpString selection(L"Hello world.\r\nThe computer translates the page."), templateId(L"GENERAL");
    rv = component->TranslateSelection(selection, kEnglishRussian, templateId);
    Step("TranslateSelection", rv);
    const std::wstring text = observer->LastTranslatedText();
    printf("  result: %s\n", Utf8(text).c_str());
    road.CheckResult(rv, "TranslateSelection");
    road.CheckContains(text, kHelloWorldRussian, "the selection's translation");
    road.CheckContains(text, kComputerRussian, "the selection's translation");

    ComPtr<HtmlDocument> page = ComPtr<HtmlDocument>::Share(new HtmlDocument(
        L"<html><head><title>The new computer</title></head><body><p>Good morning, my friend.</p></body></html>"));
    XpString url(L"http://example.test/news/index.html");
    component->RememberForegroundWindow();
    rv = component->TranslateDocument(page->ScriptObject(), nullptr, url, kEnglishRussian, templateId);
    Step("TranslateDocument", rv);
    const std::wstring translatedPage = observer->LastTranslatedPage();
    printf("  page: %s\n", Utf8(translatedPage).c_str());
    road.CheckResult(rv, "TranslateDocument");
    road.CheckContains(translatedPage, kComputerRussian, "the page's translation");
    road.CheckContains(translatedPage, kMorningRussian, "the page's translation");
    EnableWindow(browser.Hwnd(), TRUE);  // as the script does after a page
  }
  {
    ForeignWindowWatcher watcher(folder.empty() ? nullptr : &road, folder + L"firefox-settings", true);
    rv = component->ShowSettings();
    Step("ShowSettings", rv);
    road.CheckResult(rv, "ShowSettings");
    road.Check(watcher.Stop() > 0, "ShowSettings showed no dialog");
  }

  // The pointer rests on a word: the hook library posts the mouse move.
  HMODULE hook = LoadLibraryW(L"NorvaBrowserHook.dll");
  using PostOne = int(__cdecl*)(LONG, const wchar_t*, ULONG, int, int);
  auto post = hook ? reinterpret_cast<PostOne>(GetProcAddress(hook, "HookTestPostMessage")) : nullptr;
  POINT point = browser.PointOnWord(L"computer");
  RECT word = {};
  const size_t at = browser.Text().find(L"computer");
  browser.SubstringBounds(static_cast<long>(at), static_cast<long>(at + 8), word);
  SetCursorPos(point.x, point.y);
  long reads = browser.TextReads();
  int posted = post ? post(EPBT_FF, L"WM_BROWSERHOOK_MOUSE_MOVE",
                           static_cast<ULONG>(reinterpret_cast<ULONG_PTR>(browser.Hwnd())), point.x, point.y)
                    : -2;
  printf("%-46s %d\n", "hook: mouse move over \"computer\"", posted);
  road.Check(posted == 1, "the hook library did not post the mouse move (" + std::to_string(posted) + ")");
  // The word popup shows after its delay.
  HWND popup = WaitForWordPopup(5000);
  Pump(300);
  const bool read = browser.TextReads() > reads;
  printf("  accessible text read: %s\n", read ? "yes" : "no");
  road.Check(read, "Tessiva did not read the window's accessible text under the pointer");
  if (!popup) {
    // What the user would have had under the pointer instead.
    POINT cursor = {};
    GetCursorPos(&cursor);
    wchar_t under[64] = {}, front[64] = {};
    GetClassNameW(WindowFromPoint(cursor), under, 64);
    GetClassNameW(GetForegroundWindow(), front, 64);
    printf("  pointer at (%ld, %ld) over a window of class %s; foreground: %s\n", cursor.x, cursor.y,
           Utf8(under).c_str(), Utf8(front).c_str());
  }
  if (road.Check(popup, "no word popup appeared over \"computer\"")) {
    RECT shown = {}, overlap = {};
    GetWindowRect(popup, &shown);
    printf("  word popup at (%ld, %ld) - (%ld, %ld)\n", shown.left, shown.top, shown.right, shown.bottom);
    road.Check(!IntersectRect(&overlap, &shown, &word), "the word popup covers the word it explains");
  }
  if (!folder.empty()) {
    if (popup) {
      // The popup painted, then the screen of the window with it.
      const platform::WindowPicture picture = platform::CaptureWindow(popup);
      if (road.Check(picture.fault.empty(), "the word popup: its " + Utf8(picture.fault) + " did not paint")) {
        HRESULT hr = SaveScreenOf(browser.Hwnd(), popup, folder + L"firefox-word-popup.png");
        if (road.CheckResult(hr, "saving firefox-word-popup.png")) printf("  saved firefox-word-popup.png\n");
      }
    }
    road.SavePicture(browser.Hwnd(), folder + L"firefox-host-window.png", "the browser window");
  }
  component.Reset();
  observer.Reset();
  return road.Finish();
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
    ForeignWindowWatcher watcher(nullptr, L"", call != L"TranslateSelection");
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
  return Run(folder);
}
