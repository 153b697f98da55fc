// The Firefox switch over a fabricated machine.
#include "HostFixture.h"
#include "extmanager/switches/MozillaSwitch.h"

namespace {

constexpr int kFirefox = 0x100, kFirefoxVqd = 0x80000;

class MozillaSwitchTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    machine_->RemoveFirefox();
  }
  std::wstring Extension(const std::wstring& profile, int kind = kFirefox) {
    return profile + L"\\" + CMozillaSW::ExtensionFolder(kind);
  }
  std::wstring Component(const std::wstring& profile, int kind = kFirefox) {
    return Extension(profile, kind) + (kind == kFirefox ? L"\\components\\fervix9.dll" : L"\\components\\fervix9vqd.dll");
  }
};

TEST_F(MozillaSwitchTest, ListsVersionsFromThreeOnWithTheirWholeKeyName) {
  CMozillaSW sw(L"Mozilla Firefox", kFirefox);
  EXPECT_FALSE(sw.IsPluginInstalled());
  EXPECT_EQ(0, sw.IsAppInstalled()) << "no Firefox key";
  machine_->InstallFirefoxExtension(false);
  EXPECT_TRUE(sw.IsPluginInstalled());
  machine_->AddFirefoxVersion(L"2.0.0.20 (en-US)");
  machine_->AddFirefoxVersion(L"3.6.8 (ru)");
  machine_->AddFirefoxVersion(L"10.0.2 (en-US)");
  machine_->AddFirefoxVersion(L"12.0 (de)", false);  // no "Main": skipped
  SwitchItems items = Detect(sw);
  ASSERT_EQ(2u, items.size());
  std::vector<std::wstring> names = {items[0].name, items[1].name};
  std::sort(names.begin(), names.end());
  EXPECT_EQ(L"Mozilla Firefox 10.0.2 (en-US)", names[0]);
  EXPECT_EQ(L"Mozilla Firefox 3.6.8 (ru)", names[1]);
  EXPECT_EQ(0, items[0].tag);
  EXPECT_EQ(1, items[1].tag);
  EXPECT_EQ(kFirefox, items[0].kind);
}

TEST_F(MozillaSwitchTest, APartlyEquippedUserIsOffAndSwitchingOnCopiesIntoEveryProfile) {
  machine_->InstallFirefoxExtension(false);
  machine_->AddFirefoxVersion(L"3.6.8 (ru)");
  std::wstring first = machine_->AddFirefoxProfile(appData_, L"abcd.default");
  std::wstring second = machine_->AddFirefoxProfile(appData_, L"efgh.work");
  machine_->MakeFolder(Extension(first));
  CMozillaSW sw(L"Mozilla Firefox", kFirefox);
  SwitchItems items = Detect(sw);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(0, items[0].enabled);
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_TRUE(Exists(Component(first)));
  EXPECT_TRUE(Exists(Component(second)));
  EXPECT_TRUE(Exists(Extension(second) + L"\\chrome.manifest"));
  CMozillaSW reread(L"Mozilla Firefox", kFirefox);
  EXPECT_EQ(1, Detect(reread)[0].enabled);

  // Off; a profile that lost its folder already counts as off.
  machine_->AddFirefoxProfile(appData_, L"ijkl.new");
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_FALSE(Exists(Extension(first)));
  EXPECT_FALSE(Exists(Extension(second)));
  EXPECT_TRUE(Exists(second + L"\\prefs.js")) << "the profile itself stays";
}

TEST_F(MozillaSwitchTest, AnAdministratorReachesTheProfilesOfEveryUser) {
  machine_->InstallFirefoxExtension(true);
  machine_->AddFirefoxVersion(L"3.6.8 (ru)");
  std::wstring own = machine_->AddFirefoxProfile(appData_, L"bob.default");
  std::wstring aliceAppData = machine_->AddUser(L"alice");
  std::wstring other = machine_->AddFirefoxProfile(aliceAppData, L"alice.default");
  for (bool admin : {false, true}) {
    Seams().userIsAdmin = admin;
    CMozillaSW sw(L"Mozilla Firefox (VQD)", kFirefoxVqd);
    SwitchItems items = Detect(sw);
    items[0].enabled = 1;
    sw.ApplyItems(items, true);
    EXPECT_TRUE(Exists(Component(own, kFirefoxVqd))) << admin;
    EXPECT_EQ(admin, Exists(Component(other, kFirefoxVqd))) << admin;
  }
}

TEST_F(MozillaSwitchTest, FailuresKeepTheItemAndLaterVersionsShowTheirRealState) {
  machine_->InstallFirefoxExtension(false);
  machine_->AddFirefoxVersion(L"3.6.8 (ru)");
  machine_->AddFirefoxVersion(L"4.0 (ru)");
  CMozillaSW none(L"Mozilla Firefox", kFirefox);
  SwitchItems items = Detect(none);
  ASSERT_EQ(2u, items.size());
  for (auto& item : items) item.enabled = 1;
  EXPECT_EQ(ErrorText(L"Mozilla Firefox", 1), ApplyShowingErrors(none, items)) << "no profile";
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(0, items[1].enabled);

  // "extensions" is a file: the copy cannot make its folder.
  std::wstring profile = machine_->AddFirefoxProfile(appData_, L"abcd.default");
  machine_->WriteFile(profile + L"\\extensions", "not a folder");
  CMozillaSW blocked(L"Mozilla Firefox", kFirefox);
  items = Detect(blocked);
  for (auto& item : items) item.enabled = 1;
  EXPECT_EQ(ErrorText(L"Mozilla Firefox", 1), ApplyShowingErrors(blocked, items)) << "copy fails";
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(0, items[1].enabled);
}

TEST_F(MozillaSwitchTest, ALockedFileInTheExtensionStopsTheSwitchOff) {
  machine_->InstallFirefoxExtension(false);
  machine_->AddFirefoxVersion(L"3.6.8 (ru)");
  std::wstring profile = machine_->AddFirefoxProfile(appData_, L"abcd.default");
  CMozillaSW sw(L"Mozilla Firefox", kFirefox);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  sw.ApplyItems(items, true);
  ASSERT_TRUE(Exists(Component(profile)));
  HANDLE held = CreateFileW(Component(profile).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  items[0].enabled = 0;
  std::wstring shown = ApplyShowingErrors(sw, items);
  CloseHandle(held);
  if (Exists(Extension(profile))) {
    EXPECT_EQ(ErrorText(L"Mozilla Firefox", 1), shown);
    EXPECT_EQ(1, items[0].enabled) << "keeps its state";
  } else {
    EXPECT_EQ(L"", shown) << "the folder went after all";
  }
}

}  // namespace
