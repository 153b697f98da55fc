#include "KernelTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "ServerProcess.h"
#include "platform/win/MessagePump.h"

namespace kerneltests {

void RegisterKernel() { ASSERT_TRUE(kernelstandin_test::RegisterKernel()); }

namespace {

// The kernel server is a local server that COM started for this process.
bool KernelServerRunning() { return !testsupport::ProcessesStartedBy(GetCurrentProcessId()).empty(); }

}  // namespace

HRESULT CreateKernelUnknown(REFCLSID clsid, IUnknown** out) {
  const bool serverBefore = KernelServerRunning();
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(out));
  // The kernel server ends by itself once it has been idle for a while: it
  // withdraws its classes, then serves what already reached it. A creation
  // that COM routed to it just before the withdrawal fails inside Wine's
  // activation (reported as REGDB_E_CLASSNOTREG for CLSCTX_ALL); the next
  // attempt starts a new server. Only a failure while a server was running
  // is tried again, so a class that is really missing still fails.
  for (int attempt = 1; FAILED(hr) && attempt <= 3 && (serverBefore || KernelServerRunning()); ++attempt) {
    std::fprintf(stderr, "creating a kernel object failed with 0x%08lX while a kernel server ran; attempt %d\n",
                 static_cast<unsigned long>(hr), attempt + 1);
    Sleep(500);
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(out));
  }
  return hr;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  // The platform pump waits with MWMO_INPUTAVAILABLE. A COM call (done()'s
  // own, or the start call before the wait) runs a modal loop that looks at
  // the queue; what it left there no longer counts as new input, and a plain
  // MsgWaitForMultipleObjects slept to its time-out while an event call from
  // the kernel server waited in the queue, the server blocked on it.
  return platform::PumpMessagesUntil(done, timeoutMs) == platform::PumpResult::Done;
}

VARIANT MissingArg() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ERROR;
  v.scode = DISP_E_PARAMNOTFOUND;
  return v;
}

}  // namespace kerneltests
