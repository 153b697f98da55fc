#include "platform/com/LocalServer.h"

#include <algorithm>
#include <vector>

#include "platform/com/ClassObjectRegistration.h"
#include "platform/com/ModuleLock.h"
#include "platform/com/ShutdownMonitor.h"

namespace platform {

namespace {

// The class objects, registered suspended and then resumed at once, so that
// no client reaches one class before the others exist. Holds one
// server-process reference while it offers them.
class OfferedClasses {
 public:
  explicit OfferedClasses(std::span<LocalServerClass> classes) : classes_(classes) {}
  ~OfferedClasses() {
    Withdraw();
    ReleaseHeld();
  }
  OfferedClasses(const OfferedClasses&) = delete;
  OfferedClasses& operator=(const OfferedClasses&) = delete;

  HRESULT Offer() {
    CoAddRefServerProcess();
    holdsProcess_ = true;
    registrations_.resize(classes_.size());
    for (size_t i = 0; i < classes_.size(); ++i) {
      if (!classes_[i].clsid) return E_INVALIDARG;
      HRESULT hr = registrations_[i].Register(*classes_[i].clsid, classes_[i].factory.Get(), CLSCTX_LOCAL_SERVER,
                                              classes_[i].use | REGCLS_SUSPENDED);
      if (FAILED(hr)) return hr;
    }
    return CoResumeClassObjects();
  }

  // Gives up the process reference first: when it was the last, COM stops
  // handing out these class objects. Then revokes them, but keeps each class
  // object reachable until ReleaseHeld: a client that was handed one just
  // before the revocation can still create its object.
  void Withdraw() noexcept {
    if (holdsProcess_) CoReleaseServerProcess();
    holdsProcess_ = false;
    if (registrations_.empty()) return;
    for (LocalServerClass& c : classes_) {
      ComPtr<IStream> stream;
      if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()))) continue;
      if (SUCCEEDED(CoMarshalInterface(stream.Get(), IID_IUnknown, c.factory.Get(), MSHCTX_LOCAL, nullptr,
                                       MSHLFLAGS_TABLESTRONG)))
        held_.push_back(std::move(stream));
    }
    registrations_.clear();
  }

  void ReleaseHeld() noexcept {
    for (ComPtr<IStream>& stream : held_) {
      LARGE_INTEGER start{};
      stream->Seek(start, STREAM_SEEK_SET, nullptr);
      CoReleaseMarshalData(stream.Get());
    }
    held_.clear();
  }

 private:
  std::span<LocalServerClass> classes_;
  std::vector<ClassObjectRegistration> registrations_;
  std::vector<ComPtr<IStream>> held_;
  bool holdsProcess_ = false;
};

// Runs the message loop until WM_QUIT; true when the shutdown monitor
// posted it (an idle end), false when it came from outside.
bool ServeUntilQuit(const LocalServerTimes& times, bool armed) {
  ShutdownMonitor monitor(GetCurrentThreadId(), times.idleMs, armed);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return monitor.QuitPosted();
}

// How long no message may have come before the classes are withdrawn: an
// activation handed to this server by COM's service can take tens of
// milliseconds to arrive, and under Wine a revoked class answers it with
// nothing (the client gets E_FAIL).
constexpr DWORD kLastCallQuietMs = 200;

// Dispatches messages until none came for quietMs, or at most limitMs.
void PumpUntilQuiet(DWORD quietMs, DWORD limitMs) {
  const DWORD start = GetTickCount();
  MSG msg;
  for (;;) {
    bool any = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= limitMs) return;
    const DWORD wait = std::min(quietMs, limitMs - elapsed);
    if (MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_TIMEOUT && !any)
      return;
  }
}

}  // namespace

void PumpMessagesFor(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  for (;;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, ms - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

HRESULT RunLocalServer(std::span<LocalServerClass> classes, const LocalServerTimes& times) {
  bool armed = times.armedAtStart;
  for (;;) {
    OfferedClasses offered(classes);
    HRESULT hr = offered.Offer();
    if (FAILED(hr)) return hr;
    const bool idleEnd = ServeUntilQuit(times, armed);
    armed = true;  // the count may fall to zero before the next loop's monitor exists
    // Last calls: activations already on their way still find the classes.
    // One that made an object keeps the server serving.
    if (idleEnd) {
      PumpUntilQuiet(kLastCallQuietMs, times.drainMs / 2);
      if (ModuleLock::Count() > 0) continue;
    }
    offered.Withdraw();
    PumpMessagesFor(times.drainMs);
    offered.ReleaseHeld();
    // After an idle end, a client that got an object while the server was
    // ending keeps it serving; a quit from outside ends it regardless.
    if (!idleEnd || ModuleLock::Count() == 0) return S_OK;
  }
}

}  // namespace platform
