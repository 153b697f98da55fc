#include "HookCallLog.h"

#include <fstream>
#include <sstream>

namespace hookstandin {

std::wstring LogPath() {
  wchar_t folder[MAX_PATH + 1] = {};
  DWORD n = GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder, n <= MAX_PATH ? n : 0) + L"NorvaBrowserHook.log";
}

void AppendLine(const std::string& line) {
  // Opened per line so that two processes appending never keep the file locked.
  std::ofstream out(LogPath().c_str(), std::ios::app | std::ios::binary);
  out << line << " pid=" << GetCurrentProcessId() << "\n";
}

std::vector<std::string> ReadLines() {
  std::vector<std::string> lines;
  std::ifstream in(LogPath().c_str(), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

LONG BoundWindow(LONG browserType) {
  LONG bound = 0;
  for (const std::string& line : ReadLines()) {
    std::istringstream words(line);
    std::string call;
    LONG type = 0;
    words >> call >> type;
    if (!words || type != browserType) continue;
    if (call == "SetBrowserHook") {
      LONG window = 0;
      if (words >> window) bound = window;
    } else if (call == "UnSetBrowserHook") {
      bound = 0;
    }
  }
  return bound;
}

}  // namespace hookstandin
