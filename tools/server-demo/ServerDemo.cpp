// Plays Tessiva's translation-server connector against a running translation
// server: makes the connector through the factory (kind 1), connects, lists
// the directions, translates a text and a page (with the progress dialog),
// shows the about box over Tessiva's version block, and saves pictures of
// the dialogs. Prints each step. The road ("server-demo") fails, with one
// line "server-demo: FAILED: <what>" and exit code 1, when a step fails, a
// translation is not the one expected or a dialog did not appear or paint.
// Usage: tessiva_server_demo.exe <server base address> <Tessiva.exe> <picture folder>
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "RoadCheck.h"
#include "StandInWords.h"
#include "browserproxy/core/ConnectorFactory.h"
#include "browserproxy/server/NorvaVQDWrapper.h"
#include "browserproxy/server/ServerConnectorSetup.h"
#include "browserproxy/ui/ProgressDlg.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComError.h"

namespace {

using roads::kComputerRussian;
using roads::kVirusRussian;
using roads::Utf8;

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Waits for a dialog of this process with that title, lets it paint, saves
// its picture and, when asked, presses a button. The road fails when the
// dialog did not appear before the watch ended, or did not paint.
class DialogShot {
 public:
  DialogShot(roads::Road& road, std::wstring title, std::wstring path, int pressId)
      : road_(road), title_(std::move(title)), thread_([=, this] { Run(path, pressId); }) {}
  ~DialogShot() {
    done_ = true;
    thread_.join();
    road_.Check(shown_, "the dialog \"" + Utf8(title_) + "\" did not appear");
  }

 private:
  void Run(const std::wstring& path, int pressId) {
    for (int i = 0; i < 1000 && !done_; ++i) {
      HWND window = FindWindowW(L"#32770", title_.c_str());
      DWORD process = 0;
      if (window) GetWindowThreadProcessId(window, &process);
      if (window && process == GetCurrentProcessId() && IsWindowVisible(window)) {
        shown_ = true;
        road_.SavePicture(window, path, "the dialog \"" + Utf8(title_) + "\"");
        if (pressId) PostMessageW(window, WM_COMMAND, MAKEWPARAM(pressId, BN_CLICKED), 0);
        return;
      }
      Sleep(10);
    }
  }
  roads::Road& road_;
  std::wstring title_;
  std::atomic<bool> done_{false};
  std::atomic<bool> shown_{false};
  std::thread thread_;
};

void Run(roads::Road& road, const std::wstring& address, const std::wstring& tessiva, const std::wstring& pictures) {
  InstallServerConnector();
  const std::wstring title = L"NORVA for Mozilla FireFox";
  std::unique_ptr<INorvaConnector> made = CreateConnector(title, kServerConnector);
  auto* connector = dynamic_cast<CNorvaVQDWrapper*>(made.get());
  printf("connector kind 1: %s\n", connector ? "CNorvaVQDWrapper" : "none");
  if (!road.Check(connector, "the connector factory made no server connector (kind 1)")) return;
  if (!road.Check(connector->Connect(address), "connecting to " + Utf8(address) + " failed")) return;
  printf("connected to %s: %lu directions\n", Utf8(address).c_str(), connector->GetDirsCount());
  for (unsigned long i = 0; i < connector->GetDirsCount(); ++i) {
    printf("  [%lu] 0x%08lX %s:", i, static_cast<unsigned long>(connector->GetDirID(i)),
           Utf8(connector->GetDirName(i)).c_str());
    for (unsigned long j = 0; j < connector->GetTmplCountByDirIdx(i); ++j)
      printf(" %s;", Utf8(connector->GetTmplNameByDirIdx(j, i)).c_str());
    printf("\n");
  }
  road.Check(connector->GetDirsCount() > 0, "the server lists no directions");
  printf("active: 0x%08lX / %s\n", static_cast<unsigned long>(connector->GetActiveDirID()),
         Utf8(connector->GetActiveTplId()).c_str());

  const std::wstring text = L"The computer has a virus & the program is in memory.";
  std::wstring translated;
  connector->TranslateText(text, translated, 0);
  printf("text:   %s\nresult: %s\n", Utf8(text).c_str(), Utf8(translated).c_str());
  road.CheckContains(translated, kComputerRussian, "the text's translation");
  road.CheckContains(translated, kVirusRussian, "the text's translation");
  std::wstring entry;
  connector->TranslateText(L"memory", entry, 1);
  printf("dictionary answer for \"memory\": %s\n", Utf8(entry).c_str());
  road.Check(!entry.empty(), "the dictionary gave no answer for \"memory\"");

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
  {
    CProgressDlg progress(L"Page Translation");
    job.progress = &progress;
    DialogShot shot(road, L"Page Translation", pictures + L"\\server-progress.png", 0);
    pageDone = connector->TranslateFile(job);
  }
  const std::string result = ReadWholeFile(job.destinationPath);
  printf("page:   %s\nresult: %s (%s)\n", Utf8(page).c_str(), result.c_str(), pageDone ? "written" : "not written");
  road.Check(pageDone, "the page job wrote no result");
  road.Check(
      result.find(Utf8(kComputerRussian)) != std::string::npos && result.find(Utf8(kVirusRussian)) != std::string::npos,
      "the page's translation \"" + result + "\" does not hold \"" + Utf8(kComputerRussian) + "\" and \"" +
          Utf8(kVirusRussian) + "\"");
  DeleteFileW(job.sourcePath.c_str());
  DeleteFileW(job.destinationPath.c_str());

  // The about box reads Tessiva's version block; its template is this
  // program's (the same resource script as Tessiva's).
  HMODULE module = LoadLibraryExW(tessiva.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  road.Check(module, "Tessiva.exe cannot be read for its version block");
  {
    DialogShot shot(road, L"About", pictures + L"\\server-about.png", IDOK);
    connector->ShowAbout(208, title, module);
  }
  if (module) FreeLibrary(module);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    printf("usage: tessiva_server_demo <server base address> <Tessiva.exe> <picture folder>\n");
    return 1;
  }
  platform::ComApartment apartment;
  roads::Road road("server-demo");
  try {
    Run(road, argv[1], argv[2], argv[3]);
  } catch (const platform::ComError& e) {
    road.Fail("a call failed with " + roads::Hex(e.Result()));
  }
  return road.Finish();
}
