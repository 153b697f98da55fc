#include "HookLog.h"

#include <windows.h>

#include "ChildProcess.h"
#include "TempFolder.h"

namespace hooklog {

// Where the hook stand-in writes it: the user's temporary folder.
std::wstring Path() {
  wchar_t folder[MAX_PATH + 1] = {};
  DWORD n = GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder, n <= MAX_PATH ? n : 0) + L"NorvaBrowserHook.log";
}

void Clear() { DeleteFileW(Path().c_str()); }

std::vector<std::string> Calls() {
  std::vector<std::string> calls;
  std::string text = testsupport::ReadWholeFile(Path());
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    size_t pid = line.find(" pid=");
    if (pid != std::string::npos) line.erase(pid);
    if (!line.empty()) calls.push_back(line);
    start = end + 1;
  }
  return calls;
}

}  // namespace hooklog
