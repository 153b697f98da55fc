// The Opera switch over a fabricated machine.
#include <ostream>
#include <vector>

#include "HostFixture.h"
#include "OpenOfficeFiles.h"
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
  // Detects the switch's item and applies the state silently; the item after it.
  static SwitchItem Switched(CSwitch& sw, int state) {
    SwitchItems items = Detect(sw);
    if (items.empty()) return SwitchItem();
    items[0].enabled = state;
    sw.ApplyItems(items, true);
    return items[0];
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

// Preferences with and without the user's own toolbar and button set, and
// without the section the keys belong to: switching off gives back the
// user's own values and takes away what switching on made, so the profile
// is byte for byte as before.
struct OwnValuesRow {
  const char* name;
  std::string prefs;
  bool ownToolbarFile;  // the file the user's toolbar value names is there
};

void PrintTo(const OwnValuesRow& row, std::ostream* out) { *out << row.name; }

class OperaOwnValues : public OperaSwitchTest, public testing::WithParamInterface<OwnValuesRow> {};

TEST_P(OperaOwnValues, OffGivesBackTheUsersValuesAndTakesAwayWhatOnMade) {
  const OwnValuesRow& row = GetParam();
  Install();
  machine_->AddOperaProfile(appData_, row.prefs);
  if (row.ownToolbarFile) machine_->WriteFile(Profile() + L"toolbar\\standard_toolbar (1).ini", "the user's toolbar");
  const oofiles::Files original = oofiles::ReadTree(Profile());
  COperaSW sw(L"Opera", kOpera);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << row.name;
  EXPECT_EQ(1, items[0].enabled) << row.name;
  std::string on = Prefs();
  EXPECT_EQ(1u, oofiles::Count(on, "Toolbar Configuration={SmallPreferences}toolbar\\norva_toolbar.ini")) << on;
  EXPECT_EQ(1u, oofiles::Count(on, "Button Set={SmallPreferences}skin\\norva_skin.zip")) << on;
  EXPECT_EQ(0u, oofiles::Count(on, "standard_toolbar")) << on;
  COperaSW reread(L"Opera", kOpera);
  EXPECT_EQ(1, Detect(reread)[0].enabled) << row.name;

  sw.SetItems(items);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << row.name;
  EXPECT_EQ(0, items[0].enabled);
  oofiles::Files now = oofiles::ReadTree(Profile());
  EXPECT_EQ(original, now) << row.name << "\n" << oofiles::Differences(original, now) << Prefs();
}

INSTANTIATE_TEST_SUITE_P(
    Prefs, OperaOwnValues,
    testing::Values(OwnValuesRow{"no_own_values", hostfab::FabricatedMachine::SampleOperaPrefs(), false},
                    OwnValuesRow{"own_toolbar_and_buttons", hostfab::FabricatedMachine::OperaPrefsWithOwnToolbar(),
                                 true},
                    OwnValuesRow{"own_toolbar_LF_no_mark",
                                 hostfab::FabricatedMachine::OperaPrefsWithOwnToolbar(false, "\n"), false},
                    OwnValuesRow{"no_section", "\xEF\xBB\xBFOpera Preferences version 2.1\r\n\r\n[State]\r\nRun=0\r\n", false},
                    OwnValuesRow{"no_section_last_line_open", "Opera Preferences version 2.1\n\n[State]\nRun=0", false},
                    OwnValuesRow{"empty", "", false}),
    [](const testing::TestParamInfo<OwnValuesRow>& info) { return std::string(info.param.name); });

// A value the user chose in Opera while the product's toolbar was on is the
// user's: switching off leaves it, and gives back the others.
TEST_F(OperaSwitchTest, AToolbarTheUserChoseMeanwhileStays) {
  Install();
  const std::string original = hostfab::FabricatedMachine::OperaPrefsWithOwnToolbar();
  machine_->AddOperaProfile(appData_, original);
  COperaSW sw(L"Opera", kOpera);
  ASSERT_EQ(1, Switched(sw, 1).enabled);
  std::string chosen = Prefs();
  const std::string ours = "Toolbar Configuration={SmallPreferences}toolbar\\norva_toolbar.ini";
  chosen.replace(chosen.find(ours), ours.size(), "Toolbar Configuration={SmallPreferences}toolbar\\mine.ini");
  machine_->AddOperaProfile(appData_, chosen);
  COperaSW off(L"Opera", kOpera);
  Switched(off, 0);
  std::string expected = original;
  const std::string own = "Toolbar Configuration={SmallPreferences}toolbar\\standard_toolbar (1).ini";
  expected.replace(expected.find(own), own.size(), "Toolbar Configuration={SmallPreferences}toolbar\\mine.ini");
  EXPECT_EQ(expected, Prefs());
}

// Both editions in one profile: the preference keys hold one edition's
// values at a time, and the user's own values come back whichever goes last.
TEST_F(OperaSwitchTest, BothEditionsGiveBackTheUsersValuesInEitherOrder) {
  Install(false);
  Install(true);
  for (bool ordinaryFirst : {true, false}) {
    machine_->AddOperaProfile(appData_, hostfab::FabricatedMachine::OperaPrefsWithOwnToolbar());
    const oofiles::Files original = oofiles::ReadTree(Profile());
    for (int kind : {kOpera, kOperaVqd}) {
      COperaSW sw(L"Opera", kind);
      ASSERT_EQ(1, Switched(sw, 1).enabled);
    }
    EXPECT_EQ(1u, oofiles::Count(Prefs(), "norva_toolbarVQD.ini"));
    for (int kind : ordinaryFirst ? std::vector<int>{kOpera, kOperaVqd} : std::vector<int>{kOperaVqd, kOpera}) {
      COperaSW sw(L"Opera", kind);
      EXPECT_EQ(0, Switched(sw, 0).enabled);
    }
    // A start after that finds nothing left of either edition.
    for (int kind : {kOpera, kOperaVqd}) {
      COperaSW sw(L"Opera", kind);
      EXPECT_EQ(0, Detect(sw)[0].enabled);
    }
    oofiles::Files now = oofiles::ReadTree(Profile());
    EXPECT_EQ(original, now) << (ordinaryFirst ? "ordinary first" : "VQD first") << "\n"
                             << oofiles::Differences(original, now) << Prefs();
  }
}

// A run ended after it wrote the product's files but before the preferences
// pointed at them: the next start takes the files back.
TEST_F(OperaSwitchTest, FilesARunEndedBeforeTheirPreferencesLeftGoAtTheNextStart) {
  Install();
  const std::string original = hostfab::FabricatedMachine::OperaPrefsWithOwnToolbar();
  machine_->AddOperaProfile(appData_, original);
  const oofiles::Files before = oofiles::ReadTree(Profile());
  COperaSW sw(L"Opera", kOpera);
  ASSERT_EQ(1, Switched(sw, 1).enabled);
  // What the run had written before its edit of the preferences.
  machine_->AddOperaProfile(appData_, original);
  ASSERT_TRUE(Exists(Profile() + L"toolbar\\norva_toolbar.ini"));
  COperaSW next(L"Opera", kOpera);
  SwitchItems items = Detect(next);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(0, items[0].enabled);
  oofiles::Files now = oofiles::ReadTree(Profile());
  EXPECT_EQ(before, now) << oofiles::Differences(before, now);
}

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
