// The Microsoft Office switch over a fabricated machine: which applications
// and add-in editions it lists, and the current user's "Addins" keys it
// writes and deletes.
#include <algorithm>

#include "HostFixture.h"
#include "OfficeHosts.h"
#include "RegistrySandbox.h"
#include "extmanager/app/QuenloLog.h"
#include "extmanager/switches/OfficeSwitch.h"
#include "platform/win/UniqueHandle.h"

namespace {

using K = CMSOfficeSW;

// The handles this process holds, as the system lists them (Wine's
// GetProcessHandleCount answers 0; the system's handle list is real).
long OpenHandleCount() {
  struct Entry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT backTrace, typeIndex;
    ULONG attributes, reserved;
  };
  struct List {
    ULONG_PTR count, reserved;
    Entry entries[1];
  };
  using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryFn>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation"));
  constexpr ULONG kExtendedHandleInformation = 64;
  constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<char> buffer(1 << 20);
  for (int tries = 0; query && tries < 8; ++tries) {
    ULONG needed = 0;
    LONG status = query(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kLengthMismatch) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status != 0) return -1;
    const List* list = reinterpret_cast<const List*>(buffer.data());
    long mine = 0;
    for (ULONG_PTR i = 0; i < list->count; ++i)
      if (list->entries[i].processId == GetCurrentProcessId()) ++mine;
    return mine;
  }
  return -1;
}
const std::wstring kOfficeUser = L"Software\\Microsoft\\Office";

class OfficeSwitchTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    hostfab::RemoveOffice(*machine_);
    hostfab::WatchOfficeAddins(*machine_);
  }

  static std::unique_ptr<CMSOfficeSW> Make(int mode) {
    return mode == 1 ? std::make_unique<CMSOfficeSW>(1, L"Office 1", L"Office 1 Lite", L"Office 1 ED", L"Office 1 VQD")
                     : std::make_unique<CMSOfficeSW>(2, L"Office 2", L"Office 2 Lite", L"Office 2 ED", L"Office 2 VQD");
  }
  static int ModeOf(int kind) { return kind == K::kOrdinary1 || kind == K::kLite1 || kind == K::kVqd1 ? 1 : 2; }

  // "name|kind|group|enabled" of every item the switch lists (empty when it is not installed).
  static std::vector<std::wstring> Listed(CMSOfficeSW& sw) {
    std::vector<std::wstring> lines;
    if (!sw.IsPluginInstalled()) return lines;
    for (const SwitchItem& item : Detect(sw))
      lines.push_back(item.name + L"|" + std::to_wstring(item.kind) + L"|" + item.group + L"|" +
                      std::to_wstring(item.enabled));
    return lines;
  }

  static std::wstring Text(const std::wstring& key, const wchar_t* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!testsupport::GetRegValue(HKEY_CURRENT_USER, key, name, &type, &data)) return L"<none>";
    if (type == REG_DWORD) return L"dword " + std::to_wstring(*reinterpret_cast<DWORD*>(data.data()));
    if (type != REG_SZ || data.size() < 2 || data[data.size() - 1] != 0 || data[data.size() - 2] != 0)
      return L"<not a terminated REG_SZ>";
    return std::wstring(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2 - 1);
  }

  static std::wstring ItemsState(const SwitchItems& items) {
    std::wstring text;
    for (const SwitchItem& item : items) text += std::to_wstring(item.enabled);
    return text;
  }
};

// --- detection ---

struct DetectCase {
  const char* what;
  int mode;
  std::function<void(hostfab::FabricatedMachine&)> make;
  std::vector<std::wstring> expected;  // "name|kind|group|enabled"
};

class OfficeDetection : public OfficeSwitchTest, public testing::WithParamInterface<DetectCase> {};

TEST_P(OfficeDetection, ListsEachInstalledApplicationOncePerUsableEdition) {
  const DetectCase& c = GetParam();
  c.make(*machine_);
  std::unique_ptr<CMSOfficeSW> sw = Make(c.mode);
  EXPECT_EQ(c.expected, Listed(*sw)) << c.what;
}

