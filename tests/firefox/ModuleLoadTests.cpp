// Loading fervix9.dll as Firefox does: the glue finds the browser's XPCOM
// library beside the program, the module registers its contract id and
// category entry, and the component is created by contract id.
#include <gtest/gtest.h>

#include <filesystem>

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "GeckoXpcom.h"
#include "XpcomHost.h"
#include "firefox/FervixInterfaces.h"
#include "platform/com/ComApartment.h"

namespace {

class ModuleLoad : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    host_ = new XpcomHost();
    ASSERT_EQ(NS_OK, host_->Start());
    ASSERT_EQ(NS_OK, host_->LoadComponentLibrary(testsupport::SiblingPath(L"fervix9.dll")));
  }
  platform::ComApartment apartment_;
  static inline XpcomHost* host_ = nullptr;
};

TEST_F(ModuleLoad, RegistersTheCategoryEntryWithTheContractId) {
  EXPECT_EQ(std::string(kFervixContractId), host_->CategoryEntry(kFervixCategory, kFervixCategoryEntry));
}

TEST_F(ModuleLoad, CreatesTheComponentByContractIdForEitherInterface) {
  nsresult rv = NS_ERROR_FAILURE;
  auto first = host_->Create<IFervix9>(kFervixContractId, &rv);
  EXPECT_EQ(NS_OK, rv);
  ASSERT_TRUE(first);
  auto second = host_->Create<IFervix9_2>(kFervixContractId, &rv);
  EXPECT_EQ(NS_OK, rv);
  ASSERT_TRUE(second);
  platform::ComPtr<IFervix9_2> same;
  EXPECT_EQ(NS_OK, first->QueryInterface(__uuidof(IFervix9_2), same.ReceiveVoid()));
  EXPECT_EQ(static_cast<void*>(same.Get()), static_cast<void*>(first.Get()));
  platform::ComPtr<IFervix9Observer> wrong;
  EXPECT_EQ(NS_NOINTERFACE, first->QueryInterface(__uuidof(IFervix9Observer), wrong.ReceiveVoid()));
}

// The browser asks the library's module and factory by their own ids.
TEST_F(ModuleLoad, TheModuleAndItsFactoryAnswerTheBrowsersIds) {
  HMODULE library = GetModuleHandleW(testsupport::SiblingPath(L"fervix9.dll").c_str());
  ASSERT_TRUE(library);
  auto getModule = reinterpret_cast<gecko::GetModuleFunction>(GetProcAddress(library, "NSGetModule"));
  ASSERT_TRUE(getModule);
  gecko::nsIModule* module = nullptr;
  ASSERT_EQ(gecko::kOk, getModule(nullptr, nullptr, &module));
  ASSERT_TRUE(module);
  const GUID madeUp = {0x5e8b7a51, 0x2c0e, 0x4d3b, {0x9b, 0x16, 0x6a, 0x4c, 0x3f, 0x2e, 0x9d, 0x01}};
  struct Row {
    const char* what;
    GUID iid;
    gecko::nsresult expected;
  };
  const Row modules[] = {{"nsIModule", gecko::nsIModule::kIID, gecko::kOk},
                         {"nsISupports", gecko::nsISupports::kIID, gecko::kOk},
                         {"an id of no browser", madeUp, gecko::kNoInterface}};
  for (const Row& row : modules) {
    void* answer = nullptr;
    EXPECT_EQ(row.expected, module->QueryInterface(row.iid, &answer)) << row.what;
    if (answer) static_cast<gecko::nsISupports*>(answer)->Release();
  }
  const Row factories[] = {{"nsIFactory", gecko::nsIFactory::kIID, gecko::kOk},
                           {"an id of no browser", madeUp, gecko::kNoInterface}};
  for (const Row& row : factories) {
    gecko::nsIFactory* factory = nullptr;
    EXPECT_EQ(row.expected, module->GetClassObject(nullptr, kFervixComponentCid, row.iid,
                                                   reinterpret_cast<void**>(&factory)))
        << row.what;
    if (!factory) continue;
    platform::ComPtr<IFervix9_2> component;
    EXPECT_EQ(gecko::kOk, factory->CreateInstance(nullptr, __uuidof(IFervix9_2), component.ReceiveVoid()));
    EXPECT_TRUE(component);
    factory->Release();
  }
  module->Release();
}

