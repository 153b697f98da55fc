// The messenger switches over a fabricated machine: Windows Live Messenger
// and ICQ (reported only), QIP Infium (plug-in files and recorded state)
// and Skype (recorded state).
#include <optional>

#include "AcrobatMessengerHosts.h"
#include "ChildProcess.h"
#include "HostFixture.h"
#include "LogCapture.h"
#include "TempFolder.h"
#include "extmanager/probes/InstalledPrograms.h"
#include "extmanager/switches/ICQSwitch.h"
#include "extmanager/switches/MsnSwitch.h"
#include "extmanager/switches/QIPInfiumSwitch.h"
#include "extmanager/switches/SkypeSwitch.h"

namespace {

const std::wstring kQipName = L"NORVA для QIP Infium";
const std::wstring kSkypeName = L"NORVA для Skype";

class MessengerTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    hostfab::ClearMessengerStates(*machine_);
    machine_->DeleteKey(HKEY_CURRENT_USER, hostfab::kMsnKey);
  }
  // The recorded DWORD, none when absent.
  static std::optional<DWORD> Recorded(const wchar_t* name) {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, hostfab::kMessengersKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    return value;
  }
  // QIP Infium with the product's plug-in; returns the plug-in folder inside the messenger.
  std::wstring Qip(HKEY root = HKEY_LOCAL_MACHINE, DWORD language = 0x419) {
    hostfab::InstallQipPlugin(*machine_, language);
    qipFolder_ = hostfab::AddQipInfium(*machine_, root);
    return qipFolder_ + L"\\Plugins\\NorvaQIP\\";
  }
  static SwitchItems Switched(CSwitch& sw, int state) {
    SwitchItems items = Detect(sw);
    for (SwitchItem& item : items) item.enabled = state;
    sw.ApplyItems(items, true);
    return items;
  }
  std::wstring qipFolder_;
};

TEST_F(MessengerTest, WindowsLiveMessengerIsOneItemThatCannotBeSwitched) {
  CMsnSW sw(L"NORVA для Windows Live Messenger");
  EXPECT_FALSE(sw.IsPluginInstalled()) << "no Folders value";
  machine_->MakeProductFolder(L"NorvaMSN", L"MSN");
  EXPECT_FALSE(sw.IsPluginInstalled()) << "no help file";
  hostfab::InstallMsnAddOn(*machine_);
  EXPECT_TRUE(sw.IsPluginInstalled());
  machine_->SetString(HKEY_LOCAL_MACHINE, hostfab::kMsnKey, L"AppSettings", L"1");
  EXPECT_EQ(0, sw.IsAppInstalled()) << "the machine's key does not count";
  hostfab::AddWindowsLiveMessenger(*machine_);
  SwitchItems items = Detect(sw);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(L"Windows Live Messenger", items[0].name);
  EXPECT_EQ(-1, items[0].enabled);
  EXPECT_EQ(0x800, items[0].kind);
  EXPECT_EQ(1, items[0].unavailable);
  EXPECT_EQ(L"NORVA для Windows Live Messenger", items[0].group);
  machine_->Watch(HKEY_CURRENT_USER, hostfab::kMsnKey);
  hostfab::Footprint before = machine_->Snapshot();
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(before, machine_->Snapshot()));
}

// A record names the switch that wrote it as a bare unit name, also when
// the companion's folder is looked up on the switch's behalf.
TEST_F(MessengerTest, RecordsNameTheMessengerSwitchThatWroteThem) {
  struct Row {
    std::unique_ptr<CSwitch> sw;
    const wchar_t* unit;
  };
  Row rows[] = {{std::make_unique<CMsnSW>(L"MSN"), L"MsnSW.cpp"},
                {std::make_unique<CQIPInfiumSW>(kQipName), L"QIPInfiumSW.cpp"},
                {std::make_unique<CSkypeSW>(kSkypeName), L"SkypeSW.cpp"},
                {std::make_unique<CICQSW>(L"NORVA для ICQ"), L"ICQSW.cpp"}};
  for (Row& row : rows) {
    LogCapture log;
    EXPECT_FALSE(row.sw->IsPluginInstalled()) << "no companion folder";
    EXPECT_EQ(std::vector<std::wstring>{row.unit}, log.Units()) << std::string(row.unit, row.unit + wcslen(row.unit));
  }
  LogCapture log;
  CMsnSW msn(L"MSN");
  EXPECT_EQ(0, msn.IsAppInstalled()) << "no Messenger key";
  EXPECT_EQ(std::vector<std::wstring>{L"MsnSW.cpp"}, log.Units());
  EXPECT_NE(std::wstring::npos,
            log.Text().find(L"Windows Live Messenger#REGISTRY#Windows Live Messenger isn't installed"));
}

