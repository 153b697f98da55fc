// The OpenOffice.org switch over a fabricated machine.
#include <filesystem>

#include "ChildProcess.h"
#include "DialogWatcher.h"
#include "HostFixture.h"
#include "OpenOfficeFiles.h"
#include "OpenOfficeHosts.h"
#include "TempFolder.h"
#include "extmanager/hostfiles/ProfileText.h"
#include "extmanager/hostfiles/TextFiles.h"
#include "extmanager/probes/UserFolders.h"
#include "extmanager/switches/OpenOfficeSwitch.h"

namespace {

using hostfab::TextForm;
using oofiles::Count;
using oofiles::Files;

constexpr int kOrdinary = 0x400, kVqd = 0x20000;

class OpenOfficeSwitchTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    hostfab::RemoveOpenOffice(*machine_);
  }
  void TearDown() override {
    RefuseNewFilesIn() = nullptr;
    HostTest::TearDown();
  }
  void Install(bool vqd = false) { product_ = hostfab::InstallOpenOfficePlugin(*machine_, vqd); }
  void AddVersion(const std::wstring& version, HKEY root = HKEY_LOCAL_MACHINE) {
    hostfab::AddOpenOfficeVersion(*machine_, root, version);
  }
  std::wstring AddProfile(int major, bool userEntries = true, const TextForm& form = TextForm()) {
    return hostfab::AddOpenOfficeProfile(*machine_, appData_, major, userEntries, form);
  }
  std::wstring Registry(int major) const { return appData_ + COpenOfficeSW::PathsFor(major).regRel; }
  std::wstring Marker(int major, bool vqd = false) const {
    return Registry(major) + (vqd ? L"\\Addons.xcuVQD.old" : L"\\Addons.xcu.old");
  }
  Files Profile() const {
    Files files = oofiles::Read(appData_);
    files.erase(L"OpenOffice.org\\3\\user\\basic\\script.xlc.old");
    files.erase(L"OpenOffice.org2\\user\\basic\\script.xlc.old");
    return files;
  }
  static SwitchItems Listed(int mode = kOrdinary) {
    COpenOfficeSW sw(L"OpenOffice.org", mode);
    return Detect(sw);
  }

  std::wstring product_;
};

TEST_F(OpenOfficeSwitchTest, WithoutThePlugInOrAVersionKeyThereIsNothingToList) {
  COpenOfficeSW bare(L"OpenOffice.org", kOrdinary);
  EXPECT_FALSE(bare.IsPluginInstalled());
  Install();
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  EXPECT_TRUE(sw.IsPluginInstalled());
  COpenOfficeSW vqd(L"OpenOffice.org (VQD)", kVqd);
  EXPECT_FALSE(vqd.IsPluginInstalled()) << "the VQD edition has its own library";
  EXPECT_EQ(0, sw.IsAppInstalled());
  EXPECT_EQ((std::pair<std::wstring, int>{L"OpenOffice", kOrdinary}), sw.GetGroup());
  std::vector<int> kinds;
  vqd.GetKinds(kinds);
  EXPECT_EQ(std::vector<int>{kVqd}, kinds);
}

TEST_F(OpenOfficeSwitchTest, OnlyVersionsTwoAndThreeZeroToThreeTwoAreListedTheFirstWins) {
  Install();
  struct Row {
    std::vector<const wchar_t*> keys;
    const wchar_t* listed;  // null: nothing
  };
  for (const Row& row : {Row{{L"1.1", L"3.3"}, nullptr}, Row{{L"1.1", L"3.3", L"2.4"}, L"2.4"},
                         Row{{L"3.2"}, L"3.2"}, Row{{L"3.2.1"}, L"3.2.1"}, Row{{L"2.4", L"3.1"}, L"2.4"},
                         Row{{L"3.10", L"3.0"}, L"3.0"}}) {
    hostfab::RemoveOpenOffice(*machine_);
    for (const wchar_t* key : row.keys) AddVersion(key);
    SwitchItems items = Listed();
    std::string context = row.listed ? std::string(row.listed, row.listed + wcslen(row.listed)) : "nothing";
    if (!row.listed) {
      EXPECT_TRUE(items.empty()) << context;
      continue;
    }
    ASSERT_EQ(1u, items.size()) << context;
    EXPECT_EQ(std::wstring(L"OpenOffice.org Writer ") + row.listed, items[0].name);
    EXPECT_EQ(0, items[0].enabled) << "no profile folder: off";
    EXPECT_EQ(kOrdinary, items[0].kind);
    EXPECT_EQ(L"OpenOffice.org", items[0].group);
  }
}

