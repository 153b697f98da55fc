#pragma once
#include <windows.h>

#include <string>

namespace testsupport {

// Full path of a program or library built beside the running test program.
std::wstring SiblingPath(const std::wstring& fileName);

// A child process of the test, started in the same Wine prefix, with its
// standard output and error captured in a file (pipes would be held open by
// Wine). The destructor ends a child that is still running.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts the command line; false when the process could not be created
  // (StartError() then says why).
  bool Start(const std::wstring& commandLine);
  // The system error of the last failed Start, 0 after a good one.
  DWORD StartError() const { return startError_; }
  // Waits up to timeoutMs; true when the child ended (its exit code stored).
  bool Wait(DWORD timeoutMs, DWORD* exitCode = nullptr);
  void Kill();
  bool Running() const;
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  // What the child wrote to its standard output and error so far.
  std::string Output() const;

 private:
  void CloseHandles();

  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  std::wstring outputFile_;
  DWORD startError_ = 0;
};

struct ChildResult {
  bool started = false;
  DWORD startError = 0;  // GetLastError of the failed start
  bool timedOut = false;
  DWORD exitCode = 0;
  DWORD processId = 0;  // the child's id, for the servers it started
  ULONGLONG createdAt = 0;  // its creation time: ProcessesStartedBy(processId, createdAt)
  std::string output;
};

// Starts a command line, waits at most timeoutMs and ends the child if it
// is still running then. With endItsServers, the local servers COM started for
// the child (a script client's Tessiva, say) are ended too: idling out, they
// would otherwise serve the next test's clients.
ChildResult RunChild(const std::wstring& commandLine, DWORD timeoutMs, bool endItsServers = false);

}  // namespace testsupport