TEST_F(MessengerTest, EveryIcqButItsToolbarIsAGreyedItem) {
  CICQSW sw(L"NORVA для ICQ");
  machine_->MakeProductFolder(L"NrvaICQ", L"ICQ");
  EXPECT_FALSE(sw.IsPluginInstalled()) << "no companion program";
  hostfab::InstallIcqCompanion(*machine_);
  EXPECT_TRUE(sw.IsPluginInstalled());
  hostfab::AddIcq(*machine_, L"ICQ Toolbar");
  EXPECT_EQ(0, sw.IsAppInstalled());
  hostfab::AddIcq(*machine_, L"ICQ 7.8");
  hostfab::AddIcq(*machine_, L"ICQ 6.5");
  CICQSW listed(L"NORVA для ICQ");
  SwitchItems items = Detect(listed);
  ASSERT_EQ(2u, items.size());
  for (const SwitchItem& item : items) {
    EXPECT_NE(std::wstring::npos, item.name.find(L"ICQ ")) << item.name;
    EXPECT_EQ(0, item.enabled);
    EXPECT_EQ(1, item.unavailable);
    EXPECT_EQ(0x4000, item.kind);
  }
  EXPECT_EQ((std::pair<std::wstring, int>(L"ICQ", 0x4000)), listed.GetGroup());
}

struct QipCase {
  const char* name;
  HKEY root;
  DWORD language;
  const wchar_t* languageFile;
};

class QipOnOff : public MessengerTest, public testing::WithParamInterface<QipCase> {};

TEST_P(QipOnOff, OnCopiesAndRecordsOffPutsTheFilesBack) {
  const QipCase& c = GetParam();
  std::wstring plugin = Qip(c.root, c.language);
  machine_->WatchFolder(qipFolder_);
  hostfab::Footprint before = machine_->Snapshot();
  CQIPInfiumSW sw(kQipName);
  ASSERT_TRUE(sw.IsPluginInstalled()) << c.name;
  SwitchItems items = Detect(sw);
  ASSERT_EQ(1u, items.size()) << c.name;
  EXPECT_EQ(L"QIP Infium", items[0].name);
  EXPECT_EQ(0, items[0].enabled) << "never recorded: off";
  EXPECT_EQ(0x1000, items[0].kind);
  EXPECT_EQ(qipFolder_, sw.InstallLocation());
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << c.name;
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_EQ("MZ QIP plug-in stand-in", testsupport::ReadWholeFile(plugin + L"NorvaQIP.dll")) << c.name;
  EXPECT_EQ("MZ QIP language library stand-in", testsupport::ReadWholeFile(plugin + c.languageFile)) << c.name;
  EXPECT_EQ(std::optional<DWORD>(1), Recorded(L"QIP Infium"));
  CQIPInfiumSW reread(kQipName);
  EXPECT_EQ(1, Detect(reread)[0].enabled);

  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << c.name;
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(before, machine_->Snapshot())) << c.name;
  EXPECT_EQ(std::optional<DWORD>(0), Recorded(L"QIP Infium"));
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items)) << "files already gone: no error";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QipOnOff,
    testing::Values(QipCase{"machine entry, Russian", HKEY_LOCAL_MACHINE, 0x419, L"NorvaQIPResRUS.dll"},
                    QipCase{"current user's entry, English", HKEY_CURRENT_USER, 0x409, L"NorvaQIPResENU.dll"},
                    QipCase{"no interface language: the default", HKEY_LOCAL_MACHINE, 0, L"NorvaQIPResRUS.dll"}));