using hostfab::AddOfficeApp;
using hostfab::InstallOfficeAddin;
using M = hostfab::FabricatedMachine;

const DetectCase kDetectCases[] = {
    {"no Office, no add-in", 1, [](M&) {}, {}},
    {"the add-in without Office", 1, [](M& m) { InstallOfficeAddin(m, 0x4, {L"ww", L"ot", L"ex"}); }, {}},
    {"Office 2003 without the add-in", 1, [](M& m) { AddOfficeApp(m, L"11.0", L"Word"); }, {}},
    {"Office 2003 Word and Excel, the ordinary add-in",
     1,
     [](M& m) {
       AddOfficeApp(m, L"11.0", L"Word");
       AddOfficeApp(m, L"11.0", L"Excel");
       InstallOfficeAddin(m, 0x4, {L"ww", L"ex"});
     },
     {L"Microsoft Word 2000/XP/2003|4|Office 1|0", L"Microsoft Excel 2000/XP/2003|4|Office 1|0"}},
    {"a MiscStatus value \"0\" or none hides the application",
     1,
     [](M& m) {
       for (const wchar_t* app : {L"Word", L"Outlook", L"Excel", L"PowerPoint"}) AddOfficeApp(m, L"11.0", app);
       InstallOfficeAddin(m, 0x4, {L"ww", L"ex"});
       hostfab::SetOfficeMiscStatus(m, 0x4, L"ex", L"0");
       hostfab::SetOfficeMiscStatus(m, 0x4, L"pp", L"yes");
     },
     {L"Microsoft Word 2000/XP/2003|4|Office 1|0"}},
    {"Office XP and 2000 applications, every edition; Lite only for Word and Outlook",
     1,
     [](M& m) {
       AddOfficeApp(m, L"10.0", L"Word");
       AddOfficeApp(m, L"9.0", L"Outlook");
       AddOfficeApp(m, L"10.0", L"Excel");
       InstallOfficeAddin(m, 0x4, {L"ww", L"ot", L"ex"});
       InstallOfficeAddin(m, 0x2, {L"ww", L"ot", L"ex"});
       hostfab::SetOfficeMiscStatus(m, 0x2, L"ex", L"1");
       InstallOfficeAddin(m, 0x8000, {});
     },
     {L"Microsoft Word 2000/XP/2003|4|Office 1|0", L"Microsoft Word 2000/XP/2003|2|Office 1 Lite|0",
      L"Microsoft Word 2000/XP/2003|32768|Office 1 VQD|0", L"Microsoft Outlook 2000/XP/2003|4|Office 1|0",
      L"Microsoft Outlook 2000/XP/2003|2|Office 1 Lite|0", L"Microsoft Outlook 2000/XP/2003|32768|Office 1 VQD|0",
      L"Microsoft Excel 2000/XP/2003|4|Office 1|0", L"Microsoft Excel 2000/XP/2003|32768|Office 1 VQD|0"}},
    {"FrontPage 2002 known by its program, its Path with and without a final separator",
     1,
     [](M& m) {
       hostfab::AddFrontPageProgram(m, L"10.0");
       InstallOfficeAddin(m, 0x4, {L"fp"});
     },
     {L"Microsoft FrontPage 2000/XP/2003|4|Office 1|0"}},
    {"FrontPage 2000 with a Path lacking its final separator",
     1,
     [](M& m) {
       hostfab::AddFrontPageProgram(m, L"9.0", false);
       InstallOfficeAddin(m, 0x4, {L"fp"});
     },
     {L"Microsoft FrontPage 2000/XP/2003|4|Office 1|0"}},
    {"Office 2007 is not the older switch's",
     1,
     [](M& m) {
       AddOfficeApp(m, L"12.0", L"Word");
       InstallOfficeAddin(m, 0x4, {L"ww"});
     },
     {}},
    {"an add-in already registered for the user shows switched on",
     1,
     [](M& m) {
       AddOfficeApp(m, L"11.0", L"Word");
       AddOfficeApp(m, L"11.0", L"Outlook");
       InstallOfficeAddin(m, 0x4, {L"ww", L"ot"});
       m.SetDword(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office\\Outlook\\Addins\\Quorbex8.OutlookAddin",
                  L"LoadBehavior", 2);
     },
     {L"Microsoft Word 2000/XP/2003|4|Office 1|0", L"Microsoft Outlook 2000/XP/2003|4|Office 1|1"}},
    {"Office 2007 and 2010, every edition; no FrontPage",
     2,
     [](M& m) {
       AddOfficeApp(m, L"12.0", L"Word");
       AddOfficeApp(m, L"14.0", L"Excel");
       AddOfficeApp(m, L"12.0", L"FrontPage");
       InstallOfficeAddin(m, 0x40, {L"ww", L"ex", L"fp"});
       InstallOfficeAddin(m, 0x20, {L"ww", L"ex"});
       InstallOfficeAddin(m, 0x10000, {L"ww", L"ex", L"fp"});
     },
     {L"Microsoft Word 2007/2010|64|Office 2|0", L"Microsoft Word 2007/2010|32|Office 2 Lite|0",
      L"Microsoft Word 2007/2010|65536|Office 2 VQD|0", L"Microsoft Excel 2007/2010|64|Office 2|0",
      L"Microsoft Excel 2007/2010|65536|Office 2 VQD|0"}},
    {"Office 2010 Click-to-Run",
     2,
     [](M& m) {
       hostfab::AddOfficeClickToRun(m, L"PowerPoint");
       InstallOfficeAddin(m, 0x40, {L"pp"});
     },
     {L"Microsoft PowerPoint 2007/2010|64|Office 2|0"}},
    {"a 2007 add-in library missing for one application",
     2,
     [](M& m) {
       AddOfficeApp(m, L"14.0", L"Word");
       AddOfficeApp(m, L"14.0", L"Outlook");
       InstallOfficeAddin(m, 0x40, {L"ww"});
       hostfab::SetOfficeMiscStatus(m, 0x40, L"ot", L"1");
     },
     {L"Microsoft Word 2007/2010|64|Office 2|0"}},
    {"Office 2003 is not the newer switch's",
     2,
     [](M& m) {
       AddOfficeApp(m, L"11.0", L"Word");
       InstallOfficeAddin(m, 0x40, {L"ww"});
     },
     {}},
};

