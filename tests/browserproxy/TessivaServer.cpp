#include "TessivaServer.h"

#include "ChildProcess.h"
#include "ServerProcess.h"

namespace tessivaserver {

namespace {
constexpr wchar_t kProgram[] = L"Tessiva.exe";
}

std::wstring ProgramPath() { return testsupport::SiblingPath(kProgram); }

DWORD Run(const std::wstring& argument, DWORD timeoutMs) {
  testsupport::ChildResult r = testsupport::RunChild(L"\"" + ProgramPath() + L"\" " + argument, timeoutMs);
  if (!r.started || r.timedOut) return ~0u;
  return r.exitCode;
}

std::vector<DWORD> RunningServers() { return testsupport::ProcessesStartedBy(GetCurrentProcessId()); }

void EndServers() { testsupport::EndServersOfThisProcess(); }

// The final pause lasts 1000 ms; revoking the class objects takes a few.
void KillServersInFinalPause() {
  for (DWORD id : RunningServers()) testsupport::ServerProcess(id).KillAfterLoopEnd(400);
}

}  // namespace tessivaserver