TEST_F(MessengerTest, ARunningQipKeepsItsFilesAndTheRecordSaysSo) {
  std::wstring plugin = Qip();
  CQIPInfiumSW sw(kQipName);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Switched(sw, 1);
  ASSERT_EQ(1, items[0].enabled);
  // A stand-in messenger with QIP Infium's image name.
  std::wstring image = machine_->CopyFile(testsupport::SiblingPath(L"test_child.exe"),
                                          machine_->Root() + L"running\\infium.exe");
  testsupport::ChildProcess messenger;
  ASSERT_TRUE(messenger.Start(L"\"" + image + L"\" sleep 60000"));
  bool seen = false;
  for (int i = 0; i < 100 && !seen; ++i) {
    seen = IsProcessRunning(L"infium.exe");
    if (!seen) Sleep(50);
  }
  ASSERT_TRUE(seen);
  items[0].enabled = 0;
  EXPECT_EQ(ErrorText(kQipName, 1), ApplyShowingErrors(sw, items));
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_TRUE(Exists(plugin + L"NorvaQIP.dll"));
  EXPECT_TRUE(Exists(plugin + L"NorvaQIPResRUS.dll"));
  EXPECT_EQ(std::optional<DWORD>(1), Recorded(L"QIP Infium"));
  messenger.Kill();
  messenger.Wait(10000);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_FALSE(Exists(plugin));
  EXPECT_EQ(std::optional<DWORD>(0), Recorded(L"QIP Infium"));
}

TEST_F(MessengerTest, AQipWithoutAPluginsFolderIsNotSwitchedOn) {
  hostfab::InstallQipPlugin(*machine_);
  qipFolder_ = hostfab::AddQipInfium(*machine_, HKEY_LOCAL_MACHINE, false);
  machine_->WatchFolder(qipFolder_);
  hostfab::Footprint before = machine_->Snapshot();
  CQIPInfiumSW sw(kQipName);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(ErrorText(kQipName, 1), ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(before, machine_->Snapshot()));
  EXPECT_FALSE(Recorded(L"QIP Infium").has_value());
}

TEST_F(MessengerTest, ARefusedRecordLeavesTheQipFilesAsTheyWere) {
  std::wstring plugin = Qip();
  machine_->WatchFolder(qipFolder_);
  hostfab::Footprint before = machine_->Snapshot();
  Seams().refuseRegistry = [](const std::wstring& change) { return change.find(L"Messengers") != std::wstring::npos; };
  CQIPInfiumSW sw(kQipName);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(ErrorText(L"QIP Infium", 2), ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(before, machine_->Snapshot()));

  Seams().refuseRegistry = nullptr;
  items[0].enabled = 1;
  sw.ApplyItems(items, true);
  ASSERT_EQ(1, items[0].enabled);
  hostfab::Footprint on = machine_->Snapshot();
  Seams().refuseRegistry = [](const std::wstring& change) { return change.rfind(L"set ", 0) == 0; };
  items[0].enabled = 0;
  EXPECT_EQ(ErrorText(L"QIP Infium", 2), ApplyShowingErrors(sw, items));
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(on, machine_->Snapshot()));
  EXPECT_EQ(std::optional<DWORD>(1), Recorded(L"QIP Infium"));
}

