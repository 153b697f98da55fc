// Tessiva after the browser: the Firefox host (firefox_host.exe, its own
// process) makes Init and one call through fervix9.dll, as the extension
// script does, and ends; the Tessiva that COM started for it must end by
// itself once its idle time has passed, whatever the call was.
#include <gtest/gtest.h>

#include <string>

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "ServerProcess.h"
#include "TessivaServersTest.h"

namespace {

// Tessiva's idle time (5 s) with its final pause, and room for a loaded machine.
constexpr DWORD kServerEndMs = 20000;

class FervixLifetime : public TessivaServersTest {
 protected:
  void SetUp() override { kernelstandin_test::SetSwitch(L"NoMessageBoxes", 1); }
  void TearDown() override { EndAllServers(); }
  testsupport::ScopedFixedKey browsers_{HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\Browsers"};
  testsupport::ScopedFixedKey switches_{HKEY_CURRENT_USER, kernelstandin_test::kSwitchesKey};
};

TEST_F(FervixLifetime, TessivaEndsAfterTheBrowserWhateverItsLastCallWas) {
  // The long calls run by name on a worker of the plug-in; Init alone is the baseline.
  for (const wchar_t* call : {L"Init", L"TranslateSelection", L"ShowSettings", L"ShowWebSearch", L"ShowAot"}) {
    const std::string what(call, call + wcslen(call));
    testsupport::ChildResult host = testsupport::RunChild(
        L"\"" + testsupport::SiblingPath(L"firefox_host.exe") + L"\" --call " + call, 120000);
    ASSERT_TRUE(host.started) << what;
    ASSERT_FALSE(host.timedOut) << what << "\n" << host.output;
    EXPECT_EQ(0u, host.exitCode) << what << "\n" << host.output;
    const std::vector<DWORD> servers = testsupport::ProcessesStartedBy(host.processId, host.createdAt);
    ASSERT_EQ(1u, servers.size()) << what << ": the Tessiva COM started for the host";
    testsupport::ServerProcess tessiva(servers[0]);
    const bool ended = tessiva.WaitForEnd(kServerEndMs);
    EXPECT_TRUE(ended) << what << ": Tessiva (process " << servers[0] << ") still runs after the browser ended";
    if (!ended) testsupport::EndServerAndItsServers(servers[0]);
  }
}

}  // namespace