INSTANTIATE_TEST_SUITE_P(Machines, OfficeDetection, testing::ValuesIn(kDetectCases));

TEST_F(OfficeSwitchTest, InstalledKindsNameTheLibrariesFoundGroupAndKindsTheMode) {
  std::unique_ptr<CMSOfficeSW> one = Make(1);
  EXPECT_FALSE(one->IsPluginInstalled());
  EXPECT_EQ(0u, one->InstalledKinds());
  InstallOfficeAddin(*machine_, 0x4, {L"ww"});
  EXPECT_TRUE(one->IsPluginInstalled());
  EXPECT_EQ(4u, one->InstalledKinds());
  InstallOfficeAddin(*machine_, 0x2, {L"ww"});
  EXPECT_TRUE(one->IsPluginInstalled());
  EXPECT_EQ(6u, one->InstalledKinds());

  std::unique_ptr<CMSOfficeSW> two = Make(2);
  EXPECT_FALSE(two->IsPluginInstalled()) << "the 2000-2003 libraries are not the 2007 ones";
  InstallOfficeAddin(*machine_, 0x10000, {L"ot"});
  EXPECT_TRUE(two->IsPluginInstalled());
  EXPECT_EQ(0x10000u, two->InstalledKinds());

  EXPECT_EQ((std::pair<std::wstring, int>(L"MS Office XP/2003", 1)), one->GetGroup());
  EXPECT_EQ((std::pair<std::wstring, int>(L"MS Office 2007", 2)), two->GetGroup());
  std::vector<int> kinds;
  one->GetKinds(kinds);
  two->GetKinds(kinds);
  EXPECT_EQ((std::vector<int>{4, 2, 0x8000, 0x40, 0x20, 0x10000}), kinds);
  EXPECT_EQ(L"", one->ProgId(0x40, 0)) << "another mode's kind has no ProgID";
  EXPECT_EQ(L"", one->ProgId(0x2, 2)) << "no Lite add-in for Excel";
  EXPECT_EQ(L"QuorbexX.Easy.OutlookAddin", two->ProgId(0x20, 1));
}