TEST_F(MessengerTest, AQipFileThatCannotGoStopsBeforeAnythingIsDeleted) {
  std::wstring plugin = Qip();
  CQIPInfiumSW sw(kQipName);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Switched(sw, 1);
  ASSERT_EQ(1, items[0].enabled);
  machine_->WatchFolder(qipFolder_);
  hostfab::Footprint on = machine_->Snapshot();
  for (bool readOnly : {false, true}) {
    HANDLE held = INVALID_HANDLE_VALUE;
    if (readOnly)
      SetFileAttributesW((plugin + L"NorvaQIPResRUS.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    else
      held = CreateFileW((plugin + L"NorvaQIPResRUS.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    items[0].enabled = 0;
    EXPECT_EQ(ErrorText(kQipName, 1), ApplyShowingErrors(sw, items)) << (readOnly ? "read-only" : "locked");
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    SetFileAttributesW((plugin + L"NorvaQIPResRUS.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(1, items[0].enabled);
    EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(on, machine_->Snapshot()));
    EXPECT_EQ(std::optional<DWORD>(1), Recorded(L"QIP Infium"));
  }
}

TEST_F(MessengerTest, AFailedQipCopyLeavesNothingBehind) {
  Qip();
  machine_->WatchFolder(qipFolder_);
  hostfab::Footprint before = machine_->Snapshot();
  CQIPInfiumSW sw(kQipName);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  // The language library is gone from the shared folder.
  std::wstring shared = machine_->Root() + L"Product\\Shared\\1049\\NorvaQIPResRUS.dll";
  ASSERT_TRUE(DeleteFileW(shared.c_str()));
  items[0].enabled = 1;
  EXPECT_EQ(ErrorText(kQipName, 1), ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(before, machine_->Snapshot()));
  EXPECT_FALSE(Recorded(L"QIP Infium").has_value());
}

TEST_F(MessengerTest, SkypeIsOnUntilRecordedOtherwise) {
  CSkypeSW sw(kSkypeName);
  EXPECT_FALSE(sw.IsPluginInstalled());
  hostfab::InstallSkypeCompanion(*machine_);
  EXPECT_TRUE(sw.IsPluginInstalled());
  EXPECT_EQ(0, sw.IsAppInstalled()) << "no Skype";
  hostfab::AddSkype(*machine_, L"Skype 5.10");
  CSkypeSW listed(kSkypeName);
  SwitchItems items = Detect(listed);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(L"Skype 5.10", items[0].name);
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_EQ(0x2000, items[0].kind);
  machine_->SetDword(HKEY_CURRENT_USER, hostfab::kMessengersKey, L"Skype", 0xFFFFFFFF);
  CSkypeSW old(kSkypeName);
  EXPECT_EQ(1, Detect(old)[0].enabled) << "an earlier -1 counts as on";
}

TEST_F(MessengerTest, EverySkypeItemIsHeardAndTheStateIsStoredAsZeroOrOne) {
  hostfab::InstallSkypeCompanion(*machine_);
  hostfab::AddSkype(*machine_, L"Skype 5.10");
  hostfab::AddSkype(*machine_, L"Skype Click to Call");
  CSkypeSW sw(kSkypeName);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  ASSERT_EQ(2u, items.size());
  // Numbered as the tree dialog numbers them; the user unticks the second.
  items[0].id = 1;
  items[1].id = 2;
  sw.SetItems(items);
  items[1].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(std::optional<DWORD>(0), Recorded(L"Skype"));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ(0, items[1].enabled);
  sw.SetItems(items);
  items[0].enabled = -1;  // any state other than 0 is on
  EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
  EXPECT_EQ(std::optional<DWORD>(1), Recorded(L"Skype"));
  EXPECT_EQ(1, items[1].enabled);
}

TEST_F(MessengerTest, ARefusedSkypeRecordNamesSkypeAndKeepsTheState) {
  hostfab::InstallSkypeCompanion(*machine_);
  hostfab::AddSkype(*machine_, L"Skype 5.10");
  for (const wchar_t* refused : {L"create ", L"set "}) {
    Seams().refuseRegistry = [refused](const std::wstring& change) { return change.rfind(refused, 0) == 0; };
    CSkypeSW sw(kSkypeName);
    ASSERT_TRUE(sw.IsPluginInstalled());
    SwitchItems items = Detect(sw);
    items[0].enabled = 0;
    EXPECT_EQ(ErrorText(L"Skype", 2), ApplyShowingErrors(sw, items)) << refused;
    EXPECT_EQ(1, items[0].enabled);
    EXPECT_FALSE(Recorded(L"Skype").has_value());
  }
}

}  // namespace
