// The Acrobat switch over a fabricated machine: versions of Adobe Acrobat
// and Adobe Reader, both editions of the product's plug-in, and the shared
// register "plugins.ini".
#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "AcrobatMessengerHosts.h"
#include "HostFixture.h"
#include "LogCapture.h"
#include "TempFolder.h"
#include "Utf16File.h"
#include "extmanager/app/QuenloLog.h"
#include "extmanager/hostfiles/IniText.h"
#include "extmanager/switches/AcrobatSwitch.h"

namespace {

constexpr int kAcrobat = 0x1, kAcrobatVqd = 0x100000;

class AcrobatSwitchTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    Seams().userIsAdmin = true;  // the switch changes nothing for others
    hostfab::RemoveAdobe(*machine_);
    register_ = std::make_unique<hostfab::KeptFile>(hostfab::AcrobatRegisterPath());
  }
  void TearDown() override {
    register_.reset();
    HostTest::TearDown();
  }
  std::string Register() const { return testsupport::ReadWholeFile(register_->Path()); }
  // Installs the edition's plug-in and Adobe Acrobat 9.0; returns its folder.
  std::wstring Acrobat9(bool vqd = false) {
    hostfab::InstallAcrobatPlugin(*machine_, vqd);
    return hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"9.0");
  }
  void WatchAll(const std::wstring& folder) {
    machine_->WatchFolder(folder);
    machine_->WatchFolder(register_->Path().substr(0, register_->Path().rfind(L'\\')));
  }

  std::unique_ptr<hostfab::KeptFile> register_;
};

TEST_F(AcrobatSwitchTest, NoPluginOrNoVersionMeansTheSwitchIsNotShown) {
  CAcrobatSW sw(L"Adobe Acrobat", kAcrobat);
  EXPECT_FALSE(sw.IsPluginInstalled()) << "no Folders value";
  std::wstring folder = machine_->MakeProductFolder(L"Acrobat", L"Acrobat");
  EXPECT_FALSE(sw.IsPluginInstalled()) << "no plug-in file";
  hostfab::InstallAcrobatPlugin(*machine_, false);
  EXPECT_TRUE(sw.IsPluginInstalled());
  EXPECT_EQ(folder + L"Pelvane.API", sw.PluginFile());
  CAcrobatSW vqd(L"Adobe Acrobat (VQD)", kAcrobatVqd);
  EXPECT_FALSE(vqd.IsPluginInstalled()) << "the VQD edition reads its own value";
  EXPECT_EQ(0, sw.IsAppInstalled());
  hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"9.0", false);
  CAcrobatSW noPlugIns(L"Adobe Acrobat", kAcrobat);
  EXPECT_EQ(0, noPlugIns.IsAppInstalled()) << "a version without a plug_ins folder";
}

TEST_F(AcrobatSwitchTest, VersionsOfBothRootsAreListedOnceSortedAndToldApart) {
  hostfab::InstallAcrobatPlugin(*machine_, false);
  std::wstring acrobat9 = hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"9.0");
  hostfab::AddAcrobatVersion(*machine_, HKEY_CURRENT_USER, L"Adobe Acrobat", L"9.0", true, acrobat9);
  hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"5.0");
  hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"7.0a");
  hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"6.0");
  hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"10.1.2");
  std::wstring readerUser = machine_->Root() + L"Users\\bob\\Reader 10.1.2";
  hostfab::AddAcrobatVersion(*machine_, HKEY_CURRENT_USER, L"Acrobat Reader", L"10.1.2", true, readerUser);
  std::wstring readerMachine = machine_->Root() + L"Programs\\Adobe\\Acrobat Reader 10.1.2\\Reader";
  machine_->WriteFile(acrobat9 + L"\\plug_ins\\NRVA9\\Pelvane.API", "already there");

  CAcrobatSW sw(L"Adobe Acrobat", kAcrobat);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  std::vector<std::wstring> names;
  for (const SwitchItem& item : items) names.push_back(item.name);
  std::vector<std::wstring> expected = {L"Adobe Reader 10.1.2 at " + readerUser,
                                        L"Adobe Reader 10.1.2 at " + readerMachine, L"Adobe Acrobat 9.0",
                                        L"Adobe Acrobat 6.0"};
  EXPECT_EQ(expected, names);
  ASSERT_EQ(4u, items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(static_cast<int>(i), items[i].tag);
    EXPECT_EQ(kAcrobat, items[i].kind);
    EXPECT_EQ(L"Adobe Acrobat", items[i].group);
    EXPECT_EQ(0, items[i].unavailable);
    EXPECT_EQ(names[i] == L"Adobe Acrobat 9.0" ? 1 : 0, items[i].enabled) << names[i];
  }
  EXPECT_EQ((std::pair<std::wstring, int>(L"Acrobat", kAcrobat)), sw.GetGroup());
}

