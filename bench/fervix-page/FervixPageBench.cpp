// A page of about 5 MB translated through the Firefox plug-in (exchange
// files, Tessiva's page job, the stand-in kernel) against the stand-in
// kernel's file translator translating the same page file in this process;
// and the exchange's own file work (writing the source, reading the UTF-8
// result) against CopyFile of the same bytes. Prints both ratios.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "ChildProcess.h"
#include "HostObserver.h"
#include "HtmlDocument.h"
#include "KelVarLib.h"
#include "TessivaLib.h"
#include "platform/com/Bstr.h"
#include "KernelObjects.h"
#include "NorvaKernel.h"
#include "TempFolder.h"
#include "XpcomHost.h"
#include "firefox/ExchangeFiles.h"
#include "firefox/FervixInterfaces.h"
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
double TessivaSeconds(const std::wstring& source, const std::wstring& destination) {
  ComPtr<IWebClassCreator> creator;
  if (FAILED(CoCreateInstance(CLSID_WebClassCreator, nullptr, CLSCTX_LOCAL_SERVER, IID_IWebClassCreator,
                              creator.ReceiveVoid())))
    return -1;
  ComPtr<IDispatch> object;
  creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive());
  auto browser = object.As<INorvaBrowserClass>();
  if (!browser) return -1;
  auto start = Clock::now();
  HRESULT hr = browser->TranslatePage(platform::Bstr(L"http://example.test/").Get(), platform::Bstr(source).Get(),
                                      platform::Bstr(destination).Get());
  double seconds = Since(start);
  return hr == S_OK ? seconds : -1;
}

// The plug-in's time: TranslateFrame, which runs Tessiva's page job by name.
double PluginSeconds(XpcomHost& host, const std::wstring& page, size_t* resultSize) {
  auto component = host.Create<IFervix9_2>(kFervixContractId);
  if (!component) return -1;
  ComPtr<HostObserver> observer = ComPtr<HostObserver>::Share(new HostObserver());
  PRBool ok = PR_FALSE;
  component->Init(observer.Get(), &ok);
  if (!ok) return -1;
  ComPtr<HtmlDocument> document = ComPtr<HtmlDocument>::Share(new HtmlDocument(page));
  XpString url(L"http://example.test/big.html"), templateId(L"GENERAL"), result;
  auto start = Clock::now();
  component->TranslateFrame(document->ScriptObject(), url, result, 0x00020001, templateId, &ok);
  double seconds = Since(start);
  *resultSize = result.Str().size();
  return ok ? seconds : -1;
}

}  // namespace

int wmain() {
  platform::ComApartment apartment;
  if (!RegisterEverything()) {
    printf("registering the kernel and Tessiva failed\n");
    return 1;
  }
  const std::wstring page = Page(5 << 20);
  testsupport::TempFolder folder;

  // The exchange's file work against CopyFile of the same bytes.
  const std::wstring source = folder.File(L"source.htm");
  const std::wstring utf8 = folder.File(L"result.htm");
  {
    std::string bytes;
    int size = WideCharToMultiByte(CP_UTF8, 0, page.data(), static_cast<int>(page.size()), nullptr, 0, nullptr, nullptr);
    bytes.resize(size);
    WideCharToMultiByte(CP_UTF8, 0, page.data(), static_cast<int>(page.size()), bytes.data(), size, nullptr, nullptr);
    folder.WriteFile(L"result.htm", bytes);
  }
  double exchange = 1e9, copy = 1e9, writing = 1e9, reading = 1e9;
  for (int round = 0; round < 5; ++round) {
    auto start = Clock::now();
    WriteExchangeSource(source, page);
    writing = std::min(writing, Since(start));
    auto middle = Clock::now();
    auto read = ReadPageResult(utf8);
    reading = std::min(reading, Since(middle));
    exchange = std::min(exchange, Since(start));
    start = Clock::now();
    CopyFileW(source.c_str(), folder.File(L"copy1.htm").c_str(), FALSE);
    CopyFileW(utf8.c_str(), folder.File(L"copy2.htm").c_str(), FALSE);
    copy = std::min(copy, Since(start));
    if (!read) return 2;
  }
  printf("exchange files (write %zu KB UTF-16, read UTF-8): %.4f s; CopyFile of the same bytes: %.4f s; ratio %.2f (goal <= 3)\n",
         page.size() * 2 / 1024, exchange, copy, exchange / copy);

  printf("  of which writing the source %.4f s, reading the result %.4f s\n", writing, reading);

  XpcomHost host;
  if (NS_FAILED(host.Start()) || NS_FAILED(host.LoadComponentLibrary(XpcomHost::ProgramFolder() + L"fervix9.dll"))) {
    printf("loading fervix9.dll failed\n");
    return 3;
  }
  double kernel = KernelSeconds(source, folder.File(L"kernel-result.htm"));
  size_t resultSize = 0;
  double plugin = PluginSeconds(host, page, &resultSize);
  double tessiva = TessivaSeconds(source, folder.File(L"tessiva-result.htm"));
  printf("stand-in kernel on the page file in process: %.3f s\n", kernel);
  printf("Tessiva's TranslatePage on the same file (its page job with progress): %.3f s\n", tessiva);
  printf("the same page through fervix9.dll and Tessiva: %.3f s (%zu characters back)\n", plugin, resultSize);
  if (kernel > 0 && plugin > 0) printf("plug-in against the kernel alone: ratio %.2f (goal <= 1.2)\n", plugin / kernel);
  if (tessiva > 0 && plugin > 0)
    printf("plug-in against Tessiva's own page job: ratio %.2f (what the plug-in itself adds)\n", plugin / tessiva);
  return 0;
}
