#include "ServerProcess.h"

#include <tlhelp32.h>

namespace testsupport {

namespace {

struct Snapshot {
  explicit Snapshot(DWORD what) : handle(CreateToolhelp32Snapshot(what, 0)) {}
  ~Snapshot() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  Snapshot(const Snapshot&) = delete;
  Snapshot& operator=(const Snapshot&) = delete;
  HANDLE handle;
};

void PostQuitToThreadsOf(DWORD processId) {
  Snapshot snapshot(TH32CS_SNAPTHREAD);
  if (snapshot.handle == INVALID_HANDLE_VALUE) return;
  THREADENTRY32 entry = {sizeof(entry)};
  for (BOOL ok = Thread32First(snapshot.handle, &entry); ok; ok = Thread32Next(snapshot.handle, &entry)) {
    if (entry.th32OwnerProcessID == processId) PostThreadMessageW(entry.th32ThreadID, WM_QUIT, 0, 0);
  }
}

template <class EndOne>
void ForEachProcess(const wchar_t* program, EndOne endOne) {
  for (DWORD id : ProcessesNamed(program)) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    PostQuitToThreadsOf(id);
    endOne(process);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }
}

}  // namespace

std::vector<DWORD> ProcessesNamed(const wchar_t* program) {
  std::vector<DWORD> ids;
  Snapshot snapshot(TH32CS_SNAPPROCESS);
  if (snapshot.handle == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry = {sizeof(entry)};
  for (BOOL ok = Process32FirstW(snapshot.handle, &entry); ok; ok = Process32NextW(snapshot.handle, &entry)) {
    if (_wcsicmp(entry.szExeFile, program) == 0) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

void EndProcessesNamed(const wchar_t* program, DWORD waitMs) {
  ForEachProcess(program, [waitMs](HANDLE process) {
    if (WaitForSingleObject(process, waitMs) != WAIT_OBJECT_0) TerminateProcess(process, 1);
  });
}

void KillProcessesAfterLoopEnd(const wchar_t* program, DWORD pauseMs) {
  ForEachProcess(program, [pauseMs](HANDLE process) {
    Sleep(pauseMs);
    TerminateProcess(process, 1);
  });
}

}  // namespace testsupport
