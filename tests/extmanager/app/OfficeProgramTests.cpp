// Quenlo.exe's silent runs over a fabricated machine with Office 2003 and
// Office 2010, started as a child process: the codes "mo" and "mop" select
// one Office switch each, "/i" and "/u" alone every one of them.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "HostFabric.h"
#include "HostFixture.h"
#include "OfficeHosts.h"
#include "RegistrySandbox.h"

namespace {

// The add-in keys the machine's items write, in a fixed order: Office 2003
// first (ordinary and VQD for Word, Outlook, Excel), then Office 2010
// (ordinary for Word and PowerPoint, Lite for Word).
const wchar_t* const kAddinKeys[] = {
    L"Word\\Addins\\Quorbex8.WordAddin",          L"Outlook\\Addins\\Quorbex8.OutlookAddin",
    L"Excel\\Addins\\Quorbex8.ExcelAddin",        L"Word\\Addins\\Quorbex8VQD.WordVQDAddin",
    L"Outlook\\Addins\\Quorbex8VQD.OutlookVQDAddin", L"Excel\\Addins\\Quorbex8VQD.ExcelVQDAddin",
    L"Word\\Addins\\QuorbexX.WordAddin",          L"PowerPoint\\Addins\\QuorbexX.PowerPointAddin",
    L"Word\\Addins\\QuorbexX.Easy.WordAddin",
};
const std::wstring kOffice = L"Software\\Microsoft\\Office\\";

class OfficeProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    machine_ = std::make_unique<hostfab::FabricatedMachine>(ProcessTempFolder(L"quenlo-office-"));
    hostfab::RemoveOffice(*machine_);
    for (const wchar_t* app : {L"Word", L"Outlook", L"Excel"}) hostfab::AddOfficeApp(*machine_, L"11.0", app);
    hostfab::AddOfficeApp(*machine_, L"14.0", L"Word");
    hostfab::AddOfficeClickToRun(*machine_, L"PowerPoint");
    hostfab::InstallOfficeAddin(*machine_, 0x4, {L"ww", L"ot", L"ex"});
    hostfab::InstallOfficeAddin(*machine_, 0x8000, {});
    hostfab::InstallOfficeAddin(*machine_, 0x40, {L"ww", L"pp"});
    hostfab::InstallOfficeAddin(*machine_, 0x20, {L"ww"});
    // Another vendor's add-ins already there: their keys must come through untouched.
    for (const wchar_t* app : {L"Word", L"Outlook", L"Excel", L"PowerPoint"}) {
      std::wstring other = kOffice + app + L"\\Addins\\Other.Addin";
      machine_->SetString(HKEY_CURRENT_USER, other, L"FriendlyName", L"Someone else's add-in");
      machine_->SetDword(HKEY_CURRENT_USER, other, L"LoadBehavior", 3);
    }
    hostfab::WatchOfficeAddins(*machine_);
  }
  void TearDown() override { machine_.reset(); }

  static DWORD Run(const std::wstring& arguments) {
    testsupport::ChildProcess child;
    EXPECT_TRUE(child.Start(L"\"" + testsupport::SiblingPath(L"Quenlo.exe") + L"\" " + arguments));
    DWORD code = 1234;
    EXPECT_TRUE(child.Wait(60000, &code)) << "Quenlo.exe did not end";
    return code;
  }

  // "1" for each add-in key of kAddinKeys that exists, "0" otherwise, Office 2003 and 2010 split by a blank.
  static std::wstring State() {
    std::wstring state;
    for (size_t i = 0; i < std::size(kAddinKeys); ++i) {
      if (i == 6) state += L' ';
      state += testsupport::RegKeyExists(HKEY_CURRENT_USER, kOffice + kAddinKeys[i]) ? L'1' : L'0';
    }
    return state;
  }

  std::unique_ptr<hostfab::FabricatedMachine> machine_;
};

TEST_F(OfficeProgramTest, TheOfficeCodesSelectOneModeEachAndTheWholeRunsSelectBoth) {
  hostfab::Footprint clean = machine_->Snapshot();
  // Word 2003 is already on, its key holding only what the user's installer wrote.
  std::wstring word = kOffice + kAddinKeys[0];
  machine_->SetDword(HKEY_CURRENT_USER, word, L"LoadBehavior", 2);
  ASSERT_EQ(L"100000 000", State());

  Run(L"/i mo");
  EXPECT_EQ(L"111111 000", State()) << "every Office 2003 item after the first, already on, is switched on too";
  EXPECT_FALSE(testsupport::RegValueExists(HKEY_CURRENT_USER, word, L"Description"))
      << "an item already on is left as it is";
  Run(L"/i MOP");
  EXPECT_EQ(L"111111 111", State());
  Run(L"/u mo");
  EXPECT_EQ(L"000000 111", State());
  Run(L"/u");
  EXPECT_EQ(L"000000 000", State());
  EXPECT_EQ(std::vector<std::wstring>{}, hostfab::DiffFootprints(clean, machine_->Snapshot()));
  Run(L"/i");
  EXPECT_EQ(L"111111 111", State());
  Run(L"/u mop|mo");
  EXPECT_EQ(L"000000 000", State());
  EXPECT_EQ(std::vector<std::wstring>{}, hostfab::DiffFootprints(clean, machine_->Snapshot()))
      << "off brings back exactly the user's Office keys as they were";
}

TEST_F(OfficeProgramTest, TheDescriptionAndNamesComeFromTheInterfaceLanguage) {
  auto text = [](const std::wstring& key, const wchar_t* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!testsupport::GetRegValue(HKEY_CURRENT_USER, kOffice + key, name, &type, &data) || type != REG_SZ)
      return std::wstring();
    return std::wstring(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2 - 1);
  };
  machine_->SetInterfaceLanguage(0x409);
  Run(L"/i mo|mop");
  EXPECT_EQ(L"Translation functions in Microsoft Word", text(kAddinKeys[0], L"Description"));
  EXPECT_EQ(L"NORVA for Microsoft Word", text(kAddinKeys[0], L"FriendlyName"));
  EXPECT_EQ(L"Microsoft Office 2007/2010", text(kAddinKeys[6], L"FriendlyName"));
  EXPECT_EQ(L"Microsoft Office 2007/2010 Lite", text(kAddinKeys[8], L"FriendlyName"));
  Run(L"/u");
  machine_->SetInterfaceLanguage(0x419);
  Run(L"/i mo");
  EXPECT_EQ(L"Функции перевода в Microsoft Excel", text(kAddinKeys[2], L"Description"));
  Run(L"/u");
  EXPECT_EQ(L"000000 000", State());
}

}  // namespace