struct VersionRow {
  const wchar_t* key;
  int major;
  TextForm form;
};

class OpenOfficeVersions : public OpenOfficeSwitchTest, public testing::WithParamInterface<VersionRow> {};

TEST_P(OpenOfficeVersions, OnThenOffGivesBackTheProfileByteForByte) {
  const VersionRow& row = GetParam();
  Install();
  AddVersion(row.key);
  std::wstring user = AddProfile(row.major, true, row.form);
  const Files original = Profile();
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(0, items[0].enabled);

  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_TRUE(Exists(Marker(row.major)));
  EXPECT_TRUE(Exists(user + L"\\basic\\Norva\\Module1.xba"));
  EXPECT_TRUE(Exists(user + L"\\basic\\Norva\\Icons.xba"));
  EXPECT_EQ(hostfab::OpenOfficeTemplates(false)[L"Norva\\script.xlb"],
            testsupport::ReadWholeFile(user + L"\\basic\\Norva\\script.xlb"));
  EXPECT_EQ(1u, Count(oofiles::AsUtf8(testsupport::ReadWholeFile(Registry(row.major) + L"\\Addons.xcu")),
                      "\"NORVA.Translate\""));
  EXPECT_EQ(1, Listed()[0].enabled);
  // The other version's profile is not touched.
  EXPECT_FALSE(Exists(Marker(row.major == 2 ? 3 : 2)));

  sw.SetItems(items);
  items[0].enabled = 1;
  const Files on = Profile();
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(on, Profile()) << "on again changes nothing";

  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(original, Profile());
  EXPECT_EQ(0, Listed()[0].enabled);
}

INSTANTIATE_TEST_SUITE_P(Versions, OpenOfficeVersions,
                         testing::Values(VersionRow{L"2.4", 2, {"\r\n", TextForm::Utf8}},
                                         VersionRow{L"3.0", 3, {"\n", TextForm::Utf8}},
                                         VersionRow{L"3.2", 3, {"\r\n", TextForm::Utf8Mark}},
                                         VersionRow{L"3.2.1", 3, {"\r\n", TextForm::Utf16Le}}),
                         [](const testing::TestParamInfo<VersionRow>& info) {
                           std::string name;
                           for (const wchar_t* c = info.param.key; *c; ++c) name += *c == L'.' ? '_' : char(*c);
                           return "v" + name;
                         });

TEST_F(OpenOfficeSwitchTest, AVersionWithoutItsProfileIsListedOffAndLeftAloneSilently) {
  Install();
  AddVersion(L"3.1");
  SwitchItems items = Listed();
  ASSERT_EQ(1u, items.size());
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_FALSE(Exists(appData_ + L"\\OpenOffice.org"));
}

