#include "TessivaServer.h"

#include <tlhelp32.h>

#include "ChildProcess.h"

namespace tessivaserver {

std::wstring ProgramPath() { return testsupport::SiblingPath(L"Tessiva.exe"); }

DWORD Run(const std::wstring& argument, DWORD timeoutMs) {
  testsupport::ChildResult r = testsupport::RunChild(L"\"" + ProgramPath() + L"\" " + argument, timeoutMs);
  if (!r.started || r.timedOut) return ~0u;
  return r.exitCode;
}

std::vector<DWORD> RunningServers() {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry = {sizeof(entry)};
  for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"Tessiva.exe") == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

namespace {

void PostQuitToThreadsOf(DWORD processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  THREADENTRY32 entry = {sizeof(entry)};
  for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == processId) PostThreadMessageW(entry.th32ThreadID, WM_QUIT, 0, 0);
  }
  CloseHandle(snapshot);
}

}  // namespace

void EndServers() {
  for (DWORD id : RunningServers()) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    PostQuitToThreadsOf(id);
    if (WaitForSingleObject(process, 15000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }
}

void KillServersInFinalPause() {
  for (DWORD id : RunningServers()) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    PostQuitToThreadsOf(id);
    // The final pause lasts 1000 ms; revoking takes a few.
    Sleep(400);
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }
}

}  // namespace tessivaserver