TEST_F(OfficeSwitchTest, AFoundApplicationIsLoggedWithItsOfficeVersion) {
  std::wstring log = machine_->Root() + L"quenlo.log";
  QuenloLog& quenloLog = QuenloLog::Instance();
  std::wstring oldPath = quenloLog.Path();
  bool oldEnabled = quenloLog.Enabled();
  quenloLog.SetPath(log);
  quenloLog.SetEnabled(true);
  AddOfficeApp(*machine_, L"10.0", L"Excel");
  InstallOfficeAddin(*machine_, 0x4, {L"ex"});
  std::unique_ptr<CMSOfficeSW> sw = Make(1);
  EXPECT_EQ(1u, Listed(*sw).size());
  quenloLog.SetPath(oldPath);
  quenloLog.SetEnabled(oldEnabled);
  std::string bytes;
  {
    platform::UniqueFileHandle file(
        CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.Valid());
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read) bytes.append(buffer, read);
  }
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  EXPECT_NE(std::wstring::npos, text.find(L"MSOfficeSW.cpp(")) << "the module";
  EXPECT_NE(std::wstring::npos, text.find(L"MS OfficeXP#Excel#Application Installed"));
}

// --- switching ---

struct ApplyCase {
  int kind;
  const wchar_t* app;
  const wchar_t* code;
  const wchar_t* progId;
  const wchar_t* friendlyName;  // null: the switch's Lite or ordinary name
};

class OfficeApply : public OfficeSwitchTest, public testing::WithParamInterface<ApplyCase> {};