TEST_F(ModuleLoad, InitWithoutObserverAnswersNotOk) {
  auto component = host_->Create<IFervix9_2>(kFervixContractId);
  ASSERT_TRUE(component);
  PRBool ok = PR_TRUE;
  EXPECT_EQ(NS_OK, component->Init(nullptr, &ok));
  EXPECT_EQ(PR_FALSE, ok);
  PRInt32 count = -1;
  EXPECT_EQ(NS_ERROR_FAILURE, component->GetDirsCount(&count)) << "not initialised";
}

TEST_F(ModuleLoad, UnknownContractIdIsNotRegistered) {
  nsresult rv = NS_OK;
  auto none = host_->Create<IFervix9>("@norvasoft.test/none;1", &rv);
  EXPECT_FALSE(none);
  EXPECT_EQ(NS_ERROR_FACTORY_NOT_REGISTERED, rv);
}

// The hand-off record another program leaves is read again while D is 0.
TEST_F(ModuleLoad, TheHandOffValueIsReadThroughTheComponentOnce) {
  testsupport::ScopedFixedKey key(HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\Running");
  auto component = host_->Create<IFervix9_2>(kFervixContractId);
  ASSERT_TRUE(component);
  component->ClearHandOffD();
  auto write = [](DWORD type, const std::wstring& text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\Running", L"FireFox", type, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  };
  write(REG_SZ, L"D=5;T=abc;U=http://host/page?a=b");
  PRBool present = PR_FALSE;
  EXPECT_EQ(NS_OK, component->HasHandOff(&present));
  EXPECT_EQ(PR_TRUE, present);
  PRInt32 d = 0;
  EXPECT_EQ(NS_OK, component->GetHandOffD(&d));
  EXPECT_EQ(5, d);
  XpString t, u;
  EXPECT_EQ(NS_OK, component->GetHandOffT(t));
  EXPECT_EQ(NS_OK, component->GetHandOffU(u));
  EXPECT_EQ(L"abc", t.Str());
  EXPECT_EQ(L"http://host/page?a=b", u.Str());
  EXPECT_EQ(NS_OK, component->HasHandOff(&present));
  EXPECT_EQ(PR_TRUE, present) << "D is set: not read again";
  EXPECT_EQ(NS_OK, component->ClearHandOffD());
  EXPECT_EQ(NS_OK, component->HasHandOff(&present));
  EXPECT_EQ(PR_FALSE, present) << "the value was deleted when read";

  write(REG_MULTI_SZ, L"D=9");
  EXPECT_EQ(NS_OK, component->HasHandOff(&present));
  EXPECT_EQ(PR_FALSE, present) << "a value of another type is not a hand-off";
  EXPECT_EQ(NS_OK, component->GetHandOffD(&d));
  EXPECT_EQ(0, d);
}

// The library refuses to load when the browser's XPCOM library or its list
// of dependent libraries is not beside the program.
struct MissingPiece {
  const wchar_t* file;
};
class LoadWithout : public testing::TestWithParam<MissingPiece> {};

TEST_P(LoadWithout, TheLibraryDoesNotLoad) {
  testsupport::TempFolder folder;
  namespace fs = std::filesystem;
  const std::wstring files[] = {L"firefox_host.exe", L"fervix9.dll", L"xpcom.dll", L"xpcomdep.dll",
                                L"dependentlibs.list"};
  for (const std::wstring& file : files) {
    if (file == GetParam().file) continue;
    fs::copy_file(testsupport::SiblingPath(file), fs::path(folder.Path()) / file);
  }
  std::wstring program = (fs::path(folder.Path()) / L"firefox_host.exe").wstring();
  auto result = testsupport::RunChild(L"\"" + program + L"\" --load-only", 60000);
  ASSERT_TRUE(result.started);
  ASSERT_FALSE(result.timedOut);
  if (std::wstring(GetParam().file) == L"xpcomdep.dll" || std::wstring(GetParam().file) == L"dependentlibs.list" ||
      std::wstring(GetParam().file) == L"xpcom.dll")
    EXPECT_NE(0u, result.exitCode) << result.output;
  else
    EXPECT_EQ(0u, result.exitCode) << result.output;
}

INSTANTIATE_TEST_SUITE_P(Pieces, LoadWithout,
                         testing::Values(MissingPiece{L"none"}, MissingPiece{L"xpcom.dll"},
                                         MissingPiece{L"dependentlibs.list"}, MissingPiece{L"xpcomdep.dll"}));

}  // namespace
