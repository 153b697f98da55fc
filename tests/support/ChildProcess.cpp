#include "ChildProcess.h"
#include "ServerProcess.h"

#include "TempFolder.h"

#include <sstream>

namespace testsupport {

std::wstring SiblingPath(const std::wstring& fileName) {
  wchar_t self[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  std::wstring path(self);
  return path.substr(0, path.find_last_of(L'\\') + 1) + fileName;
}

ChildProcess::~ChildProcess() {
  if (Running()) Kill();
  CloseHandles();
  if (!outputFile_.empty()) DeleteFileW(outputFile_.c_str());
}

bool ChildProcess::Start(const std::wstring& commandLine) {
  CloseHandles();
  startError_ = 0;
  if (!outputFile_.empty()) DeleteFileW(outputFile_.c_str());
  outputFile_.clear();
  // Records why the start failed, for the test's message.
  auto fail = [this] {
    startError_ = GetLastError();
    if (startError_ == 0) startError_ = ERROR_GEN_FAILURE;
    return false;
  };

  wchar_t folder[MAX_PATH + 1] = {};
  if (GetTempPathW(MAX_PATH, folder) == 0) return fail();
  wchar_t file[MAX_PATH + 1] = {};
  if (GetTempFileNameW(folder, L"out", 0, file) == 0) return fail();
  outputFile_ = file;

  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE out = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return fail();
  HANDLE in = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                          0, nullptr);
  if (in == INVALID_HANDLE_VALUE) {
    fail();
    CloseHandle(out);
    return false;
  }
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi{};
  std::wstring mutableLine = commandLine;
  BOOL ok = CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  if (!ok) fail();
  CloseHandle(out);
  CloseHandle(in);
  if (!ok) return false;
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  id_ = pi.dwProcessId;
  return true;
}

bool ChildProcess::Wait(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_) return false;
  if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  if (exitCode) *exitCode = code;
  return true;
}

void ChildProcess::Kill() {
  if (!process_) return;
  TerminateProcess(process_, 0xDEAD);
  WaitForSingleObject(process_, 5000);
}

bool ChildProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::string ChildProcess::Output() const { return outputFile_.empty() ? std::string() : ReadWholeFile(outputFile_); }

void ChildProcess::CloseHandles() {
  if (process_) CloseHandle(process_);
  process_ = nullptr;
  id_ = 0;
}

ChildResult RunChild(const std::wstring& commandLine, DWORD timeoutMs, bool endItsServers) {
  ChildResult result;
  ChildProcess child;
  result.started = child.Start(commandLine);
  if (!result.started) {
    result.startError = child.StartError();
    return result;
  }
  result.processId = child.Id();
  result.createdAt = ProcessCreationTime(child.Handle());
  if (!child.Wait(timeoutMs, &result.exitCode)) {
    result.timedOut = true;
    child.Kill();
  }
  result.output = child.Output();
  if (endItsServers)
    for (DWORD server : ProcessesStartedBy(child.Id(), result.createdAt)) EndServerAndItsServers(server);
  return result;
}

}  // namespace testsupport
