// Time from TranslateTextDlg (word kind, delay 0) until Tessiva's word popup
// is on the screen with the word's entry laid out (its list holds the
// lines), against the same client's round trip of an empty call to Tessiva
// (GetSetting of a name it does not know). Popup and empty-call rounds take
// turns, so that a slow moment of the machine hits both. Beside the total it
// prints Tessiva's own share: the processor time of Tessiva.exe per popup,
// read from the Linux process's /proc entry (Wine answers zero for another
// process's GetProcessTimes), that reading checked once on this process.
// Tessiva and the stand-in kernel must be registered (the main job does it).
// The layout-table reader that an installed product has beside its store
// (the build's "mds\mds.stg") is registered for the run when it is not, and
// unregistered after: without it every request would try to make a reader
// and fail again, which is no installation's path.
//   tessiva_wordpopup_bench [requests]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "LinuxProcessTimes.h"
#include "MdsReader.h"
#include "ServerProcess.h"
#include "TessivaLib.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"
#include "platform/base/ModulePath.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;
using Clock = std::chrono::steady_clock;

double Micro(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// Waits until the popup shows `lines` lines (at most two seconds).
bool WaitForPopup(LRESULT lines) {
  const auto end = Clock::now() + std::chrono::seconds(2);
  while (Clock::now() < end) {
    HWND popup = FindWindowW(L"NorvaToolTipWordWnd", nullptr);
    if (popup && IsWindowVisible(popup)) {
      HWND list = GetWindow(popup, GW_CHILD);
      if (list && SendMessageW(list, LB_GETCOUNT, 0, 0) == lines) return true;
    }
    Sleep(0);
  }
  return false;
}

bool ReaderRegistered() {
  wchar_t clsid[40] = {};
  StringFromGUID2(CLSID_MdsReader, clsid, 40);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32").c_str(), 0,
                    KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

// Registers the stand-in table reader beside this program for the run; its
// registration goes again when the object goes, unless it was there before.
class ReaderForTheRun {
 public:
  ReaderForTheRun() {
    if (ReaderRegistered()) return;
    registered_ = Call("DllRegisterServer");
  }
  ~ReaderForTheRun() {
    if (registered_) Call("DllUnregisterServer");
  }
  bool Ok() const { return registered_ || ReaderRegistered(); }

 private:
  static bool Call(const char* entry) {
    HMODULE dll = LoadLibraryW((platform::ModuleFolder(nullptr) + L"mdsreader.dll").c_str());
    if (!dll) return false;
    auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(dll, entry));
    const bool ok = function && SUCCEEDED(function());
    FreeLibrary(dll);
    return ok;
  }
  bool registered_ = false;
};

// The /proc reading against GetProcessTimes on half a second of this
// process's own work: both should agree within a tick or two.
void CheckProcReading() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring folder = testsupport::LinuxProcFolderOf(self);
  if (folder.empty()) {
    printf("check of the /proc reading: this process was not found under /proc\n");
    return;
  }
  const double procBefore = testsupport::LinuxCpuSeconds(folder), ownBefore = testsupport::OwnCpuSeconds();
  volatile unsigned sink = 0;
  for (auto end = Clock::now() + std::chrono::milliseconds(500); Clock::now() < end;) sink = sink + 1;
  printf("check of the /proc reading on this process's busy half second: /proc %.2f s, GetProcessTimes %.2f s\n",
         testsupport::LinuxCpuSeconds(folder) - procBefore, testsupport::OwnCpuSeconds() - ownBefore);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int requests = argc > 1 ? _wtoi(argv[1]) : 80;
  platform::ComApartment apartment;
  ReaderForTheRun reader;
  if (!reader.Ok()) printf("the layout-table reader could not be registered: every request tries to make one\n");
  ComPtr<IWebClassCreator> creator;
  if (FAILED(ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER))) return 1;
  ComPtr<IDispatch> object;
  if (FAILED(creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive()))) return 1;
  auto browser = object.As<INorvaBrowserClass>();
  browser->put_ActiveDirID(0x00020001);
  browser->SetSetting(Bstr(L"PopupWordDelay").Get(), Variant::FromUInt32(0).Get());
  // Tessiva.exe is the one serving the creator: its Linux process by its path.
  std::wstring tessivaProc;
  if (DWORD id = testsupport::ServingProcessId(creator.Get())) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (process && QueryFullProcessImageNameW(process, 0, path, &size)) tessivaProc = testsupport::LinuxProcFolderOf(path);
    if (process) CloseHandle(process);
  }

  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 4);
  LONG box[4] = {300, 200, 340, 214};
  for (LONG i = 0; i < 4; ++i) SafeArrayPutElement(array, &i, &box[i]);
  VARIANT rectValue;
  VariantInit(&rectValue);
  rectValue.vt = VT_ARRAY | VT_I4;
  rectValue.parray = array;
  Variant rect = Variant::Adopt(rectValue);
  SetCursorPos(310, 207);
  const Variant kind = Variant::FromInt32(EPTDT_TOOLTIP_WORD);
  const Variant missing = Variant::Missing();
  // Two words in turn, so that every request looks a new word up; each is
  // laid out into the lines it has ("table" 5, "big" 3).
  const struct {
    const wchar_t* word;
    LRESULT lines;
  } words[] = {{L"table", 5}, {L"big", 3}};

  double inCall = 0;  // the request itself: look-up and layout, before the show
  int failed = 0;
  auto show = [&](int i) {
    const auto& w = words[i % 2];
    auto before = Clock::now();
    browser->TranslateTextDlg(Bstr(w.word).Get(), MAKELONG(310, 207), rect.Get(), kind.Get(), missing.Get());
    inCall += Micro(Clock::now() - before);
    return WaitForPopup(w.lines);
  };
  Variant value;
  auto emptyCall = [&] { browser->GetSetting(Bstr(L"NoSuchSetting").Get(), missing.Get(), value.Receive()); };
  for (int i = 0; i < 4; ++i) show(i);  // warm: kernel objects, tables, fonts
  emptyCall();

  inCall = 0;
  const int rounds = 4, perRound = std::max(1, requests / rounds);
  double popupTime = 0, emptyTime = 0, tessivaCpu = 0;
  for (int round = 0; round < rounds; ++round) {
    const double cpuBefore = tessivaProc.empty() ? 0 : testsupport::LinuxCpuSeconds(tessivaProc);
    auto start = Clock::now();
    for (int i = 0; i < perRound; ++i)
      if (!show(i)) ++failed;
    popupTime += Micro(Clock::now() - start);
    if (!tessivaProc.empty()) tessivaCpu += testsupport::LinuxCpuSeconds(tessivaProc) - cpuBefore;
    start = Clock::now();
    for (int i = 0; i < perRound; ++i) emptyCall();
    emptyTime += Micro(Clock::now() - start);
  }
  const int done = rounds * perRound;
  const double popup = popupTime / done, empty = emptyTime / done;
  browser->TranslateTextDlg(Bstr(L"").Get(), MAKELONG(310, 207), rect.Get(), kind.Get(), missing.Get());

  printf("word popup shown with its entry: %10.1f us per request (%d requests in %d rounds, %d not shown)\n", popup,
         done, rounds, failed);
  printf("  of it the call (look-up, layout): %8.1f us\n", inCall / done);
  if (tessivaProc.empty())
    printf("  Tessiva's own processor time:      unknown (Tessiva.exe not found under /proc)\n");
  else
    printf("  Tessiva's own processor time:    %10.1f us per request (%.0f%% of the total; /proc, 10 ms ticks)\n",
           tessivaCpu * 1e6 / done, 100.0 * tessivaCpu * 1e6 / popupTime);
  printf("empty call to Tessiva:           %10.1f us per call\n", empty);
  printf("ratio popup / empty call:        %10.1f\n", popup / empty);
  CheckProcReading();
  return failed ? 1 : 0;
}