struct Edition {
  const char* name;
  bool vqd;
  int kind;
  const wchar_t* file;
  const wchar_t* folder;
};

class AcrobatEditions : public AcrobatSwitchTest, public testing::WithParamInterface<Edition> {};

TEST_P(AcrobatEditions, OnCopiesAndRegistersOffPutsEveryByteBack) {
  const Edition& edition = GetParam();
  hostfab::InstallAcrobatPlugin(*machine_, edition.vqd);
  std::wstring acrobat = hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"9.0");
  std::wstring reader = hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"10.1");
  // The user's register already holds another entry and a comment of its own.
  const std::string original = "; written by hand\r\n[PLUGINS]\r\nAAR8.0=C:\\Old\\plug_ins\\NRVA9\r\n\r\n[Other]\r\nx=1\r\n";
  machine_->WriteFile(register_->Path(), original);
  machine_->WatchFolder(machine_->Root() + L"Programs");
  machine_->WatchFolder(register_->Path().substr(0, register_->Path().rfind(L'\\')));
  hostfab::Footprint before = machine_->Snapshot();

  CAcrobatSW sw(L"Adobe Acrobat", edition.kind);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  ASSERT_EQ(2u, items.size()) << edition.name;
  for (SwitchItem& item : items) {
    EXPECT_EQ(edition.kind, item.kind) << edition.name;
    item.enabled = 1;
  }
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << edition.name;
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_EQ(1, items[1].enabled);
  std::wstring acrobatFolder = acrobat + L"\\plug_ins\\" + edition.folder;
  std::wstring readerFolder = reader + L"\\plug_ins\\" + edition.folder;
  EXPECT_TRUE(Exists(acrobatFolder + L"\\" + edition.file)) << edition.name;
  EXPECT_TRUE(Exists(readerFolder + L"\\" + edition.file)) << edition.name;
  IniFile ini;
  ASSERT_TRUE(DecodeIni(Register(), ini));
  EXPECT_EQ(acrobatFolder, ReadIniKey(ini.text, L"PLUGINS", L"AA9.0").value_or(L"(none)")) << edition.name;
  EXPECT_EQ(readerFolder, ReadIniKey(ini.text, L"PLUGINS", L"AAR10.1").value_or(L"(none)")) << edition.name;
  EXPECT_EQ(0u, Register().find("; written by hand\r\n[PLUGINS]\r\nAAR8.0=C:\\Old\\plug_ins\\NRVA9\r\n"));
  CAcrobatSW reread(L"Adobe Acrobat", edition.kind);
  for (const SwitchItem& item : Detect(reread)) EXPECT_EQ(1, item.enabled) << edition.name;

  // On again changes nothing, not even the register.
  std::string on = Register();
  sw.ApplyItems(items, true);
  EXPECT_EQ(on, Register());

  for (SwitchItem& item : items) item.enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << edition.name;
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(before, machine_->Snapshot())) << edition.name;
  EXPECT_EQ(original, Register());
  EXPECT_TRUE(Exists(acrobat + L"\\plug_ins")) << "the plug_ins folder itself stays";
}

INSTANTIATE_TEST_SUITE_P(
    Both, AcrobatEditions,
    testing::Values(Edition{"ordinary", false, kAcrobat, L"Pelvane.API", L"NRVA9"},
                    Edition{"VQD", true, kAcrobatVqd, L"PelvaneVQD.API", L"NRVA9VQD"}));

