#pragma once
#include <gtest/gtest.h>

#include "KernelStandIn.h"
#include "TessivaServer.h"

// A test of Tessiva.exe as a local server over the stand-in kernel: both
// registered once for the suite; the servers this process started are ended
// (Tessiva first: ended, it lets the kernel's objects go).
class TessivaServersTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    EndAllServers();
    ASSERT_EQ(0u, tessivaserver::Run(L"/RegServer"));
    ASSERT_TRUE(kernelstandin_test::RegisterKernel());
  }
  static void EndAllServers() {
    tessivaserver::EndServers();
    kernelstandin_test::EndServers();
  }
};