TEST_F(OpenOfficeSwitchTest, TwoItemsOfOneProfileAreSwitchedOnceToTheChangedItemsState) {
  Install();
  AddVersion(L"3.1", HKEY_LOCAL_MACHINE);
  AddVersion(L"3.1", HKEY_CURRENT_USER);
  AddProfile(3);
  const Files original = Profile();
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);
  ASSERT_EQ(2u, items.size()) << "listed under both roots";
  // As the dialog numbers them; the user ticks the second.
  items[0].id = 1;
  items[1].id = 2;
  sw.SetItems(items);
  items[1].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_EQ(1, items[1].enabled);
  EXPECT_TRUE(Exists(Marker(3)));
  sw.SetItems(items);
  items[0].enabled = 0;  // now the first is unticked
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[1].enabled);
  EXPECT_EQ(original, Profile());

  // Two versions that share the OpenOffice.org 3 profile, as the runner sends them.
  hostfab::RemoveOpenOffice(*machine_);
  AddVersion(L"3.0", HKEY_LOCAL_MACHINE);
  AddVersion(L"3.2", HKEY_CURRENT_USER);
  COpenOfficeSW runner(L"OpenOffice.org", kOrdinary);
  SwitchItems both = Detect(runner);
  ASSERT_EQ(2u, both.size());
  for (SwitchItem& item : both) item.enabled = 1;
  runner.ApplyItems(both, true);
  EXPECT_EQ(1, both[0].enabled);
  EXPECT_EQ(1, both[1].enabled);
  EXPECT_EQ(1u, Count(testsupport::ReadWholeFile(Registry(3) + L"\\Addons.xcu"), "\"NORVA.Translate\""));
}

