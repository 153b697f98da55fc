// The Internet Explorer switch over a fabricated machine, with the stand-in
// plug-in DLLs registered by the real regsvr32.
#include "ChildProcess.h"
#include "HostFixture.h"
#include "extmanager/probes/HostKey.h"
#include "extmanager/switches/IESwitch.h"

namespace {

constexpr int kIE = 0x200, kIEVqd = 0x40000;

class IESwitchTest : public HostTest {
 protected:
  std::wstring InstallPlugin(bool vqd) {
    return machine_->InstallIEPlugin(vqd, testsupport::SiblingPath(vqd ? L"nrvaievqd.dll" : L"nrvaie.dll"));
  }
  static bool Registered(int kind) { return HostKey::Exists(HKEY_CLASSES_ROOT, CIESW::ClassKey(kind)); }
};

TEST_F(IESwitchTest, NamesTheItemByMajorAndMinorVersion) {
  struct Case {
    const wchar_t* version;
    const wchar_t* name;
  } cases[] = {{L"9.0.8112.16421", L"Internet Explorer 9.0"},
               {L"11.0.9600", L"Internet Explorer 11.0"},
               {L"8.0", L"Internet Explorer "},
               {L"7", L"Internet Explorer "}};
  for (const Case& c : cases) {
    machine_->AddInternetExplorer(c.version);
    CIESW sw(L"Internet Explorer", kIE);
    SwitchItems items = Detect(sw);
    ASSERT_EQ(1u, items.size()) << c.version;
    EXPECT_EQ(c.name, items[0].name);
    EXPECT_EQ(kIE, items[0].kind);
    EXPECT_EQ(L"Internet Explorer", items[0].group);
    EXPECT_EQ(0, items[0].enabled);
  }
}

TEST_F(IESwitchTest, NoHostOrNoPluginDropsTheSwitch) {
  machine_->RemoveInternetExplorer();
  CIESW sw(L"Internet Explorer", kIE);
  EXPECT_EQ(0, sw.IsAppInstalled());
  EXPECT_FALSE(sw.IsPluginInstalled()) << "no Folders value";
  machine_->MakeProductFolder(L"NrvaIE", L"IE");
  EXPECT_FALSE(sw.IsPluginInstalled()) << "folder without the DLL";
  InstallPlugin(false);
  EXPECT_TRUE(sw.IsPluginInstalled());
  CIESW vqd(L"Internet Explorer (VQD)", kIEVqd);
  EXPECT_FALSE(vqd.IsPluginInstalled());
}

TEST_F(IESwitchTest, SwitchesOnAndOffThroughRegsvr32EachEdition) {
  machine_->AddInternetExplorer(L"9.0.8112.16421");
  for (int kind : {kIE, kIEVqd}) {
    InstallPlugin(kind == kIEVqd);
    ASSERT_FALSE(Registered(kind));
    CIESW sw(L"IE", kind);
    ASSERT_TRUE(sw.IsPluginInstalled());
    SwitchItems items = Detect(sw);
    ASSERT_EQ(1u, items.size());
    items[0].enabled = 1;
    EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
    EXPECT_EQ(1, items[0].enabled);
    EXPECT_TRUE(Registered(kind)) << kind;
    CIESW reread(L"IE", kind);
    EXPECT_EQ(1, Detect(reread)[0].enabled);
    items[0].enabled = 0;
    EXPECT_EQ(L"", ApplyShowingErrors(sw, items));
    EXPECT_FALSE(Registered(kind)) << kind;
  }
}

TEST_F(IESwitchTest, AUserWithoutRightsGetsTheRightsMessageAndNothingRuns) {
  machine_->AddInternetExplorer(L"9.0.8112.16421");
  InstallPlugin(false);
  Seams().refuseRegistry = [](const std::wstring& change) { return change.find(L"HKCR\\CLSID\\") != std::wstring::npos; };
  CIESW sw(L"Internet Explorer", kIE);
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  EXPECT_EQ(ErrorText(L"Internet Explorer", 2), ApplyShowingErrors(sw, items));
  EXPECT_EQ(0, items[0].enabled) << "keeps its state";
  EXPECT_FALSE(Registered(kIE)) << "regsvr32 never ran";
}

TEST_F(IESwitchTest, AFailingOrHangingRegistrationIsReportedAndTheItemKeepsItsState) {
  machine_->AddInternetExplorer(L"9.0.8112.16421");
  std::wstring dll = InstallPlugin(false);
  std::wstring base = dll.substr(0, dll.size() - 4);
  Seams().registrationTimeoutMs = 3000;
  for (const wchar_t* fault : {L".fail", L".hang"}) {
    machine_->WriteFile(base + fault, "on");
    CIESW sw(L"Internet Explorer", kIE);
    SwitchItems items = Detect(sw);
    items[0].enabled = 1;
    EXPECT_EQ(ErrorText(L"Internet Explorer", 1), ApplyShowingErrors(sw, items)) << fault;
    EXPECT_EQ(0, items[0].enabled) << fault;
    EXPECT_FALSE(Registered(kIE)) << fault;
    DeleteFileW((base + fault).c_str());
  }
}

TEST_F(IESwitchTest, APluginFolderWithBlanksIsQuotedForRegsvr32) {
  machine_->AddInternetExplorer(L"9.0.8112.16421");
  std::wstring folder = machine_->MakeProductFolder(L"NrvaIE", L"Norva Translator 9\\IE plug-in");
  machine_->CopyFile(testsupport::SiblingPath(L"nrvaie.dll"), folder + L"nrvaie.dll");
  machine_->Touch(HKEY_CLASSES_ROOT, CIESW::ClassKey(kIE));
  CIESW sw(L"Internet Explorer", kIE);
  ASSERT_TRUE(sw.IsPluginInstalled());
  SwitchItems items = Detect(sw);
  items[0].enabled = 1;
  sw.ApplyItems(items, true);
  EXPECT_EQ(1, items[0].enabled);
  EXPECT_TRUE(Registered(kIE));
}

}  // namespace
