// The Opera switch over a fabricated machine.
#include "HostFixture.h"
#include "TempFolder.h"
#include "extmanager/switches/OperaSwitch.h"

namespace {

constexpr int kOpera = 0x800000, kOperaVqd = 0x1000000;

class OperaSwitchTest : public HostTest {
 protected:
  void Install(bool vqd = false) {
    runnerFolder_ = machine_->InstallOperaPlugin(vqd);
    machine_->AddOpera(L"Opera 11.64");
  }
  std::wstring Profile(const std::wstring& appData = L"") const {
    return (appData.empty() ? appData_ : appData) + L"\\Opera\\Opera\\";
  }
  std::string Prefs(const std::wstring& appData = L"") const {
    return testsupport::ReadWholeFile(Profile(appData) + L"operaprefs.ini");
  }
  std::wstring runnerFolder_;
};

TEST_F(OperaSwitchTest, NoRunnerNoEntryOrNoProfileMeansNoItem) {
  COperaSW sw(L"Opera", kOpera);
  EXPECT_FALSE(sw.IsPluginInstalled());
  EXPECT_EQ(0, sw.IsAppInstalled());
  Install();
  COperaSW installed(L"Opera", kOpera);
  EXPECT_TRUE(installed.IsPluginInstalled());
  EXPECT_EQ(0, installed.IsAppInstalled()) << "no Opera profile folder";
  machine_->AddOperaProfile(appData_, hostfab::FabricatedMachine::SampleOperaPrefs());
  COperaSW listed(L"Opera", kOpera);
  SwitchItems items = Detect(listed);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(L"Opera 11.64", items[0].name);
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(machine_->Root() + L"Programs\\Opera", listed.GetNote());
}

struct PrefsForm {
  const char* name;
  bool mark;
  const char* lineEnd;
};

class OperaPrefsForms : public OperaSwitchTest, public testing::WithParamInterface<PrefsForm> {};

TEST_P(OperaPrefsForms, OnWritesFilesAndKeysOffRestoresTheFileExactly) {
  const PrefsForm& form = GetParam();
  Install();
  const std::string original = hostfab::FabricatedMachine::SampleOperaPrefs(form.mark, form.lineEnd);
  machine_->AddOperaProfile(appData_, original);
  COperaSW sw(L"Opera", kOpera);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << form.name;
  EXPECT_EQ(1, items[0].enabled);
  std::string on = Prefs();
  std::string e = form.lineEnd;
  EXPECT_NE(std::string::npos,
            on.find("Home URL=http://www.example.org/" + e + "Toolbar Configuration={SmallPreferences}toolbar\\norva_toolbar.ini" +
                    e + "Menu Configuration={SmallPreferences}menu\\norva_menu.ini" + e +
                    "Button Set={SmallPreferences}skin\\norva_skin.zip" + e + e + "[Network]"))
      << form.name << ": " << on;
  EXPECT_EQ(form.mark, on.rfind("\xEF\xBB\xBF", 0) == 0) << form.name;
  EXPECT_TRUE(Exists(Profile() + L"toolbar\\norva_toolbar.ini"));
  EXPECT_TRUE(Exists(Profile() + L"menu\\norva_menu.ini"));
  EXPECT_EQ("PK skin stand-in", testsupport::ReadWholeFile(Profile() + L"skin\\norva_skin.zip"));
  COperaSW reread(L"Opera", kOpera);
  EXPECT_EQ(1, Detect(reread)[0].enabled) << form.name;

  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << form.name;
  EXPECT_EQ(original, Prefs()) << form.name;
  EXPECT_FALSE(Exists(Profile() + L"toolbar\\norva_toolbar.ini"));
  EXPECT_FALSE(Exists(Profile() + L"skin\\norva_skin.zip"));
}

INSTANTIATE_TEST_SUITE_P(Forms, OperaPrefsForms,
                         testing::Values(PrefsForm{"mark, CR LF", true, "\r\n"}, PrefsForm{"mark, LF", true, "\n"},
                                         PrefsForm{"no mark, CR LF", false, "\r\n"},
                                         PrefsForm{"no mark, LF", false, "\n"}));

TEST_F(OperaSwitchTest, AHugeFileWithLongCyrillicLinesKeepsEveryByte) {
  Install();
  std::string line = "Long=";
  while (line.size() < 25000) line += "\xD0\xB6";  // "ж" across every 10 000-byte boundary
  std::string original = "\xEF\xBB\xBFOpera Preferences version 2.1\r\n\r\n[User Prefs]\r\n" + line +
                         "\r\n\r\n[Network]\r\n";
  for (int i = 0; i < 20000; ++i) original += "Key" + std::to_string(i) + "=\xD0\xB7\xD0\xBD\xD0\xB0\xD1\x87\r\n";
  machine_->AddOperaProfile(appData_, original);
  COperaSW sw(L"Opera", kOpera);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  sw.ApplyItems(items, true);
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_NE(std::string::npos, Prefs().find(line + "\r\nToolbar Configuration="));
  items[0].enabled = 0;
  sw.ApplyItems(items, true);
  EXPECT_EQ(original, Prefs());
}

TEST_F(OperaSwitchTest, AnEmptyPrefsFileGetsTheSection) {
  Install();
  machine_->AddOperaProfile(appData_, "");
  COperaSW sw(L"Opera", kOpera);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(0u, Prefs().find("[User Prefs]\r\nToolbar Configuration="));
  COperaSW reread(L"Opera", kOpera);
  EXPECT_EQ(1, Detect(reread)[0].enabled);
}

TEST_F(OperaSwitchTest, AMissingReadOnlyOrNonUtf8PrefsFileIsLeftAloneSilently) {
  Install();
  for (const char* bytes : {(const char*)nullptr, "\xFF\xFE[User Prefs]\r\n", "read-only"}) {
    if (bytes) machine_->AddOperaProfile(appData_, bytes);
    else machine_->MakeFolder(Profile());
    if (bytes && std::string(bytes) == "read-only")
      SetFileAttributesW((Profile() + L"operaprefs.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    COperaSW sw(L"Opera", kOpera);
    SwitchItems items = Detect(sw);
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(0, items[0].enabled);
    items[0].enabled = 1;
    EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
    if (bytes) {
      EXPECT_EQ(std::string(bytes), Prefs());
    }
    COperaSW reread(L"Opera", kOpera);
    EXPECT_EQ(0, Detect(reread)[0].enabled);
    EXPECT_EQ(0, items[0].enabled) << "shows its real state";
    SetFileAttributesW((Profile() + L"operaprefs.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(OperaSwitchTest, TheVqdEditionHasASettingsButtonAndNoWebSearch) {
  Install(true);
  COperaSW sw(L"Opera (VQD)", kOperaVqd);
  std::wstring toolbar = sw.ToolbarText();
  std::wstring menu = sw.MenuText();
  std::wstring runner = L"\"" + runnerFolder_ + L"VestrunVQD.exe\"";
  EXPECT_NE(std::wstring::npos,
            toolbar.find(L"Button102,\"Настроить параметры перевода\",,2,0=Execute program," + runner +
                         L",\"-Settings:1\",,\"Settings\"\r\n"));
  EXPECT_NE(std::wstring::npos, toolbar.find(L"Button101,\"Перевести\",,2,0=Show popup menu,\"Norva Translate Menu\",,,\"TransPage\"\r\n"));
  EXPECT_EQ(std::wstring::npos, menu.find(L"WebSearch"));
  EXPECT_NE(std::wstring::npos, menu.find(L"Item,\"Выделенный текст\",,2,3=Execute program, " + runner +
                                          L", \"-TransSel:%t\",,\"TransSel\"\r\n"));
  EXPECT_EQ(0u, toolbar.find(L"Opera Preferences version 2.1\r\n[Version]\r\nFile Version=15\r\n[Info]\r\nName=Переводчик NORVA (VQD)\r\n"));
  COperaSW plain(L"Opera", kOpera);
  EXPECT_NE(std::wstring::npos, plain.ToolbarText().find(L"\"-Aot:%s\",,\"AOT\""));
  EXPECT_NE(std::wstring::npos, plain.MenuText().find(L"\"-WebSearch:%t\",,\"WebSearch\""));
}

TEST_F(OperaSwitchTest, ALockedFileStopsTheSwitchAndTheProfileStaysAsItWas) {
  Install();
  const std::string original = hostfab::FabricatedMachine::SampleOperaPrefs();
  machine_->AddOperaProfile(appData_, original);
  // On: the menu file is held by another program.
  machine_->WriteFile(Profile() + L"menu\\norva_menu.ini", "old menu");
  HANDLE held = CreateFileW((Profile() + L"menu\\norva_menu.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  COperaSW sw(L"Opera", kOpera);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(ErrorText(L"Opera", 1), ApplyShowingErrors(sw, items));
  CloseHandle(held);
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(original, Prefs());
  EXPECT_FALSE(Exists(Profile() + L"toolbar\\norva_toolbar.ini")) << "taken back";

  // Off: the skin is held; the preferences point at the files again.
  DeleteFileW((Profile() + L"menu\\norva_menu.ini").c_str());
  items[0].enabled = 1;
  sw.ApplyItems(items, true);
  ASSERT_EQ(1, items[0].enabled);
  std::string on = Prefs();
  held = CreateFileW((Profile() + L"skin\\norva_skin.zip").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  items[0].enabled = 0;
  EXPECT_EQ(ErrorText(L"Opera", 1), ApplyShowingErrors(sw, items));
  CloseHandle(held);
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_EQ(on, Prefs());
}

TEST_F(OperaSwitchTest, AnAdministratorsSilentSwitchOffCleansEveryUser) {
  Install();
  std::wstring alice = machine_->AddUser(L"alice");
  const std::string original = hostfab::FabricatedMachine::SampleOperaPrefs();
  machine_->AddOperaProfile(appData_, original);
  machine_->AddOperaProfile(alice, original);
  // Both users switched on.
  for (const std::wstring& user : {appData_, alice}) {
    Seams().roamingAppData = user;
    COperaSW sw(L"Opera", kOpera);
    SwitchItems items = Detect(sw);
    items[0].enabled = 1;
    sw.ApplyItems(items, true);
    ASSERT_EQ(1, items[0].enabled);
  }
  Seams().roamingAppData = appData_;
  Seams().userIsAdmin = true;
  {  // from the dialog: only his own profile
    COperaSW sw(L"Opera", kOpera);
    SwitchItems items = Detect(sw);
    items[0].enabled = 0;
    EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
    EXPECT_EQ(original, Prefs());
    EXPECT_NE(original, Prefs(alice));
    items[0].enabled = 1;
    sw.ApplyItems(items, false);
  }
  COperaSW sw(L"Opera", kOpera);
  SwitchItems items = Detect(sw);
  items[0].enabled = 0;
  sw.ApplyItems(items, true);  // "/u" of an administrator
  EXPECT_EQ(original, Prefs());
  EXPECT_EQ(original, Prefs(alice));
  EXPECT_FALSE(Exists(Profile(alice) + L"toolbar\\norva_toolbar.ini"));
}

}  // namespace

namespace {

// A user folder so deep that the profile's files lie beyond 260 characters.
TEST_F(OperaSwitchTest, AProfileBeyondTheOldPathLimitIsSwitched) {
  Install();
  std::wstring deep = appData_;
  while (deep.size() < 280) deep += L"\\deep-folder-level";
  machine_->MakeFolder(deep);
  Seams().roamingAppData = deep;
  const std::string original = hostfab::FabricatedMachine::SampleOperaPrefs();
  machine_->AddOperaProfile(deep, original);
  COperaSW sw(L"Opera", kOpera);
  SwitchItems items = Detect(sw);
  ASSERT_EQ(1u, items.size());
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(1, items[0].enabled);
  COperaSW reread(L"Opera", kOpera);
  EXPECT_EQ(1, Detect(reread)[0].enabled);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  COperaSW again(L"Opera", kOpera);
  EXPECT_EQ(0, Detect(again)[0].enabled);
}

}  // namespace