TEST_P(OfficeApply, OnWritesTheAddinKeyWithItsValuesOffRestoresTheUsersKeysExactly) {
  const ApplyCase& c = GetParam();
  int mode = ModeOf(c.kind);
  AddOfficeApp(*machine_, mode == 1 ? L"11.0" : L"14.0", c.app);
  std::wstring folder = InstallOfficeAddin(*machine_, c.kind, {c.code});
  // The user's own add-in of another vendor in the same "Addins" key must survive both ways.
  std::wstring addins = std::wstring(L"Software\\Microsoft\\Office\\") + c.app + L"\\Addins";
  machine_->SetString(HKEY_CURRENT_USER, addins + L"\\Other.Addin", L"FriendlyName", L"Someone else's add-in");
  machine_->SetDword(HKEY_CURRENT_USER, addins + L"\\Other.Addin", L"LoadBehavior", 3);
  hostfab::Footprint before = machine_->Snapshot();

  std::unique_ptr<CMSOfficeSW> sw = Make(mode);
  ASSERT_TRUE(sw->IsPluginInstalled());
  SwitchItems items = Detect(*sw);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(0, items[0].enabled);
  items[0].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(*sw, items));
  EXPECT_EQ(1, items[0].enabled);

  std::wstring key = addins + L"\\" + c.progId;
  EXPECT_EQ(key, sw->AddinKeyPath(c.kind, items[0].tag));
  std::wstring friendly = c.friendlyName ? c.friendlyName : (c.kind == K::kLite2 ? L"Office 2 Lite" : L"Office 2");
  std::vector<std::wstring> expected = {
      L"+ HKCU\\" + key + L" = (key)",
      L"+ HKCU\\" + key + L" [Description] = \"Функции перевода в Microsoft " + c.app + L"\"",
      L"+ HKCU\\" + key + L" [FriendlyName] = \"" + friendly + L"\"",
      L"+ HKCU\\" + key + L" [LoadBehavior] = dword 3"};
  if (mode == 2) {
    expected.push_back(L"+ HKCU\\" + key + L" [CommandLineSafe] = dword 1");
    expected.push_back(L"+ HKCU\\" + key + L" [Manifest] = \"" + folder + c.progId + L".vsto|vstolocal\"");
  }
  std::vector<std::wstring> changes = hostfab::DiffFootprints(before, machine_->Snapshot());
  std::sort(expected.begin(), expected.end());
  std::sort(changes.begin(), changes.end());
  EXPECT_EQ(expected, changes);
  EXPECT_EQ(L"dword 3", Text(key, L"LoadBehavior"));

  std::unique_ptr<CMSOfficeSW> reread = Make(mode);
  ASSERT_TRUE(reread->IsPluginInstalled());
  SwitchItems now = Detect(*reread);
  ASSERT_EQ(1u, now.size());
  EXPECT_EQ(1, now[0].enabled);
  now[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(*reread, now));
  EXPECT_EQ(0, now[0].enabled);
  EXPECT_EQ(std::vector<std::wstring>{}, hostfab::DiffFootprints(before, machine_->Snapshot()));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OfficeApply,
    testing::Values(ApplyCase{0x4, L"Word", L"ww", L"Quorbex8.WordAddin", L"NORVA for Microsoft Word"},
                    ApplyCase{0x2, L"Outlook", L"ot", L"EasyQuorbex8.OutlookEasyAddin",
                              L"NORVA Lite for Microsoft Outlook"},
                    ApplyCase{0x8000, L"FrontPage", L"fp", L"Quorbex8VQD.FrontPageVQDAddin",
                              L"NORVA for Microsoft FrontPage (VQD)"},
                    ApplyCase{0x40, L"Excel", L"ex", L"QuorbexX.ExcelAddin", nullptr},
                    ApplyCase{0x20, L"Outlook", L"ot", L"QuorbexX.Easy.OutlookAddin", nullptr},
                    ApplyCase{0x10000, L"PowerPoint", L"pp", L"QuorbexXVQD.PowerPointAddin",
                              L"NORVA for Microsoft PowerPoint (VQD)"}));

TEST_F(OfficeSwitchTest, OnOverAMissingAddinsKeyMakesItAndOffLeavesOnlyThatEmptyKey) {
  AddOfficeApp(*machine_, L"11.0", L"Word");
  InstallOfficeAddin(*machine_, 0x4, {L"ww"});
  hostfab::Footprint before = machine_->Snapshot();
  std::unique_ptr<CMSOfficeSW> sw = Make(1);
  sw->IsPluginInstalled();
  SwitchItems items = Detect(*sw);
  ASSERT_EQ(1u, items.size());
  items[0].enabled = 1;
  sw->ApplyItems(items, true);
  EXPECT_EQ(L"dword 3", Text(kOfficeUser + L"\\Word\\Addins\\Quorbex8.WordAddin", L"LoadBehavior"));
  EXPECT_EQ(L"<none>", Text(kOfficeUser + L"\\Word\\Addins\\Quorbex8.WordAddin", L"Manifest"));
  sw->SetItems(items);
  items[0].enabled = 0;
  sw->ApplyItems(items, true);
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_EQ((std::vector<std::wstring>{L"+ HKCU\\Software\\Microsoft\\Office = (key)",
                                       L"+ HKCU\\Software\\Microsoft\\Office\\Word = (key)",
                                       L"+ HKCU\\Software\\Microsoft\\Office\\Word\\Addins = (key)"}),
            hostfab::DiffFootprints(before, machine_->Snapshot()));
}

