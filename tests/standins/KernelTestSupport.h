#pragma once
// Helpers of the stand-in kernel's tests: registration, creation by the
// product's rule, switches, and pumping the apartment until a condition holds.
#include <windows.h>

#include <functional>
#include <string>

#include "KelVarLib.h"
#include "KernelStandIn.h"
#include "platform/com/ComPtr.h"

namespace kerneltests {

// Registers NrvaKernel.dll (DllRegisterServer) and NrvaKernelServer.exe
// (-RegServer) from the test's folder; raises a test failure when it cannot.
void RegisterKernel();
using kernelstandin_test::CallKernelDllEntry;

// CoCreateInstance with CLSCTX_ALL for IUnknown, tried again while a kernel
// server that is ending by itself may have taken the request (see the .cpp).
HRESULT CreateKernelUnknown(REFCLSID clsid, IUnknown** out);

// Creates a kernel object as its callers do: CoCreateInstance with
// CLSCTX_ALL for IUnknown, OleRun, then QueryInterface.
template <class I>
platform::ComPtr<I> CreateKernelObject(REFCLSID clsid, HRESULT* result = nullptr) {
  platform::ComPtr<IUnknown> unknown;
  HRESULT hr = CreateKernelUnknown(clsid, unknown.Receive());
  if (SUCCEEDED(hr)) hr = OleRun(unknown.Get());
  platform::ComPtr<I> object;
  if (SUCCEEDED(hr)) hr = unknown->QueryInterface(__uuidof(I), object.ReceiveVoid());
  if (result) *result = hr;
  return object;
}

// Dispatches the thread's messages until done() is true or timeoutMs pass;
// answers done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Switch values of the stand-in under HKCU "Software\NorvaStandIns\Kernel",
// and what it reported.
using kernelstandin_test::ReportNumber;
using kernelstandin_test::ReportText;
using kernelstandin_test::SetSwitch;
using kernelstandin_test::SetSwitchText;

VARIANT MissingArg();

}  // namespace kerneltests

#include <gtest/gtest.h>

#include <memory>

#include "RegistrySandbox.h"
#include "platform/com/ComApartment.h"

namespace kerneltests {

// Each test: the kernel registered (once per program), COM in a
// single-threaded apartment, no switches and no reports left over.
class KernelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool registered = false;
    if (!registered) {
      RegisterKernel();
      registered = true;
    }
  }
  void SetUp() override { ASSERT_TRUE(apartment_.Ok()); }

  platform::ComApartment apartment_;
  testsupport::ScopedFixedKey switches_{HKEY_CURRENT_USER, kernelstandin_test::kSwitchesKey};
};

}  // namespace kerneltests
