// winsock2.h comes before windows.h, which the stand-in's header includes.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "VQDServerStandIn.h"

#include <fstream>
#include <sstream>

#include "ChildProcess.h"

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Wine's /proc entry of a Linux process: "pid (name) S ..."; gone or a zombie
// means ended.
bool LinuxProcessAlive(unsigned long pid) {
  if (!pid) return false;
  const std::wstring path = L"Z:\\proc\\" + std::to_wstring(pid) + L"\\stat";
  std::ifstream stat(path.c_str());
  if (!stat) return false;
  std::string line;
  std::getline(stat, line);
  const size_t close = line.rfind(')');
  if (close == std::string::npos || close + 2 >= line.size()) return false;
  return line[close + 2] != 'Z' && line[close + 2] != 'X';
}

void WriteText(const std::wstring& path, const std::string& text) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace

bool RunUnixProgram(const std::wstring& program, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return false;
  if (info.hProcess) CloseHandle(info.hProcess);
  if (info.hThread) CloseHandle(info.hThread);
  return true;
}

std::string VQDServerStandIn::UnixPath(const std::wstring& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  static const auto toUnix =
      reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
  if (!toUnix) return {};
  char* unix = toUnix(windowsPath.c_str());
  if (!unix) return {};
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

std::wstring VQDServerStandIn::Python3() {
  for (const wchar_t* candidate : {L"Z:\\usr\\bin\\python3", L"Z:\\usr\\local\\bin\\python3", L"Z:\\bin\\python3"}) {
    if (GetFileAttributesW(candidate) != INVALID_FILE_ATTRIBUTES) return candidate;
  }
  return {};
}

unsigned VQDServerStandIn::FreePort() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
  unsigned port = 0;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s != INVALID_SOCKET) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
      port = ntohs(address.sin_port);
    closesocket(s);
  }
  WSACleanup();
  return port;
}

bool VQDServerStandIn::Start(DWORD timeoutMs) {
  const std::wstring python = Python3();
  if (python.empty()) {
    error_ = "no python3 under /usr/bin or /usr/local/bin";
    return false;
  }
  const std::wstring script = testsupport::SiblingPath(L"vqd-server\\vqd_server.py");
  const std::wstring data = testsupport::SiblingPath(L"kernel-data");
  const std::wstring extra = testsupport::SiblingPath(L"vqd-server\\templates.txt");
  const std::wstring ready = folder_.File(L"ready.txt");
  SetSwitches("{}");
  ClearRequests();
  port_ = FreePort();
  if (!port_) {
    error_ = "no free port";
    return false;
  }
  auto quoted = [](const std::string& path) { return L"\"" + Widen(path) + L"\""; };
  std::wstring arguments = L"-u " + quoted(UnixPath(script)) + L" --port " + std::to_wstring(port_) + L" --data " +
                           quoted(UnixPath(data)) + L" --extra " + quoted(UnixPath(extra)) + L" --switches " +
                           quoted(UnixPath(folder_.File(L"switches.json"))) + L" --log " +
                           quoted(UnixPath(folder_.File(L"requests.log"))) + L" --ready " + quoted(UnixPath(ready));
  if (!RunUnixProgram(python, arguments)) {
    error_ = "python3 could not be started";
    return false;
  }
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < deadline) {
    std::ifstream in(ready.c_str());
    unsigned long pid = 0;
    unsigned port = 0;
    if (in >> pid >> port) {
      pid_ = pid;
      return true;
    }
    Sleep(50);
  }
  error_ = "the server did not report that it listens";
  return false;
}

bool VQDServerStandIn::Running() const { return LinuxProcessAlive(pid_); }

bool VQDServerStandIn::Stop(DWORD timeoutMs) {
  if (!pid_) return true;
  const std::wstring pid = std::to_wstring(pid_);
  RunUnixProgram(L"Z:\\bin\\kill", L"-TERM " + pid);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (LinuxProcessAlive(pid_) && GetTickCount64() < deadline) Sleep(20);
  if (LinuxProcessAlive(pid_)) {
    RunUnixProgram(L"Z:\\bin\\kill", L"-KILL " + pid);
    const ULONGLONG last = GetTickCount64() + 2000;
    while (LinuxProcessAlive(pid_) && GetTickCount64() < last) Sleep(20);
  }
  const bool gone = !LinuxProcessAlive(pid_);
  pid_ = 0;
  return gone;
}

std::wstring VQDServerStandIn::UrlBase() const { return L"http://127.0.0.1:" + std::to_wstring(port_) + L"/vqd"; }

void VQDServerStandIn::SetSwitches(const std::string& json) { WriteText(folder_.File(L"switches.json"), json); }

std::vector<std::string> VQDServerStandIn::Requests() const {
  std::vector<std::string> lines;
  std::ifstream in(folder_.File(L"requests.log").c_str(), std::ios::binary);
  std::string line;
  while (std::getline(in, line))
    if (!line.empty()) lines.push_back(line);
  return lines;
}

void VQDServerStandIn::ClearRequests() { WriteText(folder_.File(L"requests.log"), ""); }