TEST_F(OfficeSwitchTest, OffDeletesTheAddinKeyWithItsSubKeysAndOfficesOwnValues) {
  AddOfficeApp(*machine_, L"12.0", L"Word");
  InstallOfficeAddin(*machine_, 0x40, {L"ww"});
  std::wstring key = kOfficeUser + L"\\Word\\Addins\\QuorbexX.WordAddin";
  machine_->SetDword(HKEY_CURRENT_USER, key, L"LoadBehavior", 3);
  machine_->SetString(HKEY_CURRENT_USER, key + L"\\Settings", L"Seen", L"yes");
  machine_->SetString(HKEY_CURRENT_USER, key + L"\\Settings\\Deeper", L"Count", L"2");
  std::unique_ptr<CMSOfficeSW> sw = Make(2);
  sw->IsPluginInstalled();
  SwitchItems items = Detect(*sw);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(1, items[0].enabled);
  items[0].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(*sw, items));
  EXPECT_EQ(0, items[0].enabled);
  EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER, key));
  EXPECT_TRUE(testsupport::RegKeyExists(HKEY_CURRENT_USER, kOfficeUser + L"\\Word\\Addins"));
}

TEST_F(OfficeSwitchTest, OnlyChangedItemsAreTouchedAndOffOverAMissingKeyIsAlreadyDone) {
  for (const wchar_t* app : {L"Word", L"Outlook", L"Excel"}) AddOfficeApp(*machine_, L"11.0", app);
  InstallOfficeAddin(*machine_, 0x4, {L"ww", L"ot", L"ex"});
  machine_->SetDword(HKEY_CURRENT_USER, kOfficeUser + L"\\Outlook\\Addins\\Quorbex8.OutlookAddin", L"LoadBehavior", 2);
  std::unique_ptr<CMSOfficeSW> sw = Make(1);
  sw->IsPluginInstalled();
  SwitchItems items = Detect(*sw);
  ASSERT_EQ(L"010", ItemsState(items));
  for (size_t i = 0; i < items.size(); ++i) items[i].id = static_cast<int>(i) + 1;
  sw->SetItems(items);

  // Outlook's key goes behind the switch's back: the item is not changed, so nothing happens.
  testsupport::DeleteRegTree(HKEY_CURRENT_USER, kOfficeUser + L"\\Outlook\\Addins\\Quorbex8.OutlookAddin");
  SwitchItems wanted = items;
  wanted[2].enabled = 1;
  EXPECT_EQ(L"", ApplyShowingErrors(*sw, wanted));
  EXPECT_EQ(L"011", ItemsState(wanted));
  EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER, kOfficeUser + L"\\Word\\Addins\\Quorbex8.WordAddin"));
  EXPECT_FALSE(testsupport::RegKeyExists(HKEY_CURRENT_USER, kOfficeUser + L"\\Outlook\\Addins\\Quorbex8.OutlookAddin"));
  EXPECT_TRUE(testsupport::RegKeyExists(HKEY_CURRENT_USER, kOfficeUser + L"\\Excel\\Addins\\Quorbex8.ExcelAddin"));
  sw->SetItems(wanted);

  // Switching Outlook off now, its key already gone, succeeds without a message.
  wanted[1].enabled = 0;
  EXPECT_EQ(L"", ApplyShowingErrors(*sw, wanted));
  EXPECT_EQ(L"001", ItemsState(wanted));
}

struct RefusalCase {
  const char* what;
  const wchar_t* refused;  // the start of the refused change
  bool switchingOn;
};