TEST_F(OpenOfficeSwitchTest, TheCommandLineFormTouchesOnlyAddonsAndLeavesNoMarker) {
  Install();
  AddVersion(L"3.2");
  AddProfile(3);
  const Files original = Profile();
  COpenOfficeSW sw(L"NORVA for OpenOffice", kOrdinary);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  items[0].option = 333;
  sw.ApplyItems(items, true);
  Files on = Profile();
  EXPECT_EQ(1u, Count(on[L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\Addons.xcu"],
                      "\"NORVA.Translate\""));
  EXPECT_FALSE(Exists(Marker(3)));
  EXPECT_EQ(0, Listed()[0].enabled) << "still shown off";
  on.erase(L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\Addons.xcu");
  Files rest = original;
  rest.erase(L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\Addons.xcu");
  EXPECT_EQ(rest, on) << "no other file changed";
  items[0].option = 333;
  items[0].enabled = 0;
  sw.ApplyItems(items, true);
  EXPECT_EQ(original, Profile());
  // Without the marker the ordinary switch-off takes the product's entries
  // away all the same, and changes nothing else.
  items[0].option = 333;
  items[0].enabled = 1;
  sw.ApplyItems(items, true);
  items[0].option = 0;
  items[0].enabled = 0;
  sw.ApplyItems(items, true);
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(original, Profile());
}

TEST_F(OpenOfficeSwitchTest, TheVqdEditionKeepsItsOwnEntriesWhenTheOrdinaryGoes) {
  Install(false);
  Install(true);
  AddVersion(L"3.2");
  std::wstring user = AddProfile(3);
  const Files original = Profile();
  for (int mode : {kOrdinary, kVqd}) {
    COpenOfficeSW sw(L"OpenOffice.org", mode);
    SwitchItems items = Detect(sw);
    items[0].enabled = 1;
    EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  }
  EXPECT_TRUE(Exists(Marker(3, false)));
  EXPECT_TRUE(Exists(Marker(3, true)));
  COpenOfficeSW ordinary(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(ordinary);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(ordinary, items));
  std::string xlc = testsupport::ReadWholeFile(user + L"\\basic\\script.xlc");
  EXPECT_EQ(0u, Count(xlc, "library:name=\"Norva\""));
  EXPECT_EQ(1u, Count(xlc, "library:name=\"NorvaVQD\""));
  EXPECT_TRUE(Exists(user + L"\\basic\\NorvaVQD\\Module1.xba"));
  EXPECT_FALSE(Exists(user + L"\\basic\\Norva"));
  EXPECT_EQ(1, Listed(kVqd)[0].enabled);
  COpenOfficeSW vqd(L"OpenOffice.org", kVqd);
  items = Detect(vqd);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(vqd, items));
  EXPECT_EQ(original, Profile());
}

TEST_F(OpenOfficeSwitchTest, ALockedFileStopsTheSwitchWithItsMessageAndLosesNothing) {
  Install();
  AddVersion(L"3.2");
  std::wstring user = AddProfile(3);
  const Files original = Profile();
  std::wstring states = appData_ + COpenOfficeSW::PathsFor(3).uiRel + L"\\WriterWindowState.xcu";
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);
  {
    HANDLE locked = CreateFileW(states.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    items[0].enabled = 1;
    EXPECT_EQ(ErrorText(L"OpenOffice.org", CExceptSW::kStepFailed), ApplyShowingErrors(sw, items));
    CloseHandle(locked);
  }
  EXPECT_EQ(0, items[0].enabled) << "keeps its old state";
  EXPECT_FALSE(Exists(Marker(3)));
  Files now = Profile();
  EXPECT_EQ(original.at(L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\UI\\WriterWindowState.xcu"),
            now[L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\UI\\WriterWindowState.xcu"]);
  // Once the file is free, a second attempt completes the work.
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_TRUE(Exists(Marker(3)));
  EXPECT_EQ(1u, Count(testsupport::ReadWholeFile(Registry(3) + L"\\Addons.xcu"), "\"NORVA.Translate\""));
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(original, Profile());
}

TEST_F(OpenOfficeSwitchTest, AMissingKeyBindingTemplateIsAnUnexpectedFailure) {
  Install();
  AddVersion(L"3.2");
  AddProfile(3);
  DeleteFileW((product_ + L"OOInst\\Accel.xml").c_str());
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(ErrorText(L"OpenOffice.org", CExceptSW::kOther), ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_FALSE(Exists(Marker(3)));
}

TEST_F(OpenOfficeSwitchTest, ALibraryFileThatCannotGoStopsSwitchingOffAndTheItemStaysOn) {
  Install();
  AddVersion(L"3.2");
  std::wstring user = AddProfile(3);
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  ASSERT_EQ(L"", ApplyShowingErrors(sw, items));
  // A library file that cannot be deleted.
  std::wstring module = user + L"\\basic\\Norva\\Module1.xba";
  HANDLE held = CreateFileW(module.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  items[0].enabled = 0;
  EXPECT_EQ(ErrorText(L"OpenOffice.org", CExceptSW::kStepFailed), ApplyShowingErrors(sw, items));
  CloseHandle(held);
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_TRUE(Exists(Marker(3))) << "the marker goes last";
  EXPECT_EQ(1, Listed()[0].enabled);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_FALSE(Exists(user + L"\\basic\\Norva"));
}

TEST_F(OpenOfficeSwitchTest, AFolderWithoutWriteAccessStopsTheSwitchHalfWayAndLosesNothing) {
  Install();
  AddVersion(L"3.2");
  AddProfile(3, true, TextForm{"\r\n", TextForm::Utf8});
  const Files original = Profile();
  std::wstring ui = appData_ + COpenOfficeSW::PathsFor(3).uiRel;
  RefuseNewFilesIn() = [ui](const std::wstring& folder) { return folder == ui; };
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(ErrorText(L"OpenOffice.org", CExceptSW::kStepFailed), ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_FALSE(Exists(Marker(3)));
  Files half = Profile();
  EXPECT_EQ(original.at(L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\UI\\WriterWindowState.xcu"),
            half[L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\UI\\WriterWindowState.xcu"]);
  EXPECT_EQ(original, half) << "the steps before are taken back";

  RefuseNewFilesIn() = nullptr;
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_TRUE(Exists(Marker(3)));

  RefuseNewFilesIn() = [ui](const std::wstring& folder) { return folder == ui; };
  items[0].enabled = 0;
  EXPECT_EQ(ErrorText(L"OpenOffice.org", CExceptSW::kStepFailed), ApplyShowingErrors(sw, items));
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_TRUE(Exists(Marker(3)));
  RefuseNewFilesIn() = nullptr;
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(original, Profile());
}

// Something in the way at one step of switching on: a file another program
// holds, an empty file, or a folder where the marker goes.
struct Obstacle {
  const char* name;
  const wchar_t* path;  // below the application-data folder, or, with inProduct, the product folder
  enum Kind { Locked, Emptied, Blocked } kind;
  bool onFails;
  bool inProduct = false;
};

void PrintTo(const Obstacle& obstacle, std::ostream* out) { *out << obstacle.name; }

constexpr wchar_t kOffice3[] = L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\";
const std::wstring kAddons3 = std::wstring(kOffice3) + L"Addons.xcu";
const std::wstring kEvents3 = std::wstring(kOffice3) + L"Events.xcu";
const std::wstring kStates3 = std::wstring(kOffice3) + L"UI\\WriterWindowState.xcu";
const std::wstring kMarker3 = std::wstring(kOffice3) + L"Addons.xcu.old";
const std::wstring kAccel3 = L"OpenOffice.org\\3\\user\\config\\soffice.cfg\\modules\\swriter\\accelerator\\ru\\current.xml";
const std::wstring kList3 = L"OpenOffice.org\\3\\user\\basic\\script.xlc";

class OpenOfficeObstacles : public OpenOfficeSwitchTest, public testing::WithParamInterface<Obstacle> {};

// Whatever stops switching on takes back every file the switch had changed,
// and switching off afterwards leaves the machine byte for byte as it was.
TEST_P(OpenOfficeObstacles, AFailedSwitchOnThenOffLeavesTheMachineAsItWas) {
  const Obstacle& row = GetParam();
  Install();
  AddVersion(L"3.2");
  AddProfile(3, true, TextForm{"\r\n", TextForm::Utf8});
  std::wstring path = (row.inProduct ? product_ : appData_ + L"\\") + row.path;
  if (row.kind == Obstacle::Emptied) oofiles::Write(path, "");
  if (row.kind == Obstacle::Blocked) {
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  }
  const Files original = oofiles::ReadTree(appData_);
  HANDLE held = INVALID_HANDLE_VALUE;
  if (row.kind == Obstacle::Locked) {
    held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held) << row.name;
  }
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);
  ASSERT_EQ(1u, items.size());
  items[0].enabled = 1;
  std::wstring shown = ApplyShowingErrors(sw, items);
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  EXPECT_EQ(row.onFails, !shown.empty()) << row.name;
  EXPECT_EQ(row.onFails ? 0 : 1, items[0].enabled) << row.name;
  if (row.onFails) {
    Files now = oofiles::ReadTree(appData_);
    EXPECT_EQ(original, now) << row.name << ": taken back\n" << oofiles::Differences(original, now);
  }

  sw.SetItems(items);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << row.name;
  EXPECT_EQ(0, items[0].enabled);
  Files now = oofiles::ReadTree(appData_);
  // Switching on keeps the library list as it was beside it.
  if (!row.onFails) {
    EXPECT_EQ(1u, now.erase(kList3 + L".old")) << row.name;
  }
  EXPECT_EQ(original, now) << row.name << ": after off\n" << oofiles::Differences(original, now);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, OpenOfficeObstacles,
    testing::Values(Obstacle{"Addons_xcu_locked", kAddons3.c_str(), Obstacle::Locked, true},
                    Obstacle{"Addons_xcu_empty", kAddons3.c_str(), Obstacle::Emptied, true},
                    Obstacle{"Events_xcu_locked", kEvents3.c_str(), Obstacle::Locked, false},
                    Obstacle{"Events_xcu_empty", kEvents3.c_str(), Obstacle::Emptied, false},
                    Obstacle{"window_states_locked", kStates3.c_str(), Obstacle::Locked, true},
                    Obstacle{"window_states_empty", kStates3.c_str(), Obstacle::Emptied, false},
                    Obstacle{"key_bindings_locked", kAccel3.c_str(), Obstacle::Locked, true},
                    Obstacle{"key_bindings_empty", kAccel3.c_str(), Obstacle::Emptied, false},
                    Obstacle{"library_template_locked", L"OOInst\\Norva\\Module1.xba", Obstacle::Locked, true, true},
                    Obstacle{"library_list_locked", kList3.c_str(), Obstacle::Locked, true},
                    Obstacle{"library_list_empty", kList3.c_str(), Obstacle::Emptied, true},
                    Obstacle{"marker_blocked", kMarker3.c_str(), Obstacle::Blocked, true}),
    [](const testing::TestParamInfo<Obstacle>& info) { return std::string(info.param.name); });

// OpenOffice.org 2.4 for the machine and 3.2 for the user, each with its
// profile: the first cannot be changed, the second is switched all the same.
TEST_F(OpenOfficeSwitchTest, AProfileThatFailsDoesNotStopTheNextOne) {
  Install();
  AddVersion(L"2.4", HKEY_LOCAL_MACHINE);
  AddVersion(L"3.2", HKEY_CURRENT_USER);
  AddProfile(2);
  AddProfile(3);
  std::wstring readOnly = Registry(2) + L"\\Addons.xcu";
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  const Files original = oofiles::ReadTree(appData_);
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);
  ASSERT_EQ(2u, items.size());
  ASSERT_EQ(L"OpenOffice.org Writer 2.4", items[0].name);
  for (SwitchItem& item : items) item.enabled = 1;
  EXPECT_EQ(ErrorText(L"OpenOffice.org", CExceptSW::kStepFailed), ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled) << "the failing profile keeps its state";
  EXPECT_EQ(1, items[1].enabled) << "the next profile is switched";
  EXPECT_FALSE(Exists(Marker(2)));
  EXPECT_TRUE(Exists(Marker(3)));
  EXPECT_EQ(1u, Count(testsupport::ReadWholeFile(Registry(3) + L"\\Addons.xcu"), "\"NORVA.Translate\""));

  // The silent runner goes on the same way.
  COpenOfficeSW runner(L"OpenOffice.org", kOrdinary);
  SwitchItems silent = Detect(runner);
  for (SwitchItem& item : silent) item.enabled = 0;
  runner.ApplyItems(silent, true);
  EXPECT_EQ(0, silent[1].enabled);
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  Files now = oofiles::ReadTree(appData_);
  EXPECT_EQ(1u, now.erase(L"OpenOffice.org\\3\\user\\basic\\script.xlc.old"));
  EXPECT_EQ(original, now) << oofiles::Differences(original, now);
}

// A profile before its user changed anything: switching on makes the
// window-state file with its folder and the three sections of "Addons.xcu";
// switching off takes them all away again.
TEST_F(OpenOfficeSwitchTest, WhatSwitchingOnMadeGoesWithSwitchingOff) {
  for (bool vqd : {false, true}) {
    Install(vqd);
    AddVersion(L"3.1");
    std::wstring user = hostfab::AddOpenOfficeBareProfile(*machine_, appData_, 3);
    const Files original = oofiles::ReadTree(appData_);
    COpenOfficeSW sw(L"OpenOffice.org", vqd ? kVqd : kOrdinary);
    SwitchItems items = Detect(sw);
    items[0].enabled = 1;
    EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
    std::string addons = testsupport::ReadWholeFile(Registry(3) + L"\\Addons.xcu");
    EXPECT_EQ(1u, Count(addons, "  <node oor:name=\"OfficeToolBar\">")) << addons;
    EXPECT_TRUE(Exists(Registry(3) + L"\\UI\\WriterWindowState.xcu"));
    EXPECT_TRUE(Exists(Registry(3) + L"\\Events.xcu"));
    sw.SetItems(items);
    items[0].enabled = 0;
    EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
    Files now = oofiles::ReadTree(appData_);
    EXPECT_EQ(1u, now.erase(L"OpenOffice.org\\3\\user\\basic\\script.xlc.old"));
    EXPECT_EQ(original, now) << (vqd ? "VQD" : "ordinary") << "\n" << oofiles::Differences(original, now);
    std::filesystem::remove_all(appData_ + L"\\OpenOffice.org");
    hostfab::RemoveOpenOffice(*machine_);
  }
}

// A crash before any step of switching on or off: the profile stays valid,
// the item shows its old state, and a second attempt completes the switch.
class OpenOfficeCrash : public OpenOfficeSwitchTest, public testing::WithParamInterface<const wchar_t*> {
 protected:
  DWORD RunChild(int enabled, const wchar_t* step) {
    testsupport::ChildProcess child;
    std::wstring command = L"\"" + testsupport::SiblingPath(L"quenlo_openoffice_crash_child.exe") + L"\" \"" +
                           appData_ + L"\" " + std::to_wstring(kOrdinary) + L" " + std::to_wstring(enabled) +
                           L" \"" + step + L"\"";
    EXPECT_TRUE(child.Start(command));
    DWORD code = 1234;
    EXPECT_TRUE(child.Wait(60000, &code)) << "the child did not end";
    return code;
  }
  void ExpectValid(const Files& files) {
    for (const auto& [path, bytes] : files) {
      ProfileText text;
      EXPECT_TRUE(ParseProfileText(bytes, text)) << std::string(path.begin(), path.end());
      EXPECT_EQ(std::wstring::npos, path.find(L".tmp")) << "a temporary file was left";
    }
  }
};

TEST_P(OpenOfficeCrash, TheProfileStaysValidAndASecondAttemptCompletes) {
  const wchar_t* step = GetParam();
  Install();
  AddVersion(L"3.2");
  AddProfile(3, true, TextForm{"\r\n", TextForm::Utf8});
  const Files original = Profile();
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);

  EXPECT_EQ(77u, RunChild(1, step));
  ExpectValid(Profile());
  EXPECT_FALSE(Exists(Marker(3)));
  EXPECT_EQ(0, Listed()[0].enabled);
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  const Files on = Profile();
  std::string addons = on.at(L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\Addons.xcu");
  EXPECT_EQ(1u, Count(addons, "\"NORVA.Translate\""));
  EXPECT_EQ(1u, Count(on.at(L"OpenOffice.org\\3\\user\\basic\\script.xlc"), "library:name=\"Norva\""));

  EXPECT_EQ(77u, RunChild(0, step));
  ExpectValid(Profile());
  EXPECT_TRUE(Exists(Marker(3)));
  EXPECT_EQ(1, Listed()[0].enabled);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(original, Profile());
}

// A switch-on that never finished left entries but no marker: the item is
// off, and switching it off takes every entry away.
TEST_P(OpenOfficeCrash, ASwitchOnThatNeverFinishedIsTakenOffWithoutItsMarker) {
  const wchar_t* step = GetParam();
  Install();
  AddVersion(L"3.2");
  AddProfile(3, true, TextForm{"\r\n", TextForm::Utf8});
  const Files original = oofiles::ReadTree(appData_);
  EXPECT_EQ(77u, RunChild(1, step));
  COpenOfficeSW sw(L"OpenOffice.org", kOrdinary);
  SwitchItems items = Detect(sw);
  ASSERT_EQ(0, items[0].enabled);
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  Files now = oofiles::ReadTree(appData_);
  now.erase(L"OpenOffice.org\\3\\user\\basic\\script.xlc.old");
  EXPECT_EQ(original, now) << oofiles::Differences(original, now);
}

INSTANTIATE_TEST_SUITE_P(Steps, OpenOfficeCrash,
                         testing::Values(L"Addons.xcu", L"Events.xcu", L"WriterWindowState.xcu", L"current.xml",
                                         L"library files", L"script.xlc", L"marker"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) {
                           std::string name;
                           for (const wchar_t* c = info.param; *c; ++c) name += iswalnum(*c) ? char(*c) : '_';
                           return name;
                         });

bool Present(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Quenlo.exe itself over the real user folders of the Wine prefix.
class OpenOfficeProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    machine_ = std::make_unique<hostfab::FabricatedMachine>(ProcessTempFolder(L"quenlo-oo-program-"));
    appData_ = RoamingAppDataFolder();
    ASSERT_FALSE(appData_.empty());
    ASSERT_FALSE(Present(appData_ + L"\\OpenOffice.org")) << "the prefix already has a profile";
    hostfab::RemoveOpenOffice(*machine_);
    hostfab::InstallOpenOfficePlugin(*machine_, false);
    hostfab::AddOpenOfficeVersion(*machine_, HKEY_LOCAL_MACHINE, L"3.2");
    hostfab::AddOpenOfficeProfile(*machine_, appData_, 3);
  }
  void TearDown() override { machine_.reset(); }

  // Runs Quenlo.exe; answers the message boxes any process showed meanwhile.
  std::vector<testsupport::SeenWindow> Run(const std::wstring& arguments) {
    testsupport::DialogWatcher watcher(true);
    watcher.Press(L"", IDOK);
    testsupport::ChildProcess child;
    EXPECT_TRUE(child.Start(L"\"" + testsupport::SiblingPath(L"Quenlo.exe") + L"\" " + arguments));
    EXPECT_TRUE(child.Wait(60000)) << "Quenlo.exe did not end";
    return watcher.Seen();
  }
  Files Profile() const {
    Files files = oofiles::Read(appData_ + L"\\OpenOffice.org");
    files.erase(L"3\\user\\basic\\script.xlc.old");
    return files;
  }
  std::string Addons() const {
    return testsupport::ReadWholeFile(appData_ + COpenOfficeSW::PathsFor(3).regRel + L"\\Addons.xcu");
  }
  bool Marked() const { return Present(appData_ + COpenOfficeSW::PathsFor(3).regRel + L"\\Addons.xcu.old"); }

  std::unique_ptr<hostfab::FabricatedMachine> machine_;
  std::wstring appData_;
};

TEST_F(OpenOfficeProgramTest, IooAndUooEditAddonsOnlyAndNeverShowAMessage) {
  const Files original = Profile();
  EXPECT_TRUE(Run(L"/ioo").empty());
  EXPECT_EQ(1u, Count(Addons(), "\"NORVA.Translate\""));
  EXPECT_FALSE(Marked());
  EXPECT_TRUE(Run(L"/uoo").empty());
  EXPECT_EQ(original, Profile());

  // A failure is not shown either: the file held by another program stays as it was.
  std::wstring path = appData_ + COpenOfficeSW::PathsFor(3).regRel + L"\\Addons.xcu";
  HANDLE locked = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, locked);
  std::vector<testsupport::SeenWindow> seen = Run(L"/ioo");
  CloseHandle(locked);
  EXPECT_TRUE(seen.empty()) << "a message box showed: " << (seen.empty() ? 0 : seen[0].texts.size());
  EXPECT_EQ(original, Profile());
}

TEST_F(OpenOfficeProgramTest, TheCodesAndTheWholeRunSwitchTheProfile) {
  const Files original = Profile();
  EXPECT_TRUE(Run(L"/i oop").empty());
  EXPECT_FALSE(Marked()) << "the VQD edition is not installed";
  EXPECT_TRUE(Run(L"/i oo").empty());
  EXPECT_TRUE(Marked());
  EXPECT_TRUE(Run(L"/u oo").empty());
  EXPECT_EQ(original, Profile());
  EXPECT_TRUE(Run(L"/i").empty());
  EXPECT_TRUE(Marked());
  EXPECT_EQ(1u, Count(Addons(), "\"NORVA.Translate\""));
  EXPECT_TRUE(Run(L"/u").empty());
  EXPECT_EQ(original, Profile());
}

}  // namespace