TEST_F(AcrobatSwitchTest, ACleanMachineGetsItsRegisterAndLosesItAgain) {
  std::wstring acrobat = Acrobat9();
  register_->Clear();
  // A clean machine has none of the register's folders below the common
  // application data (empty ones that an earlier program left go now).
  wchar_t common[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)));
  std::wstring product = std::wstring(common) + L"\\Norvasoft";
  for (const wchar_t* level : {L"\\NRVA\\9.0\\Acrobat", L"\\NRVA\\9.0", L"\\NRVA", L""})
    RemoveDirectoryW((product + level).c_str());
  ASSERT_FALSE(Exists(product)) << "the machine has product data below the common application data";
  CAcrobatSW sw(L"Adobe Acrobat", kAcrobat);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  ASSERT_EQ(1u, items.size());
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ("[PLUGINS]\r\nAA9.0=" + std::string(acrobat.begin(), acrobat.end()) + "\\plug_ins\\NRVA9\r\n", Register());
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_FALSE(Exists(register_->Path())) << "a register with nothing in it goes";
  EXPECT_FALSE(Exists(product)) << "and so do the folders made for it";
  EXPECT_FALSE(Exists(acrobat + L"\\plug_ins\\NRVA9"));
}

TEST_F(AcrobatSwitchTest, TheTwoEditionsKeepTheirOwnItems) {
  hostfab::InstallAcrobatPlugin(*machine_, true);
  std::wstring acrobat = Acrobat9(false);
  CAcrobatSW plain(L"Adobe Acrobat", kAcrobat);
  CAcrobatSW vqd(L"Adobe Acrobat (VQD)", kAcrobatVqd);
  ASSERT_TRUE(plain.IsPluginInstalled());
  ASSERT_TRUE(vqd.IsPluginInstalled());
  SwitchItems vqdItems = Detect(vqd);
  Detect(plain);
  std::vector<int> kinds;
  plain.GetKinds(kinds);
  vqd.GetKinds(kinds);
  EXPECT_EQ((std::vector<int>{kAcrobat, kAcrobatVqd}), kinds);
  // The VQD item handed to the ordinary switch (as a tree collecting by kind
  // once did) never puts the ordinary file in place.
  ASSERT_EQ(1u, vqdItems.size());
  vqdItems[0].enabled = 1;
  plain.ApplyItems(vqdItems, true);
  EXPECT_FALSE(Exists(acrobat + L"\\plug_ins\\NRVA9"));
  vqd.ApplyItems(vqdItems, true);
  EXPECT_TRUE(Exists(acrobat + L"\\plug_ins\\NRVA9VQD\\PelvaneVQD.API"));
  EXPECT_FALSE(Exists(acrobat + L"\\plug_ins\\NRVA9"));
}

TEST_F(AcrobatSwitchTest, AStandardUserIsToldAndNothingChanges) {
  std::wstring acrobat = Acrobat9();
  std::wstring reader = hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"10.1");
  Seams().userIsAdmin = false;
  CAcrobatSW sw(L"Adobe Acrobat", kAcrobat);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  ASSERT_EQ(2u, items.size());
  ASSERT_EQ(L"Adobe Reader 10.1", items[0].name);
  // The tree hands over both items; only the second was ticked.
  items[1].enabled = 1;
  EXPECT_EQ(ErrorText(L"Adobe Acrobat", 2), ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled) << "left as it was";
  EXPECT_EQ(0, items[1].enabled) << "refused";
  EXPECT_FALSE(Exists(acrobat + L"\\plug_ins\\NRVA9"));
  EXPECT_FALSE(Exists(reader + L"\\plug_ins\\NRVA9"));
}

// A plug-in file that cannot go: read-only, or held open by Acrobat.
enum class Hold { ReadOnly, Locked };
class AcrobatStuckFile : public AcrobatSwitchTest, public testing::WithParamInterface<Hold> {};

