#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "TempFolder.h"

// The stand-in translation server (standins/server/vqd_server.py) run by
// the Linux python3 for one test program: started on a free port picked
// here, its switches written to a file it reads at every request, its
// request log read back, and stopped by its process id with a time-out.
class VQDServerStandIn {
 public:
  VQDServerStandIn() = default;
  ~VQDServerStandIn() { Stop(); }
  VQDServerStandIn(const VQDServerStandIn&) = delete;
  VQDServerStandIn& operator=(const VQDServerStandIn&) = delete;

  // True once the server listens; Error() says why not.
  bool Start(DWORD timeoutMs = 30000);
  // Ends the process (SIGTERM, then SIGKILL after the wait); true when gone.
  bool Stop(DWORD timeoutMs = 10000);
  bool Running() const;

  const std::string& Error() const { return error_; }
  unsigned Port() const { return port_; }
  unsigned long Pid() const { return pid_; }
  // The address the connectors are given: http://127.0.0.1:port/vqd
  std::wstring UrlBase() const;

  // The switches as JSON text ("{}": none).
  void SetSwitches(const std::string& json);
  // One JSON object per request, oldest first.
  std::vector<std::string> Requests() const;
  void ClearRequests();

  // A port nobody listens on at the moment of asking.
  static unsigned FreePort();
  // The Unix path of a Windows path (Wine's own conversion).
  static std::string UnixPath(const std::wstring& windowsPath);
  // The python3 this machine has, as a Windows path; empty when none.
  static std::wstring Python3();

 private:
  testsupport::TempFolder folder_;
  std::string error_;
  unsigned port_ = 0;
  unsigned long pid_ = 0;
};

// Runs a Unix program with its arguments (Wine starts it; no handle comes back).
bool RunUnixProgram(const std::wstring& program, const std::wstring& arguments);
