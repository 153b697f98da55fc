#pragma once
#include <windows.h>
#include <objbase.h>

#include <span>

#include "platform/com/ComPtr.h"

namespace platform {

// One class that a local server offers.
struct LocalServerClass {
  const CLSID* clsid = nullptr;
  ComPtr<IClassFactory> factory;
  DWORD use = REGCLS_MULTIPLEUSE;  // or REGCLS_SINGLEUSE
};

struct LocalServerTimes {
  // Quiet time after the module's lock count fell to zero before the server
  // ends (ShutdownMonitor).
  DWORD idleMs = 5000;
  // After the class objects are withdrawn, the apartment keeps dispatching
  // this long so that calls which raced with the end can finish.
  DWORD drainMs = 1000;
  // The quiet time runs from the start too: a server that COM started for a
  // client that never came ends as well.
  bool armedAtStart = true;
};

// Serves the classes on the calling thread, which must be a single-threaded
// apartment, until the server has been idle for times.idleMs or a WM_QUIT
// comes from outside (a session end). Then it gives up its server-process
// reference (CoReleaseServerProcess: COM sends new activations to a new
// server), withdraws the class objects and keeps dispatching for
// times.drainMs, never sleeping. When a client got an object in the
// meantime after an idle end, the classes are offered again and the server
// goes on. Answers the first failure to offer a class, else S_OK.
HRESULT RunLocalServer(std::span<LocalServerClass> classes, const LocalServerTimes& times);

// Dispatches this thread's messages for ms milliseconds, waking for every
// message; WM_QUIT is dropped.
void PumpMessagesFor(DWORD ms);

}  // namespace platform
