// Plays Tessiva's translation-server connector against a running translation
// server: makes the connector through the factory (kind 1), connects, lists
// the directions, translates a text and a page (with the progress dialog),
// shows the about box over Tessiva's version block, and saves pictures of
// the dialogs. Prints each step.
// Usage: tessiva_server_demo.exe <server base address> <Tessiva.exe> <picture folder>
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "browserproxy/core/ConnectorFactory.h"
#include "browserproxy/server/NorvaVQDWrapper.h"
#include "browserproxy/server/ServerConnectorSetup.h"
#include "browserproxy/ui/ProgressDlg.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComError.h"
#include "platform/win/WindowImage.h"

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Waits for a dialog of this process with that title, lets it paint, saves
// its picture and, when asked, presses a button.
class DialogShot {
 public:
  DialogShot(std::wstring title, std::wstring path, int pressId, DWORD settleMs)
      : thread_([=, this] { Run(title, path, pressId, settleMs); }) {}
  ~DialogShot() {
    done_ = true;
    thread_.join();
  }
  bool Saved() const { return saved_; }

 private:
  void Run(const std::wstring& title, const std::wstring& path, int pressId, DWORD settleMs) {
    for (int i = 0; i < 1000 && !done_; ++i) {
      HWND window = FindWindowW(L"#32770", title.c_str());
      DWORD process = 0;
      if (window) GetWindowThreadProcessId(window, &process);
      if (window && process == GetCurrentProcessId() && IsWindowVisible(window)) {
        Sleep(settleMs);
        // The capture repaints the window; the second picture is taken once
        // the controls have painted again after the first.
        platform::SaveWindowToPng(window, path);
        Sleep(300);
        saved_ = SUCCEEDED(platform::SaveWindowToPng(window, path));
        if (pressId) PostMessageW(window, WM_COMMAND, MAKEWPARAM(pressId, BN_CLICKED), 0);
        return;
      }
      Sleep(10);
    }
  }
  std::atomic<bool> done_{false};
  std::atomic<bool> saved_{false};
  std::thread thread_;
};

int Run(const std::wstring& address, const std::wstring& tessiva, const std::wstring& pictures) {
  InstallServerConnector();
  const std::wstring title = L"NORVA for Mozilla FireFox";
  std::unique_ptr<INorvaConnector> made = CreateConnector(title, kServerConnector);
  auto* connector = dynamic_cast<CNorvaVQDWrapper*>(made.get());
  printf("connector kind 1: %s\n", connector ? "CNorvaVQDWrapper" : "none");
  if (!connector) return 1;
  if (!connector->Connect(address)) {
    printf("connect to %s failed\n", Utf8(address).c_str());
    return 2;
  }
  printf("connected to %s: %lu directions\n", Utf8(address).c_str(), connector->GetDirsCount());
  for (unsigned long i = 0; i < connector->GetDirsCount(); ++i) {
    printf("  [%lu] 0x%08lX %s:", i, static_cast<unsigned long>(connector->GetDirID(i)),
           Utf8(connector->GetDirName(i)).c_str());
    for (unsigned long j = 0; j < connector->GetTmplCountByDirIdx(i); ++j)
      printf(" %s;", Utf8(connector->GetTmplNameByDirIdx(j, i)).c_str());
    printf("\n");
  }
  printf("active: 0x%08lX / %s\n", static_cast<unsigned long>(connector->GetActiveDirID()),
         Utf8(connector->GetActiveTplId()).c_str());

  const std::wstring text = L"The computer has a virus & the program is in memory.";
  std::wstring translated;
  connector->TranslateText(text, translated, 0);
  printf("text:   %s\nresult: %s\n", Utf8(text).c_str(), Utf8(translated).c_str());
  std::wstring entry;
  connector->TranslateText(L"memory", entry, 1);
  printf("dictionary answer for \"memory\": %s\n", Utf8(entry).c_str());

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  TranslateFileJob job;
  job.fileKind = 21;
  job.sourcePath = std::wstring(temp) + L"server-demo-page.htm";
  job.destinationPath = std::wstring(temp) + L"server-demo-page-result.htm";
  const std::wstring page =
      L"<html><head><title>The new computer</title></head><body><p>The program has a virus.</p></body></html>";
  {
    std::ofstream out(job.sourcePath.c_str(), std::ios::binary | std::ios::trunc);
    out.write("\xFF\xFE", 2);
    out.write(reinterpret_cast<const char*>(page.data()), static_cast<std::streamsize>(page.size() * 2));
  }
  job.options.emplace_back(L"URLBase", platform::Variant::FromString(L"http://example.test/news"));
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  bool pageDone = false;
  bool progressSaved = false;
  {
    CProgressDlg progress(L"Page Translation");
    job.progress = &progress;
    DialogShot shot(L"Page Translation", pictures + L"\\server-progress.png", 0, 600);
    pageDone = connector->TranslateFile(job);
    progressSaved = shot.Saved();
  }
  printf("page:   %s\nresult: %s (%s)\n", Utf8(page).c_str(), ReadWholeFile(job.destinationPath).c_str(),
         pageDone ? "written" : "not written");
  DeleteFileW(job.sourcePath.c_str());
  DeleteFileW(job.destinationPath.c_str());
  printf("progress dialog picture: %s\n", progressSaved ? "saved" : "not saved");

  // The about box reads Tessiva's version block; its template is this
  // program's (the same resource script as Tessiva's).
  HMODULE module = LoadLibraryExW(tessiva.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  bool aboutSaved = false;
  {
    DialogShot shot(L"About", pictures + L"\\server-about.png", IDOK, 300);
    connector->ShowAbout(208, title, module);
    aboutSaved = shot.Saved();
  }
  if (module) FreeLibrary(module);
  printf("about box picture: %s\n", aboutSaved ? "saved" : "not saved");
  return pageDone && !translated.empty() && aboutSaved ? 0 : 3;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    printf("usage: tessiva_server_demo <server base address> <Tessiva.exe> <picture folder>\n");
    return 1;
  }
  platform::ComApartment apartment;
  try {
    const int result = Run(argv[1], argv[2], argv[3]);
    printf("done (%d)\n", result);
    return result;
  } catch (const platform::ComError& e) {
    printf("failed: 0x%08lX\n", static_cast<unsigned long>(e.Result()));
    return 4;
  }
}
