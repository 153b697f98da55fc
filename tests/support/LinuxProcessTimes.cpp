#include "LinuxProcessTimes.h"

#include <windows.h>

#include <cwctype>
#include <sstream>
#include <vector>

namespace testsupport {

namespace {

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

// The short name of a Linux process: between the parentheses of its stat.
std::string ShortName(const std::wstring& folder) {
  const std::string stat = ReadAll(folder + L"\\stat");
  const size_t open = stat.find('('), close = stat.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close <= open) return {};
  return stat.substr(open + 1, close - open - 1);
}

// The /proc folders of every process that `wanted` accepts.
template <class Wanted>
std::vector<std::wstring> ProcFolders(Wanted&& wanted) {
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    if (!iswdigit(entry.cFileName[0])) continue;
    const std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName;
    if (wanted(folder)) found.push_back(folder);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return found;
}

// The value of WINEPREFIX in the process's environment ("" when unset).
std::string WinePrefixOf(const std::wstring& folder) {
  const std::string environment = ReadAll(folder + L"\\environ");
  const std::string name = "WINEPREFIX=";
  for (size_t at = 0; at < environment.size();) {
    const size_t end = environment.find('\0', at);
    const size_t stop = end == std::string::npos ? environment.size() : end;
    if (environment.compare(at, name.size(), name) == 0) return environment.substr(at + name.size(), stop - at - name.size());
    at = stop + 1;
  }
  return {};
}

}  // namespace

std::wstring LinuxProcFolderOf(const std::wstring& program, bool wholePath) {
  const std::string windowsPath = Lower(Utf8(program));
  std::string linuxPath = windowsPath.size() > 2 && windowsPath[1] == ':' ? windowsPath.substr(2) : windowsPath;
  for (char& c : linuxPath)
    if (c == '\\') c = '/';
  const std::string fileName = windowsPath.substr(windowsPath.find_last_of('\\') + 1);
  auto found = ProcFolders([&](const std::wstring& folder) {
    const std::string line = Lower(ReadAll(folder + L"\\cmdline"));
    const bool named = wholePath ? line.find(windowsPath) != std::string::npos || line.find(linuxPath) != std::string::npos
                                 : line.find(fileName) != std::string::npos;
    if (!named) return false;
    const std::string name = Lower(ShortName(folder));
    return !name.empty() && fileName.compare(0, name.size(), name) == 0;
  });
  return found.size() == 1 ? found.front() : std::wstring();
}

std::wstring WineServerProcFolder(const std::wstring& sessionMember) {
  if (sessionMember.empty()) return {};
  const std::string prefix = WinePrefixOf(sessionMember);
  auto found = ProcFolders([&](const std::wstring& folder) {
    // "wineserver64" on a 64-bit installation.
    return ShortName(folder).rfind("wineserver", 0) == 0 && WinePrefixOf(folder) == prefix;
  });
  return found.size() == 1 ? found.front() : std::wstring();
}

double LinuxCpuSeconds(const std::wstring& procFolder) {
  if (procFolder.empty()) return -1;
  const std::string stat = ReadAll(procFolder + L"\\stat");
  const size_t end = stat.rfind(')');
  if (end == std::string::npos) return -1;
  std::istringstream fields(stat.substr(end + 2));
  std::string field;
  unsigned long long user = 0, system = 0;
  // After the name: state is the 3rd field of the line, utime the 14th, stime the 15th.
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) user = std::stoull(field);
    if (i == 15) system = std::stoull(field);
  }
  return (user + system) / 100.0;
}

double LinuxCpuMeter::Seconds() const {
  if (folder_.empty() || start_ < 0) return -1;
  const double now = LinuxCpuSeconds(folder_);
  return now < 0 ? -1 : now - start_;
}

double OwnCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

}  // namespace testsupport
