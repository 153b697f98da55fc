// The Chrome switch over a fabricated machine.
#include "HostFixture.h"
#include "RegistrySandbox.h"
#include "extmanager/probes/HostKey.h"
#include "extmanager/probes/InstalledPrograms.h"
#include "extmanager/switches/ChromeSwitch.h"

namespace {

constexpr int kChrome = 0x200000, kChromeVqd = 0x400000;

class ChromeSwitchTest : public HostTest {
 protected:
  std::wstring KeyValue(int kind, const wchar_t* name) {
    std::vector<BYTE> data;
    DWORD type = 0;
    if (!testsupport::GetRegValue(HKEY_LOCAL_MACHINE, CChromeSW::ExtensionKey(kind), name, &type, &data)) return L"<none>";
    return std::wstring(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2 - 1);
  }
};

TEST_F(ChromeSwitchTest, ListsTheFirstUninstallEntryWithItsVersionAndLocation) {
  CChromeSW sw(L"Google Chrome", kChrome);
  EXPECT_EQ(0, sw.IsAppInstalled());
  EXPECT_FALSE(sw.IsPluginInstalled());
  std::wstring folder = machine_->InstallChromeExtension(false);
  EXPECT_TRUE(sw.IsPluginInstalled());
  CChromeSW vqd(L"Google Chrome (VQD)", kChromeVqd);
  EXPECT_EQ(L"Chrome ExtensionVQD.crx", vqd.CrxName());
  EXPECT_FALSE(vqd.IsPluginInstalled());

  machine_->AddChrome(L"20.0.1132.57");
  machine_->AddUninstallEntry(HKEY_LOCAL_MACHINE, L"Google Chrome Zz", L"Google Chrome Canary", L"22.0", L"C:\\c");
  SwitchItems items = Detect(sw);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(L"Google Chrome 20.0.1132.57", items[0].name);
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(kChrome, items[0].kind);
  EXPECT_EQ(machine_->Root() + L"Programs\\Google\\Chrome\\Application", sw.GetNote());
}

TEST_F(ChromeSwitchTest, TheCurrentUsersEntryCountsOnlyWhenTheMachineHasNone) {
  machine_->AddUninstallEntry(HKEY_CURRENT_USER, L"Google Chrome", L"Google Chrome", L"30.0", L"");
  InstalledPrograms found;
  ASSERT_TRUE(FindInstalledProgram(found, L"Google Chrome"));
  EXPECT_EQ(L"30.0", found[0].displayVersion);
  machine_->AddUninstallEntry(HKEY_LOCAL_MACHINE, L"Google Chrome", L"Google Chrome", L"20.0", L"");
  found.clear();
  ASSERT_TRUE(FindInstalledProgram(found, L"Google Chrome"));
  ASSERT_EQ(1u, found.size());
  EXPECT_EQ(L"20.0", found[0].displayVersion);
  found.clear();
  EXPECT_FALSE(FindInstalledProgram(found, L"google chrome")) << "the search keeps letter case";
}

TEST_F(ChromeSwitchTest, AnAdministratorSwitchesOnAndOff) {
  Seams().userIsAdmin = true;
  std::wstring folder = machine_->InstallChromeExtension(false);
  machine_->AddChrome(L"20.0");
  CChromeSW sw(L"Google Chrome", kChrome);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(folder + L"Chrome Extension.crx", KeyValue(kChrome, L"path"));
  EXPECT_EQ(L"9.0", KeyValue(kChrome, L"version"));
  CChromeSW reread(L"Google Chrome", kChrome);
  EXPECT_EQ(1, Detect(reread)[0].enabled);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_FALSE(HostKey::Exists(HKEY_LOCAL_MACHINE, CChromeSW::ExtensionKey(kChrome)));
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << "off when already off";
  EXPECT_EQ(0, items[0].enabled);
}

TEST_F(ChromeSwitchTest, RefusedStepsKeepTheItemAndShowTheirMessage) {
  machine_->InstallChromeExtension(false);
  machine_->AddChrome(L"20.0");
  struct Case {
    const char* what;
    bool admin;
    std::function<bool(const std::wstring&)> refuse;
    int reason;
  } cases[] = {
      {"not an administrator", false, nullptr, 2},
      {"key creation refused", true, [](const std::wstring& c) { return c.rfind(L"create ", 0) == 0; }, 2},
      {"value write refused", true, [](const std::wstring& c) { return c.find(L"\\version") != std::wstring::npos; }, 1},
  };
  for (const Case& c : cases) {
    Seams().userIsAdmin = c.admin;
    Seams().refuseRegistry = c.refuse;
    CChromeSW sw(L"Google Chrome", kChrome);
    SwitchItems items = Detect(sw);
    items[0].enabled = 1;
    EXPECT_EQ(ErrorText(L"Google Chrome", c.reason), ApplyShowingErrors(sw, items)) << c.what;
    EXPECT_EQ(0, items[0].enabled) << c.what;
    EXPECT_FALSE(HostKey::Exists(HKEY_LOCAL_MACHINE, CChromeSW::ExtensionKey(kChrome))) << c.what << ": no half key";
  }
  // Switching off with the deletion refused.
  Seams().userIsAdmin = true;
  Seams().refuseRegistry = nullptr;
  CChromeSW sw(L"Google Chrome", kChrome);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  sw.ApplyItems(items, true);
  Seams().refuseRegistry = [](const std::wstring& c) { return c.rfind(L"delete ", 0) == 0; };
  items[0].enabled = 0;
  EXPECT_EQ(ErrorText(L"Google Chrome", 2), ApplyShowingErrors(sw, items));
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_TRUE(HostKey::Exists(HKEY_LOCAL_MACHINE, CChromeSW::ExtensionKey(kChrome)));
}

}  // namespace