TEST_P(AcrobatStuckFile, SwitchingOffStopsWithTheVersionUntouched) {
  std::wstring acrobat = Acrobat9();
  CAcrobatSW sw(L"Adobe Acrobat", kAcrobat);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  sw.ApplyItems(items, true);
  ASSERT_EQ(1, items[0].enabled);
  std::wstring plugin = acrobat + L"\\plug_ins\\NRVA9\\Pelvane.API";
  machine_->WriteFile(acrobat + L"\\plug_ins\\NRVA9\\notes.txt", "the user's");
  machine_->WatchFolder(acrobat);
  hostfab::Footprint before = machine_->Snapshot();
  std::string on = Register();
  HANDLE held = INVALID_HANDLE_VALUE;
  if (GetParam() == Hold::ReadOnly)
    SetFileAttributesW(plugin.c_str(), FILE_ATTRIBUTE_READONLY);
  else
    held = CreateFileW(plugin.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  items[0].enabled = 0;
  EXPECT_EQ(ErrorText(L"Adobe Acrobat", 1), ApplyShowingErrors(sw, items));
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  SetFileAttributesW(plugin.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(before, machine_->Snapshot()));
  EXPECT_EQ(on, Register());
}

INSTANTIATE_TEST_SUITE_P(Holds, AcrobatStuckFile, testing::Values(Hold::ReadOnly, Hold::Locked));

TEST_F(AcrobatSwitchTest, AnUnwritableRegisterTakesTheCopyBack) {
  std::wstring acrobat = Acrobat9();
  const std::string original = "[PLUGINS]\r\nAAR8.0=C:\\Old\r\n";
  machine_->WriteFile(register_->Path(), original);
  SetFileAttributesW(register_->Path().c_str(), FILE_ATTRIBUTE_READONLY);
  CAcrobatSW sw(L"Adobe Acrobat", kAcrobat);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(ErrorText(L"Adobe Acrobat", 1), ApplyShowingErrors(sw, items));
  SetFileAttributesW(register_->Path().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(original, Register());
  EXPECT_FALSE(Exists(acrobat + L"\\plug_ins\\NRVA9"));
}

TEST_F(AcrobatSwitchTest, AFolderThatRefusesTheCopyLeavesNothingBehind) {
  std::wstring acrobat = Acrobat9();
  // Where the plug-in's folder should go stands a file of that name.
  machine_->WriteFile(acrobat + L"\\plug_ins\\NRVA9", "not a folder");
  machine_->WatchFolder(acrobat);
  hostfab::Footprint before = machine_->Snapshot();
  CAcrobatSW sw(L"Adobe Acrobat", kAcrobat);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(ErrorText(L"Adobe Acrobat", 2), ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(before, machine_->Snapshot()));
  EXPECT_FALSE(Exists(register_->Path()) && Register().find("AA9.0") != std::string::npos);
}

TEST_F(AcrobatSwitchTest, TheLogTellsWhyAndWhoWasRefused) {
  LogCapture log;
  CAcrobatSW missing(L"Adobe Acrobat", kAcrobat);
  EXPECT_FALSE(missing.IsPluginInstalled());
  Acrobat9();
  Seams().userIsAdmin = false;
  CAcrobatSW sw(L"Adobe Acrobat", kAcrobat);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  sw.ApplyItems(items, true);
  std::wstring text = log.Text();
  EXPECT_NE(std::wstring::npos, text.find(L"\r\nAcrobat#Acrobat#No key in registry\r\n"));
  EXPECT_NE(std::wstring::npos, text.find(L"\r\nAcrobat#Plugin#No Plugin(AcroVersion)\r\n"));
  EXPECT_NE(std::wstring::npos, text.find(L"\r\nAdobe Acrobat 9.0#Adobe Acrobat#Standard user\r\n"));
  // Each record names the unit that wrote it: the switch, or its version discovery.
  std::vector<std::wstring> units = log.Units();
  ASSERT_FALSE(units.empty());
  for (const std::wstring& unit : units)
    EXPECT_TRUE(unit == L"AcrobatSW.cpp" || unit == L"AcroVersion.cpp") << std::string(unit.begin(), unit.end());
  EXPECT_NE(units.end(), std::find(units.begin(), units.end(), L"AcroVersion.cpp"));
}

}  // namespace
