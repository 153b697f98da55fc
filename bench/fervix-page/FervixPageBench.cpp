// A page translated through the Firefox plug-in (exchange files, Tessiva's
// page job, the stand-in kernel's server) against the stand-in kernel's file
// translator translating the same page file in this process, at 5 MB and at
// 1 KB, best of several runs, with Tessiva and the kernel's server already
// running; beside the plug-in's time, the processor time of each process
// during its best run (Tessiva, the kernel's server, the wineserver, this
// process with the plug-in), so that Tessiva's own share stands apart. And
// the exchange's own file work (writing the source, reading the UTF-8
// result) against CopyFile of the same bytes at 1, 3 and 10 MB.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "ChildProcess.h"
#include "HostObserver.h"
#include "HtmlDocument.h"
#include "KelVarLib.h"
#include "KernelObjects.h"
#include "LinuxProcessTimes.h"
#include "NorvaKernel.h"
#include "TempFolder.h"
#include "TessivaLib.h"
#include "XpcomHost.h"
#include "firefox/ExchangeFiles.h"
#include "firefox/FervixInterfaces.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Variant.h"

namespace {

using platform::ComPtr;
using platform::Variant;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

bool RunSibling(const std::wstring& program, const std::wstring& arguments) {
  auto run = testsupport::RunChild(L"\"" + testsupport::SiblingPath(program) + L"\" " + arguments, 60000);
  return run.started && !run.timedOut && run.exitCode == 0;
}

bool RegisterEverything() {
  HMODULE dll = LoadLibraryW(testsupport::SiblingPath(L"NrvaKernel.dll").c_str());
  if (!dll) return false;
  auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(dll, "DllRegisterServer"));
  bool ok = entry && SUCCEEDED(entry());
  FreeLibrary(dll);
  return ok && RunSibling(L"NrvaKernelServer.exe", L"-RegServer") && RunSibling(L"Tessiva.exe", L"/RegServer");
}

std::wstring Page(size_t bytes) {
  std::wstring page = L"<html><head><title>hello</title></head><body>";
  while (page.size() * 2 < bytes) page += L"<p class=\"world\">hello world, the new computer</p>\r\n";
  return page + L"</body></html>";
}

// The kernel's own time: its file translator, made in this process, on the page file.
double KernelSeconds(const std::wstring& source, const std::wstring& destination) {
  ComPtr<IUnknown> unknown;
  if (FAILED(CoCreateInstance(CLSID_NrvaContext, nullptr, CLSCTX_ALL, IID_IUnknown, unknown.ReceiveVoid()))) return -1;
  auto context = unknown.As<INrvaContext>();
  ComPtr<IDispatch> profile;
  if (!context || FAILED(context->GetProfile(profile.Receive()))) return -1;
  auto translator = kernelstandin::NewFileTranslator().As<INrvaFileTranslator>();
  if (!translator) return -1;
  Variant from = Variant::FromString(source), to = Variant::FromString(destination);
  auto start = Clock::now();
  HRESULT hr = translator->Translate(21, 21, from.Get(), to.Get(), -1, profile.Get(), 0, 0);
  double seconds = Since(start);
  return SUCCEEDED(hr) ? seconds : -1;
}

// Tessiva's own time: its browser object's TranslatePage on the same files.
double TessivaSeconds(INorvaBrowserClass* browser, const std::wstring& source, const std::wstring& destination) {
  auto start = Clock::now();
  HRESULT hr = browser->TranslatePage(platform::Bstr(L"http://example.test/").Get(), platform::Bstr(source).Get(),
                                      platform::Bstr(destination).Get());
  double seconds = Since(start);
  return hr == S_OK ? seconds : -1;
}

// The plug-in's time: TranslateFrame, which runs Tessiva's page job by name.
double PluginSeconds(IFervix9_2* component, const std::wstring& page, size_t* resultSize) {
  ComPtr<HtmlDocument> document = ComPtr<HtmlDocument>::Share(new HtmlDocument(page));
  XpString url(L"http://example.test/big.html"), templateId(L"GENERAL"), result;
  PRBool ok = PR_FALSE;
  auto start = Clock::now();
  component->TranslateFrame(document->ScriptObject(), url, result, 0x00020001, templateId, &ok);
  double seconds = Since(start);
  *resultSize = result.Str().size();
  return ok ? seconds : -1;
}

