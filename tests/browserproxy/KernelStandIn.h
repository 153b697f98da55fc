#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "platform/com/ComApartment.h"

// The stand-in kernel as the connector's tests use it: registered in the
// test prefix (in-process DLL and local server) as an installer would, its
// fault switches under a fixed key that the test owns, and what it reported.
namespace kernelstandin_test {

constexpr wchar_t kSwitchesKey[] = L"Software\\NorvaStandIns\\Kernel";
constexpr wchar_t kReportsKey[] = L"Software\\NorvaStandIns\\Kernel\\Reports";

// Calls an export of NrvaKernel.dll (DllRegisterServer, DllUnregisterServer).
HRESULT CallKernelDllEntry(const char* name);
// Registers NrvaKernel.dll and NrvaKernelServer.exe; false when it could not.
bool RegisterKernel();
// Removes the registration (DllUnregisterServer, server -UnregServer).
bool UnregisterKernel();

// Waits (at most timeoutMs) until no local server that this process started
// (or that those started) runs any more, so that the next program does not
// reach one that is shutting down.
void WaitForServerExit(DWORD timeoutMs);
// Ends the local servers this process started, and theirs (a session end:
// WM_QUIT), for example after their client was killed while it held their
// objects.
void EndServers();

void SetSwitch(const wchar_t* name, DWORD value);
void SetSwitchText(const wchar_t* name, const std::wstring& value);
DWORD ReportNumber(const wchar_t* name);
std::wstring ReportText(const wchar_t* name);

// A test over the stand-in kernel in this process: registered once for the
// suite, switches of the test's own (the kernel's boxes recorded, not
// shown), and no server left running for the next program.
class KernelStandInTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { registered_ = RegisterKernel(); }
  static void TearDownTestSuite() { WaitForServerExit(15000); }
  void SetUp() override {
    ASSERT_TRUE(registered_);
    ASSERT_TRUE(apartment_.Ok());
    SetSwitch(L"NoMessageBoxes", 1);
  }

  static inline bool registered_ = false;
  platform::ComApartment apartment_;
  testsupport::ScopedFixedKey switches_{HKEY_CURRENT_USER, kSwitchesKey};
};

}  // namespace kernelstandin_test
