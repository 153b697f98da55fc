#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "BrowserTestSupport.h"
#include "TessivaBrowserClient.h"
#include "TessivaServersTest.h"
#include "platform/com/ComApartment.h"

// A client process of Tessiva.exe over the stand-in kernel: the browsers'
// settings and the kernel's switches of the test's own, and no server left
// running for the next test.
class TessivaOverKernelTest : public TessivaServersTest {
 protected:
  void SetUp() override {
    EndAllServers();
    // The kernel's error reporter records instead of showing message boxes.
    kernelstandin_test::SetSwitch(L"NoMessageBoxes", 1);
  }
  void TearDown() override { RestartServer(); }
  // Lets the server go and ends it, as when the browser closes.
  void RestartServer() {
    client_.Release();
    EndAllServers();
  }
  INorvaBrowserClass* Browser() { return client_.Browser(); }

  platform::ComApartment apartment_;
  testsupport::ScopedFixedKey browsers_{HKEY_CURRENT_USER, kBrowsersKey};
  testsupport::ScopedFixedKey switches_{HKEY_CURRENT_USER, kernelstandin_test::kSwitchesKey};
  TessivaBrowserClient client_;
};