// Processor time of each process of the road over one stretch.
struct RoadMeters {
  testsupport::LinuxCpuMeter tessiva, kernel, wineServer, self;
  void Start() {
    tessiva.Start();
    kernel.Start();
    wineServer.Start();
    self.Start();
  }
};
struct RoadShares {
  double tessiva = -1, kernel = -1, wineServer = -1, self = -1;
  static RoadShares Of(const RoadMeters& m) {
    return {m.tessiva.Seconds(), m.kernel.Seconds(), m.wineServer.Seconds(), m.self.Seconds()};
  }
};

void PrintShares(const RoadShares& shares, double wall) {
  auto one = [&](const char* name, double seconds) {
    if (seconds < 0)
      printf("    %-40s not found under /proc\n", name);
    else
      printf("    %-40s %.3f s (%.0f%% of the time passed)\n", name, seconds, 100 * seconds / wall);
  };
  one("Tessiva.exe (the product's own)", shares.tessiva);
  one("this process: host and fervix9.dll", shares.self);
  one("NrvaKernelServer.exe (stand-in kernel)", shares.kernel);
  one("wineserver", shares.wineServer);
}

template <class F>
double Best(int runs, F&& run) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const double seconds = run();
    if (seconds < 0) return -1;
    best = std::min(best, seconds);
  }
  return best;
}

// The exchange's file work on a page of `bytes` (UTF-16) against CopyFile of
// the same files, best of five.
void ExchangeBench(size_t bytes) {
  const std::wstring page = Page(bytes);
  testsupport::TempFolder folder;
  const std::wstring source = folder.File(L"source.htm");
  const std::wstring utf8 = folder.File(L"result.htm");
  {
    std::string text;
    int size = WideCharToMultiByte(CP_UTF8, 0, page.data(), static_cast<int>(page.size()), nullptr, 0, nullptr, nullptr);
    text.resize(size);
    WideCharToMultiByte(CP_UTF8, 0, page.data(), static_cast<int>(page.size()), text.data(), size, nullptr, nullptr);
    folder.WriteFile(L"result.htm", text);
  }
  double exchange = 1e9, copy = 1e9, writing = 1e9, reading = 1e9;
  bool same = true;
  for (int round = 0; round < 5; ++round) {
    auto start = Clock::now();
    WriteExchangeSource(source, page);
    writing = std::min(writing, Since(start));
    auto middle = Clock::now();
    auto read = ReadPageResult(utf8);
    reading = std::min(reading, Since(middle));
    exchange = std::min(exchange, Since(start));
    same = same && read && *read == page;
    start = Clock::now();
    CopyFileW(source.c_str(), folder.File(L"copy1.htm").c_str(), FALSE);
    CopyFileW(utf8.c_str(), folder.File(L"copy2.htm").c_str(), FALSE);
    copy = std::min(copy, Since(start));
  }
  printf("exchange files of %zu KB (write UTF-16, read UTF-8): %.4f s, of which writing %.4f s, reading %.4f s; "
         "CopyFile of the same bytes %.4f s; ratio %.2f (goal <= 3)%s\n",
         page.size() * 2 / 1024, exchange, writing, reading, copy, exchange / copy, same ? "" : " RESULT WRONG");
}

}  // namespace

