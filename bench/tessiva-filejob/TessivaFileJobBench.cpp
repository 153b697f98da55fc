// Processor time of Tessiva.exe while a file job of about ten seconds runs
// with its progress dialog (TranslateTextWithProgress from this client
// process), against the processor time of the same Tessiva left idle for as
// long. Between the job's events the server should sleep: both near zero.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "ChildProcess.h"
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

  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetTempPathW(MAX_PATH, folder.data()));
  const std::wstring source = WriteSource(folder + L"tessiva-bench-source.txt");
  const std::wstring destination = folder + L"tessiva-bench-result.txt";
  // About ten seconds: 100 steps, 100 ms apart.
  SetSwitch(L"JobStepDelay", 100);
  double cpuBefore = CpuSeconds(tessiva);
  auto start = std::chrono::steady_clock::now();
  HRESULT hr = browser->TranslateTextWithProgress(Bstr(source).Get(), Bstr(destination).Get(),
                                                  platform::Variant::Missing().Get());
  const double jobWall = Seconds(start);
  const double jobCpu = CpuSeconds(tessiva) - cpuBefore;
  SetSwitch(L"JobStepDelay", 0);

  // The same server, holding the same objects, doing nothing for as long.
  cpuBefore = CpuSeconds(tessiva);
  Sleep(static_cast<DWORD>(jobWall * 1000));
  const double idleCpu = CpuSeconds(tessiva) - cpuBefore;

  std::printf("Tessiva during a file job with progress (0x%08lX): %.2f s passed, %.3f s of processor time, "
              "ratio %.4f\n",
              static_cast<unsigned long>(hr), jobWall, jobCpu, jobCpu / jobWall);
  std::printf("Tessiva idle for as long: %.3f s of processor time; job against idle: %.3f s more\n", idleCpu,
              jobCpu - idleCpu);
  DeleteFileW(source.c_str());
  DeleteFileW(destination.c_str());
  CloseHandle(tessiva);
  return SUCCEEDED(hr) ? 0 : 1;
}
