// Processor time of Tessiva.exe while a file job of about ten seconds runs
// with its progress dialog (TranslateTextWithProgress from this client
// process), against the processor time of the same Tessiva left idle for as
// long. Between the job's events the server should sleep: both near zero.
// Beside Tessiva's share: the stand-in kernel's server, the session's
// wineserver and this client, so that Tessiva's own part of the job's cost
// stands apart. Under Wine, GetProcessTimes of another process answers zero,
// so the times are read from the Linux processes' /proc entries (through the
// Z: drive); the figure of GetProcessTimes is printed beside them.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "ChildProcess.h"
#include "LinuxProcessTimes.h"
#include "ServerProcess.h"
#include "TessivaLib.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

namespace {

using platform::Bstr;
using platform::ComPtr;

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

void SetSwitch(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\NorvaStandIns\\Kernel", name, REG_DWORD, &value, sizeof(value));
  Sleep(15);  // the stand-in looks for changes of its switches every 5 ms
}

double CpuSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::wstring WriteSource(const std::wstring& path) {
  std::wstring body;
  for (int i = 0; i < 100; ++i) body += L"hello world\r\n";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "\xFF\xFE", 2, &written, nullptr);
  WriteFile(file, body.data(), static_cast<DWORD>(body.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return path;
}

}  // namespace

int wmain() {
  setvbuf(stdout, nullptr, _IONBF, 0);
  platform::ComApartment apartment;
  if (!RegisterEverything()) {
    std::printf("Tessiva or the stand-in kernel could not be registered\n");
    return 1;
  }
  SetSwitch(L"NoMessageBoxes", 1);
  ComPtr<IWebClassCreator> creator;
  HRESULT started = ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
  if (FAILED(started)) {
    std::printf("Tessiva did not start (0x%08lX)\n", static_cast<unsigned long>(started));
    return 1;
  }
  ComPtr<IDispatch> object;
  creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive());
  auto browser = object.As<INorvaBrowserClass>();
  const DWORD serverId = testsupport::ServingProcessId(creator.Get());
  HANDLE tessiva = serverId ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, serverId) : nullptr;
  if (!browser || !tessiva) {
    std::printf("no browser object, or no Tessiva.exe serving it\n");
    return 1;
  }

  const std::wstring proc = testsupport::LinuxProcFolderOf(testsupport::SiblingPath(L"Tessiva.exe"));
  if (proc.empty()) {
    std::printf("the Linux process of Tessiva.exe was not found under /proc\n");
    return 1;
  }
  // The same reading of this process against GetProcessTimes, which is real
  // for the calling process: the /proc figures are checked by it.
  const std::wstring own = testsupport::LinuxProcFolderOf(testsupport::SiblingPath(L"tessiva_filejob_bench.exe"), false);
  testsupport::LinuxCpuMeter wineServer(testsupport::WineServerProcFolder(proc));
  testsupport::LinuxCpuMeter client(own);

  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetTempPathW(MAX_PATH, folder.data()));
  const std::wstring source = WriteSource(folder + L"tessiva-bench-source.txt");
  const std::wstring destination = folder + L"tessiva-bench-result.txt";
  // A short job first starts the kernel's server, which the timed job finds running.
  SetSwitch(L"JobStepDelay", 0);
  browser->TranslateTextWithProgress(Bstr(source).Get(), Bstr(destination).Get(), platform::Variant::Missing().Get());
  // The kernel's server started with that job's file translator.
  testsupport::LinuxCpuMeter kernel(testsupport::LinuxProcFolderOf(testsupport::SiblingPath(L"NrvaKernelServer.exe")));
  // The timed job takes about ten seconds: 100 steps, 100 ms apart.
  SetSwitch(L"JobStepDelay", 100);
  double cpuBefore = CpuSeconds(tessiva);
  double procBefore = testsupport::LinuxCpuSeconds(proc);
  kernel.Start();
  wineServer.Start();
  client.Start();
  auto start = std::chrono::steady_clock::now();
  HRESULT hr = browser->TranslateTextWithProgress(Bstr(source).Get(), Bstr(destination).Get(),
                                                  platform::Variant::Missing().Get());
  const double jobWall = Seconds(start);
  const double jobCpu = CpuSeconds(tessiva) - cpuBefore;
  const double jobProc = testsupport::LinuxCpuSeconds(proc) - procBefore;
  const double kernelProc = kernel.Seconds(), wineServerProc = wineServer.Seconds(), clientProc = client.Seconds();
  SetSwitch(L"JobStepDelay", 0);

  // The same server, holding the same objects, doing nothing for as long.
  procBefore = testsupport::LinuxCpuSeconds(proc);
  const double ownProcBefore = testsupport::LinuxCpuSeconds(own);
  const double ownCpuBefore = CpuSeconds(GetCurrentProcess());
  Sleep(static_cast<DWORD>(jobWall * 1000));
  const double idleProc = testsupport::LinuxCpuSeconds(proc) - procBefore;
  // A busy second of this process, measured both ways.
  for (auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
       std::chrono::steady_clock::now() < until;) {
  }
  const double ownProc = testsupport::LinuxCpuSeconds(own) - ownProcBefore;
  const double ownCpu = CpuSeconds(GetCurrentProcess()) - ownCpuBefore;

  std::printf("Tessiva during a file job with progress (0x%08lX): %.2f s passed, %.3f s of processor time "
              "(/proc), ratio %.4f; GetProcessTimes of the other process says %.3f s\n",
              static_cast<unsigned long>(hr), jobWall, jobProc, jobProc / jobWall, jobCpu);
  auto share = [&](const char* name, double seconds) {
    if (seconds < 0)
      std::printf("  %-32s not found under /proc\n", name);
    else
      std::printf("  %-32s %.3f s, %.2f%% of a core\n", name, seconds, 100 * seconds / jobWall);
  };
  std::printf("processor time during the job, by process (goal for Tessiva: under 1%% of a core):\n");
  share("Tessiva.exe", jobProc);
  share("NrvaKernelServer.exe (stand-in)", kernelProc);
  share("wineserver", wineServerProc);
  share("this client", clientProc);
  std::printf("Tessiva idle for as long: %.3f s of processor time (/proc); job against idle: %.3f s more\n",
              idleProc, jobProc - idleProc);
  if (own.empty())
    std::printf("check of the /proc reading: this process was not found under /proc\n");
  else
    std::printf("check of the /proc reading on this process's busy second: /proc %.2f s, GetProcessTimes %.2f s\n",
                ownProc, ownCpu);
  DeleteFileW(source.c_str());
  DeleteFileW(destination.c_str());
  CloseHandle(tessiva);
  return SUCCEEDED(hr) ? 0 : 1;
}