int wmain() {
  setvbuf(stdout, nullptr, _IONBF, 0);
  platform::ComApartment apartment;
  if (!RegisterEverything()) {
    printf("registering the kernel and Tessiva failed\n");
    return 1;
  }
  for (size_t megabytes : {1, 3, 10}) ExchangeBench(megabytes << 20);

  XpcomHost host;
  if (NS_FAILED(host.Start()) || NS_FAILED(host.LoadComponentLibrary(XpcomHost::ProgramFolder() + L"fervix9.dll"))) {
    printf("loading fervix9.dll failed\n");
    return 3;
  }
  auto component = host.Create<IFervix9_2>(kFervixContractId);
  ComPtr<HostObserver> observer = ComPtr<HostObserver>::Share(new HostObserver());
  PRBool initialised = PR_FALSE;
  if (component) component->Init(observer.Get(), &initialised);
  // Tessiva and the kernel's server are kept running by an object of each:
  // no run pays their start.
  ComPtr<IWebClassCreator> creator;
  ComPtr<IUnknown> kernelServer;
  CoCreateInstance(CLSID_WebClassCreator, nullptr, CLSCTX_LOCAL_SERVER, IID_IWebClassCreator, creator.ReceiveVoid());
  CoCreateInstance(CLSID_NrvaFileTranslator, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, kernelServer.ReceiveVoid());
  ComPtr<IDispatch> object;
  if (creator) creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive());
  auto browser = object.As<INorvaBrowserClass>();
  if (!component || !initialised || !browser || !kernelServer) {
    printf("the plug-in, Tessiva or the kernel's server did not start\n");
    return 3;
  }
  using testsupport::LinuxCpuMeter, testsupport::LinuxProcFolderOf, testsupport::SiblingPath;
  const std::wstring tessivaProc = LinuxProcFolderOf(SiblingPath(L"Tessiva.exe"));
  RoadMeters meters;
  meters.tessiva = LinuxCpuMeter(tessivaProc);
  meters.kernel = LinuxCpuMeter(LinuxProcFolderOf(SiblingPath(L"NrvaKernelServer.exe")));
  meters.wineServer = LinuxCpuMeter(testsupport::WineServerProcFolder(tessivaProc));
  meters.self = LinuxCpuMeter(LinuxProcFolderOf(SiblingPath(L"fervix_page_bench.exe"), false));

  testsupport::TempFolder folder;
  struct Size {
    const char* name;
    size_t bytes;
    int runs;
  };
  for (const Size& size : {Size{"5 MB", 5u << 20, 3}, Size{"1 KB", 1024, 7}}) {
    const std::wstring page = Page(size.bytes);
    const std::wstring source = folder.File(L"source.htm");
    WriteExchangeSource(source, page);
    size_t resultSize = 0;
    PluginSeconds(component.Get(), page, &resultSize);  // a first run warms every cache
    const double kernel = Best(size.runs, [&] { return KernelSeconds(source, folder.File(L"kernel-result.htm")); });
    const double tessiva =
        Best(size.runs, [&] { return TessivaSeconds(browser.Get(), source, folder.File(L"tessiva-result.htm")); });
    double plugin = 1e30;
    RoadShares shares;
    for (int run = 0; run < size.runs; ++run) {
      meters.Start();
      const double seconds = PluginSeconds(component.Get(), page, &resultSize);
      const RoadShares measured = RoadShares::Of(meters);
      if (seconds < 0) {
        plugin = -1;
        break;
      }
      if (seconds < plugin) {
        plugin = seconds;
        shares = measured;
      }
    }
    printf("page of %s, best of %d runs:\n", size.name, size.runs);
    printf("  stand-in kernel on the page file in process: %.3f s\n", kernel);
    printf("  Tessiva's TranslatePage on the same file (its page job with progress): %.3f s\n", tessiva);
    printf("  the same page through fervix9.dll and Tessiva: %.3f s (%zu characters back)\n", plugin, resultSize);
    if (kernel > 0 && plugin > 0) printf("  plug-in against the kernel alone: ratio %.2f (goal <= 1.5)\n", plugin / kernel);
    if (tessiva > 0 && plugin > 0)
      printf("  plug-in against Tessiva's own page job: ratio %.2f (what the plug-in itself adds)\n", plugin / tessiva);
    if (plugin > 0) {
      printf("  processor time of the plug-in's best run, by process:\n");
      PrintShares(shares, plugin);
    }
  }
  return 0;
}
