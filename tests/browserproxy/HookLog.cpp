#include "HookLog.h"

#include <windows.h>

#include "ChildProcess.h"
#include "TempFolder.h"

namespace hooklog {

std::wstring Path() { return testsupport::SiblingPath(L"NorvaBrowserHook.log"); }

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
