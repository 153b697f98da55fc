#pragma once
#include <windows.h>
#include <unknwn.h>

#include <vector>

// Local servers that COM started for a test, known by process id: the server
// behind a proxy the test holds, or a process that one of the test's own
// processes started. A server is ended the way a session end does it
// (WM_QUIT to its threads), so that it revokes its class objects: Wine keeps
// the registration of a killed server's class objects, and no later client of
// the session could start it.
namespace testsupport {

// Id of the process that serves the proxy, 0 when the object is not a proxy
// of a local server. COM names it in the object's marshalled reference (Wine
// puts the serving process id in the interface pointer id). The reference is
// made table-weak for the interface the proxy already has, so that it takes
// no reference on the server and makes no call to it.
DWORD ServingProcessId(IUnknown* object, REFIID iid);
template <class I>
DWORD ServingProcessId(I* object) {
  return ServingProcessId(object, __uuidof(I));
}

// Ids of the running processes that the process started: the local servers
// COM started for it as their client. A process names its parent by id only,
// and an id is given again once its process is gone: a process older than
// the parent was started by an earlier holder of the id and is not listed
// (under Wine, the session's services name a parent long gone, whose id a
// test program may get; ended as "its servers", they took Wine's COM service
// with them). Nothing is listed when no process holds the id any more.
std::vector<DWORD> ProcessesStartedBy(DWORD parentId);
// The same for a parent known by its creation time (ProcessCreationTime),
// which may have ended since: a child process that started servers.
std::vector<DWORD> ProcessesStartedBy(DWORD parentId, ULONGLONG parentCreated);
// When the process was created (FILETIME units), 0 when it cannot be read.
ULONGLONG ProcessCreationTime(HANDLE process);

// One server process, held by its handle so that its id is not reused while
// the test looks at it. Move-only.
class ServerProcess {
 public:
  ServerProcess() = default;
  explicit ServerProcess(DWORD id);
  ~ServerProcess();
  ServerProcess(ServerProcess&& other) noexcept;
  ServerProcess& operator=(ServerProcess&& other) noexcept;
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  explicit operator bool() const { return handle_ != nullptr; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return handle_; }
  bool Running() const;
  // True when the process ended within timeoutMs.
  bool WaitForEnd(DWORD timeoutMs) const;
  // Ends the process and waits until it is gone; killed if it does not end
  // within waitMs.
  void End(DWORD waitMs = 15000);
  // Ends its loop and kills it after pauseMs: for a server whose final pause
  // begins when its loop ends. The servers it had started, no longer its
  // children once it is gone, are ended by EndServersOfThisProcess.
  void KillAfterLoopEnd(DWORD pauseMs);

 private:
  void PostQuitToThreads() const;

  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// Ends the server, then the servers it started (a server ended lets its own
// servers' objects go; they are ended in turn, leaves last).
void EndServerAndItsServers(DWORD id, DWORD waitMs = 15000);

// Ends every server that this test process started, with the servers those
// started (also those of a server the test killed).
void EndServersOfThisProcess(DWORD waitMs = 15000);

// Ids of the servers left behind by a server the test killed, still running.
std::vector<DWORD> OrphanedServers();

}  // namespace testsupport
