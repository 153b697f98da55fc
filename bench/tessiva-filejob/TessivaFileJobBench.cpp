// Processor time of Tessiva.exe while a file job of about ten seconds runs
// with its progress dialog (TranslateTextWithProgress from this client
// process), against the processor time of the same Tessiva left idle for as
// long. Between the job's events the server should sleep: both near zero.
// Under Wine, GetProcessTimes of another process answers zero, so the times
// are read from the Linux process's /proc entry (through the Z: drive); the
// figure of GetProcessTimes is printed beside them.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwctype>
#include <sstream>
#include <string>
#include <vector>

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

// The whole content of a file that reports no size (/proc).
std::string ReadAll(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) content.append(buffer, read);
  CloseHandle(file);
  return content;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Utf8(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// The /proc folder (as a Windows path) of the Linux process that runs the
// program: its command line names the program's path (in its Windows or its
// Linux spelling) and its short name is the start of the program's file
// name, which leaves out launchers such as timeout. Empty unless exactly one.
// (Z:\proc\self would not do: Wine opens files in its server process.)
// Without wholePath, the file name in the command line is enough (a program
// started from a shell by its bare name).
std::wstring ProcFolderOf(const std::wstring& program, bool wholePath = true) {
  std::string windowsPath = Lower(Utf8(program));
  std::string linuxPath = windowsPath.size() > 2 && windowsPath[1] == ':' ? windowsPath.substr(2) : windowsPath;
  for (char& c : linuxPath) if (c == '\\') c = '/';
  const std::string fileName = windowsPath.substr(windowsPath.find_last_of('\\') + 1);
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return {};
  do {
    if (!iswdigit(entry.cFileName[0])) continue;
    const std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName;
    const std::string line = Lower(ReadAll(folder + L"\\cmdline"));
    const bool named = wholePath ? line.find(windowsPath) != std::string::npos || line.find(linuxPath) != std::string::npos
                                 : line.find(fileName) != std::string::npos;
    if (!named) continue;
    const std::string stat = Lower(ReadAll(folder + L"\\stat"));
    const size_t open = stat.find('('), close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close <= open + 1) continue;
    if (fileName.compare(0, close - open - 1, stat, open + 1, close - open - 1) != 0) continue;
    found.push_back(folder);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return found.size() == 1 ? found.front() : std::wstring();
}

// User and system time of a Linux process from its /proc stat (fields 14 and
// 15, in clock ticks of 1/100 s); -1 when unreadable.
double ProcCpuSeconds(const std::wstring& folder) {
  const std::string stat = ReadAll(folder + L"\\stat");
  const size_t end = stat.rfind(')');
  if (end == std::string::npos) return -1;
  std::istringstream fields(stat.substr(end + 2));
  std::string field;
  unsigned long long user = 0, system = 0;
  // After the name: state (3) ... utime is the 14th field of the line.
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) user = std::stoull(field);
    if (i == 15) system = std::stoull(field);
  }
  return (user + system) / 100.0;
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

  const std::wstring proc = ProcFolderOf(testsupport::SiblingPath(L"Tessiva.exe"));
  if (proc.empty()) {
    std::printf("the Linux process of Tessiva.exe was not found under /proc\n");
    return 1;
  }
  // The same reading of this process against GetProcessTimes, which is real
  // for the calling process: the /proc figures are checked by it.
  const std::wstring own = ProcFolderOf(testsupport::SiblingPath(L"tessiva_filejob_bench.exe"), false);

  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetTempPathW(MAX_PATH, folder.data()));
  const std::wstring source = WriteSource(folder + L"tessiva-bench-source.txt");
  const std::wstring destination = folder + L"tessiva-bench-result.txt";
  // About ten seconds: 100 steps, 100 ms apart.
  SetSwitch(L"JobStepDelay", 100);
  double cpuBefore = CpuSeconds(tessiva);
  double procBefore = ProcCpuSeconds(proc);
  auto start = std::chrono::steady_clock::now();
  HRESULT hr = browser->TranslateTextWithProgress(Bstr(source).Get(), Bstr(destination).Get(),
                                                  platform::Variant::Missing().Get());
  const double jobWall = Seconds(start);
  const double jobCpu = CpuSeconds(tessiva) - cpuBefore;
  const double jobProc = ProcCpuSeconds(proc) - procBefore;
  SetSwitch(L"JobStepDelay", 0);

  // The same server, holding the same objects, doing nothing for as long.
  procBefore = ProcCpuSeconds(proc);
  const double ownProcBefore = ProcCpuSeconds(own);
  const double ownCpuBefore = CpuSeconds(GetCurrentProcess());
  Sleep(static_cast<DWORD>(jobWall * 1000));
  const double idleProc = ProcCpuSeconds(proc) - procBefore;
  // A busy second of this process, measured both ways.
  for (auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
       std::chrono::steady_clock::now() < until;) {
  }
  const double ownProc = ProcCpuSeconds(own) - ownProcBefore;
  const double ownCpu = CpuSeconds(GetCurrentProcess()) - ownCpuBefore;

  std::printf("Tessiva during a file job with progress (0x%08lX): %.2f s passed, %.3f s of processor time "
              "(/proc), ratio %.4f; GetProcessTimes of the other process says %.3f s\n",
              static_cast<unsigned long>(hr), jobWall, jobProc, jobProc / jobWall, jobCpu);
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