class OfficeRefusal : public OfficeSwitchTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(OfficeRefusal, ARefusedStepKeepsTheItemShowsItsEditionAndLeavesNoHalfKey) {
  const RefusalCase& c = GetParam();
  AddOfficeApp(*machine_, L"12.0", L"Word");
  AddOfficeApp(*machine_, L"12.0", L"Outlook");
  InstallOfficeAddin(*machine_, 0x20, {L"ww", L"ot"});
  std::wstring word = kOfficeUser + L"\\Word\\Addins\\QuorbexX.Easy.WordAddin";
  std::wstring outlook = kOfficeUser + L"\\Outlook\\Addins\\QuorbexX.Easy.OutlookAddin";
  if (!c.switchingOn) {
    machine_->SetDword(HKEY_CURRENT_USER, word, L"LoadBehavior", 3);
    machine_->SetDword(HKEY_CURRENT_USER, outlook, L"LoadBehavior", 3);
  }
  hostfab::Footprint before = machine_->Snapshot();
  std::unique_ptr<CMSOfficeSW> sw = Make(2);
  sw->IsPluginInstalled();
  SwitchItems items = Detect(*sw);
  ASSERT_EQ(2u, items.size());
  // Only Word's steps are refused: Outlook, after it, is still applied.
  std::wstring refused = c.refused;
  Seams().refuseRegistry = [refused](const std::wstring& change) {
    return change.rfind(refused, 0) == 0 && change.find(L"\\Word\\") != std::wstring::npos;
  };
  for (SwitchItem& item : items) item.enabled = c.switchingOn ? 1 : 0;
  EXPECT_EQ(ErrorText(L"Office 2 Lite", CExceptSW::kStepFailed), ApplyShowingErrors(*sw, items)) << c.what;
  EXPECT_EQ(c.switchingOn ? L"01" : L"10", ItemsState(items)) << c.what;
  EXPECT_EQ(!c.switchingOn, testsupport::RegKeyExists(HKEY_CURRENT_USER, word)) << c.what;
  EXPECT_EQ(c.switchingOn, testsupport::RegKeyExists(HKEY_CURRENT_USER, outlook)) << c.what;
  if (!c.switchingOn) return;
  // Silent: the same outcome, no message.
  Seams().refuseRegistry = nullptr;
  std::unique_ptr<CMSOfficeSW> again = Make(2);
  again->IsPluginInstalled();
  SwitchItems off = Detect(*again);
  for (SwitchItem& item : off) item.enabled = 0;
  again->ApplyItems(off, true);
  EXPECT_EQ(L"00", ItemsState(off));
  Seams().refuseRegistry = [refused](const std::wstring& change) { return change.rfind(refused, 0) == 0; };
  std::unique_ptr<CMSOfficeSW> silent = Make(2);
  silent->IsPluginInstalled();
  SwitchItems on = Detect(*silent);
  for (SwitchItem& item : on) item.enabled = 1;
  silent->ApplyItems(on, true);
  EXPECT_EQ(L"00", ItemsState(on)) << c.what;
  Seams().refuseRegistry = nullptr;
  std::vector<std::wstring> left;
  for (const std::wstring& line : hostfab::DiffFootprints(before, machine_->Snapshot()))
    if (line.find(L"\\Addins\\") != std::wstring::npos) left.push_back(line);
  EXPECT_EQ(std::vector<std::wstring>{}, left) << c.what << ": no add-in key stays half made";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, OfficeRefusal,
    testing::Values(RefusalCase{"the Addins key can be neither opened nor made", L"open HKCU", true},
                    RefusalCase{"the add-in key cannot be made", L"create HKCU", true},
                    RefusalCase{"a value cannot be written", L"set HKCU", true},
                    RefusalCase{"the add-in key cannot be deleted", L"delete HKCU", false}));

TEST_F(OfficeSwitchTest, SwitchingOnAndOffLeavesNoRegistryKeyOpen) {
  AddOfficeApp(*machine_, L"14.0", L"Word");
  AddOfficeApp(*machine_, L"14.0", L"Outlook");
  InstallOfficeAddin(*machine_, 0x40, {L"ww", L"ot"});
  std::unique_ptr<CMSOfficeSW> sw = Make(2);
  ASSERT_TRUE(sw->IsPluginInstalled());
  SwitchItems items = Detect(*sw);
  ASSERT_EQ(2u, items.size());
  auto flip = [&](int state) {
    for (SwitchItem& item : items) item.enabled = state;
    sw->ApplyItems(items, true);
    sw->SetItems(items);
  };
  flip(1);
  flip(0);
  long before = OpenHandleCount();
  ASSERT_GT(before, 0);
  for (int round = 0; round < 20; ++round) {
    flip(1);
    flip(0);
  }
  long after = OpenHandleCount();
  EXPECT_EQ(L"00", ItemsState(items));
  EXPECT_EQ(before, after) << "handles left open by 40 applies";
}

}  // namespace
