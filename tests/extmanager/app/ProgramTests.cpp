// Quenlo.exe itself, started as a child process over a fabricated machine
// in the real user folders of the Wine prefix.
#include "ChildProcess.h"
#include "HostFixture.h"
#include "TempFolder.h"
#include "extmanager/app/QuenloLog.h"
#include "extmanager/probes/HostKey.h"
#include "extmanager/probes/UserFolders.h"
#include "extmanager/switches/ChromeSwitch.h"
#include "extmanager/switches/IESwitch.h"
#include "extmanager/switches/MozillaSwitch.h"

namespace {

// Whether each browser has the product's plug-in switched on.
struct State {
  bool ie, firefox, chrome, opera;
  bool operator==(const State&) const = default;
};

class ProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    machine_ = std::make_unique<hostfab::FabricatedMachine>(ProcessTempFolder(L"quenlo-program-"));
    appData_ = RoamingAppDataFolder();
    ASSERT_FALSE(appData_.empty());
  }
  void TearDown() override { machine_.reset(); }

  void Browsers() {
    machine_->InstallIEPlugin(false, testsupport::SiblingPath(L"nrvaie.dll"));
    machine_->AddInternetExplorer(L"9.0.8112.16421");
    machine_->InstallFirefoxExtension(false);
    machine_->RemoveFirefox();
    machine_->AddFirefoxVersion(L"3.6.8 (ru)");
    profile_ = machine_->AddFirefoxProfile(appData_, L"quenlo.test");
    machine_->InstallChromeExtension(false);
    machine_->AddChrome(L"20.0");
    machine_->InstallOperaPlugin(false);
    machine_->AddOpera(L"Opera 11.64");
    ASSERT_FALSE(Exists(appData_ + L"\\Opera")) << "the prefix already has an Opera profile";
    machine_->AddOperaProfile(appData_, hostfab::FabricatedMachine::SampleOperaPrefs());
  }

  static DWORD Run(const std::wstring& arguments) {
    testsupport::ChildProcess child;
    EXPECT_TRUE(child.Start(L"\"" + testsupport::SiblingPath(L"Quenlo.exe") + L"\" " + arguments));
    DWORD code = 1234;
    EXPECT_TRUE(child.Wait(60000, &code)) << "Quenlo.exe did not end";
    return code;
  }

  State Read() {
    return {HostKey::Exists(HKEY_CLASSES_ROOT, CIESW::ClassKey(0x200)),
            Exists(profile_ + L"\\" + CMozillaSW::ExtensionFolder(0x100)),
            HostKey::Exists(HKEY_LOCAL_MACHINE, CChromeSW::ExtensionKey(0x200000)),
            Exists(appData_ + L"\\Opera\\Opera\\toolbar\\norva_toolbar.ini")};
  }
  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  std::unique_ptr<hostfab::FabricatedMachine> machine_;
  std::wstring appData_;
  std::wstring profile_;
};

std::ostream& operator<<(std::ostream& out, const State& s) {
  return out << "IE " << s.ie << ", Firefox " << s.firefox << ", Chrome " << s.chrome << ", Opera " << s.opera;
}

TEST_F(ProgramTest, SilentRunsSwitchTheNamedHostsOnlyThenEveryHost) {
  Browsers();
  EXPECT_EQ((State{false, false, false, false}), Read());
  Run(L"/i gc|os");
  EXPECT_EQ((State{false, false, true, true}), Read());
  Run(L"/I ff");  // not "/i": nothing
  EXPECT_EQ((State{false, false, true, true}), Read());
  Run(L"/u gc");
  EXPECT_EQ((State{false, false, false, true}), Read());
  Run(L"/i");
  EXPECT_EQ((State{true, true, true, true}), Read());
  Run(L"/u");
  EXPECT_EQ((State{false, false, false, false}), Read());
  EXPECT_EQ(hostfab::FabricatedMachine::SampleOperaPrefs(),
            testsupport::ReadWholeFile(appData_ + L"\\Opera\\Opera\\operaprefs.ini"));
}

// Opens the dialog in a child, closes it with Cancel, and answers whether it showed.
bool DialogShowsAndCloses(const std::wstring& arguments, const std::wstring& caption = L"Менеджер плагинов") {
  testsupport::ChildProcess child;
  if (!child.Start(L"\"" + testsupport::SiblingPath(L"Quenlo.exe") + L"\" " + arguments)) return false;
  struct Search {
    DWORD pid;
    const std::wstring* caption;
    HWND found;
  } search{child.Id(), &caption, nullptr};
  for (int i = 0; i < 300 && !search.found; ++i) {
    Sleep(50);
    EnumWindows([](HWND h, LPARAM p) -> BOOL {
      auto* s = reinterpret_cast<Search*>(p);
      DWORD pid = 0;
      GetWindowThreadProcessId(h, &pid);
      wchar_t title[128] = {};
      GetWindowTextW(h, title, 128);
      if (pid == s->pid && std::wstring(title) == *s->caption && IsWindowVisible(h)) {
        s->found = h;
        return FALSE;
      }
      return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
  }
  if (!search.found) return false;
  testsupport::DialogWatcher::PressButton(search.found, IDCANCEL);
  return child.Wait(20000);
}

TEST_F(ProgramTest, DashLEmptiesTheLogAndOpensTheDialogOtherFormsKeepIt) {
  QuenloLog log;
  log.ComputeLogPath();
  ASSERT_FALSE(log.Path().empty());
  machine_->WriteFile(log.Path(), std::string("\xFF\xFEz\0q\0x\0", 8));
  ASSERT_TRUE(DialogShowsAndCloses(L"-L"));
  EXPECT_EQ(8u, testsupport::ReadWholeFile(log.Path()).size()) << "\"-L\" leaves logging off";
  ASSERT_TRUE(DialogShowsAndCloses(L"-l"));
  // Emptied: only the dialog's own records (the switches' probes) follow the mark.
  std::string emptied = testsupport::ReadWholeFile(log.Path());
  EXPECT_EQ(0u, emptied.find("\xFF\xFE")) << "emptied";
  EXPECT_EQ(std::string::npos, emptied.find(std::string("z\0q\0x\0", 6))) << "emptied";
  EXPECT_EQ(0u, Run(L"-l ff"));  // two arguments, the first no switch: ends at once
  DeleteFileW(log.Path().c_str());
}

TEST_F(ProgramTest, TheEnglishInterfaceLibraryIsChosenByTheProductsLanguage) {
  machine_->SetInterfaceLanguage(0x409);
  EXPECT_TRUE(DialogShowsAndCloses(L"", L"Plug-in Manager"));
  machine_->SetInterfaceLanguage(0x419);  // Russian: no library is built, the program's own texts serve
  EXPECT_TRUE(DialogShowsAndCloses(L"", L"Менеджер плагинов"));
}

}  // namespace
