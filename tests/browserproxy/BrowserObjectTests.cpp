// The browser object's state, initialisation and lists, over a test connector.
#include <gtest/gtest.h>

#include "BrowserTestSupport.h"
#include "TestConnector.h"
#include "platform/com/Bstr.h"

namespace {

using platform::Bstr;

class BrowserObject : public BrowserObjectTest {
 protected:
  ScopedTestConnector connector_;
};

TEST_F(BrowserObject, FirstStartActivatesTheFirstDirectionAndRemembersIt) {
  auto browser = MakeBrowser();
  connector_.State().activeIndex = 2;
  ASSERT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));

  LONG active = 0;
  EXPECT_EQ(S_OK, browser->get_ActiveDirID(&active));
  EXPECT_EQ(0x00020001, active);
  EXPECT_EQ(L"FERVIX", connector_.State().startString);
  EXPECT_EQ(L"NORVA for Mozilla FireFox", connector_.State().title);
  EXPECT_TRUE(connector_.Called("SetOption 1"));
  EXPECT_TRUE(connector_.Called("SetParentWindow 0"));
  EXPECT_TRUE(connector_.Called("SetMode 2 0")) << "no parent window";
  // Remembered at once, not only at the end of the object's life.
  EXPECT_EQ(0x00020001u, RegDword(HKEY_CURRENT_USER, BrowserKey(L"FireFox"), L"lastDirID"));

  ASSERT_NE(nullptr, browser->WordPopupWindow());
  ASSERT_NE(nullptr, browser->SelectionPopupWindow());
  EXPECT_FALSE(IsWindowVisible(browser->WordPopupWindow()));
  EXPECT_FALSE(IsWindowVisible(browser->SelectionPopupWindow()));
  EXPECT_EQ(static_cast<LONG_PTR>(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE),
            GetWindowLongPtrW(browser->SelectionPopupWindow(), GWL_EXSTYLE) &
                (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
  HWND word = browser->WordPopupWindow();
  browser.Reset();
  EXPECT_FALSE(IsWindow(word)) << "popups go with the object";
  EXPECT_EQ(0, connector_.State().alive) << "connector deleted";
}

TEST_F(BrowserObject, AStoredDirectionIsRestoredWithAParentWindow) {
  testsupport::SetRegDword(HKEY_CURRENT_USER, BrowserKey(L"IE"), L"lastDirID", 0x00040001);
  auto browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->Initialize(EPBT_IE, nullptr, 0x1234));
  ULONG index = 0;
  EXPECT_EQ(S_OK, browser->get_ActiveDirIndex(&index));
  EXPECT_EQ(2u, index);
  EXPECT_FALSE(connector_.Called("SetMode 2 0"));
  EXPECT_TRUE(connector_.Called("SetParentWindow 4660"));
}

TEST_F(BrowserObject, ARejectedStoredDirectionFallsBackToTheFirstThatCanBeSet) {
  testsupport::SetRegDword(HKEY_CURRENT_USER, BrowserKey(L"Chrome"), L"lastDirID", 0x7777);
  connector_.State().activeIndex = 1;
  auto browser = MakeBrowser();
  EXPECT_EQ(S_OK, browser->Initialize(EPBT_CROME, nullptr, 0));
  ULONG index = 9;
  EXPECT_EQ(S_OK, browser->get_ActiveDirIndex(&index));
  EXPECT_EQ(0u, index);
  LONG disabled = 1;
  EXPECT_EQ(S_OK, browser->get_IsDisable(&disabled));
  EXPECT_EQ(0, disabled);
}

TEST_F(BrowserObject, NoSettableDirectionReportsTheErrorAndAnswersSFalse) {
  connector_.State().rejectAllDirections = true;
  auto browser = MakeBrowser();
  EXPECT_EQ(S_FALSE, browser->Initialize(EPBT_FF, nullptr, 0));
  EXPECT_TRUE(connector_.Called("ReportError 0x80070057"));
  LONG disabled = 0;
  EXPECT_EQ(S_OK, browser->get_IsDisable(&disabled));
  EXPECT_EQ(1, disabled);
}

TEST_F(BrowserObject, ACommandErrorInTheEngineStepsFallsBackToo) {
  connector_.State().raiseInSetOption = E_ACCESSDENIED;
  auto browser = MakeBrowser();
  EXPECT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));
}

TEST_F(BrowserObject, AConnectorThatDoesNotStartLeavesTheObjectUninitialised) {
  connector_.State().initializeResult = false;
  auto browser = MakeBrowser();
  EXPECT_EQ(S_FALSE, browser->Initialize(EPBT_OPERA, nullptr, 0));
  LONG disabled = 0;
  EXPECT_EQ(S_OK, browser->get_IsDisable(&disabled));
  EXPECT_EQ(1, disabled) << "uninitialised";
  ULONG count = 0;
  EXPECT_EQ(S_OK, browser->get_DirsCount(&count)) << "the connector is still reached";
  EXPECT_EQ(3u, count);
  EXPECT_EQ(nullptr, browser->WordPopupWindow());
}

TEST_F(BrowserObject, WithoutAConnectorTheListsFailAndTheRestServes) {
  SetConnectorMaker(kKernelConnector, nullptr);
  auto browser = MakeBrowser();
  EXPECT_EQ(S_FALSE, browser->Initialize(EPBT_FF, nullptr, 0));
  ULONG count = 0;
  EXPECT_EQ(E_FAIL, browser->get_DirsCount(&count));
  LONG value = 0;
  EXPECT_EQ(E_FAIL, browser->get_ActiveDirID(&value));
  EXPECT_EQ(E_POINTER, browser->get_IsDisable(&value));
  ENorvaBrowserType type = EPBT_OPERA;
  EXPECT_EQ(S_OK, browser->get_BrowserType(&type));
  EXPECT_EQ(EPBT_FF, type);
  Bstr title;
  EXPECT_EQ(S_OK, browser->get_PluginTitle(title.Receive()));
  EXPECT_EQ(L"NORVA for Mozilla FireFox", title.Str());
}

TEST_F(BrowserObject, ABrowserTypeOutsideTheTableIsRejected) {
  for (long type : {4L, -1L, 100L}) {
    auto browser = MakeBrowser();
    EXPECT_EQ(E_INVALIDARG, browser->Initialize(static_cast<ENorvaBrowserType>(type), nullptr, 0)) << "type " << type;
    EXPECT_EQ(0, connector_.State().alive) << "type " << type;
  }
}

TEST_F(BrowserObject, ASecondInitializeIsRefusedAndKeepsStateAndConnector) {
  auto browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));
  VARIANT real;
  VariantInit(&real);
  real.vt = VT_R8;
  real.dblVal = 1.5;
  ASSERT_EQ(S_OK, browser->SetSetting(Bstr(L"Zoom").Get(), real));

  EXPECT_EQ(E_UNEXPECTED, browser->Initialize(EPBT_FF, nullptr, 0));
  EXPECT_EQ(E_UNEXPECTED, browser->Initialize(EPBT_IE, nullptr, 0));
  EXPECT_EQ(1, connector_.State().alive) << "no second connector";
  platform::Variant value;
  EXPECT_EQ(S_OK, browser->GetSetting(Bstr(L"Zoom").Get(), platform::Variant::Missing().Get(), value.Receive()));
  EXPECT_EQ(VT_R8, value.Type());
  ENorvaBrowserType type = EPBT_OPERA;
  browser->get_BrowserType(&type);
  EXPECT_EQ(EPBT_FF, type);
}

TEST_F(BrowserObject, IndexesAreCheckedAgainstTheLists) {
  auto browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));
  Bstr name;
  LONG id = 0;
  EXPECT_EQ(E_INVALIDARG, browser->get_DirName(-1, name.Receive())) << "-1 is a large unsigned index";
  EXPECT_EQ(E_INVALIDARG, browser->get_DirName(3, name.Receive()));
  EXPECT_EQ(S_OK, browser->get_DirName(2, name.Receive()));
  EXPECT_EQ(L"English-German", name.Str());
  EXPECT_EQ(E_INVALIDARG, browser->get_DirID(3, &id));
  EXPECT_EQ(E_INVALIDARG, browser->get_TmplName(2, name.Receive())) << "active direction has two templates";
  EXPECT_EQ(S_OK, browser->get_TmplName(1, name.Receive()));
  EXPECT_EQ(L"Computer", name.Str());
  EXPECT_EQ(E_INVALIDARG, browser->get_TmplNameByDirIdx(3, 2, name.Receive()));
  EXPECT_EQ(S_OK, browser->get_TmplNameByDirIdx(2, 2, name.Receive()));
  EXPECT_EQ(L"Science", name.Str());
  ULONG count = 0;
  EXPECT_EQ(S_OK, browser->get_TmplCountByDirIdx(7, &count));
  EXPECT_EQ(0u, count);
}

TEST_F(BrowserObject, NullOutPointersAreRejected) {
  auto browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));
  struct Case {
    const char* member;
    HRESULT hr;
  } cases[] = {
      {"DirsCount", browser->get_DirsCount(nullptr)},
      {"DirName", browser->get_DirName(0, nullptr)},
      {"DirID", browser->get_DirID(0, nullptr)},
      {"TmplCount", browser->get_TmplCount(nullptr)},
      {"TmplName", browser->get_TmplName(0, nullptr)},
      {"ActiveDirID", browser->get_ActiveDirID(nullptr)},
      {"ActiveDirIndex", browser->get_ActiveDirIndex(nullptr)},
      {"ActiveTplId", browser->get_ActiveTplId(nullptr)},
      {"TmplCountByDirIdx", browser->get_TmplCountByDirIdx(0, nullptr)},
      {"TmplNameByDirIdx", browser->get_TmplNameByDirIdx(0, 0, nullptr)},
      {"ActiveTplIndex", browser->get_ActiveTplIndex(nullptr)},
      {"BrowserType", browser->get_BrowserType(nullptr)},
      {"PluginTitle", browser->get_PluginTitle(nullptr)},
      {"GetSetting", browser->GetSetting(Bstr(L"x").Get(), platform::Variant::Missing().Get(), nullptr)},
  };
  for (const Case& c : cases) EXPECT_EQ(E_INVALIDARG, c.hr) << c.member;
  EXPECT_EQ(E_POINTER, browser->get_IsDisable(nullptr));
}

TEST_F(BrowserObject, OnlySettingTheDirectionByIdentifierChangesTheRememberedOne) {
  auto browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));
  EXPECT_EQ(S_OK, browser->put_ActiveDirIndex(1));
  EXPECT_EQ(0x00020001u, RegDword(HKEY_CURRENT_USER, BrowserKey(L"FireFox"), L"lastDirID"));
  EXPECT_EQ(S_OK, browser->put_ActiveDirID(0x00040001));
  EXPECT_EQ(0x00040001u, RegDword(HKEY_CURRENT_USER, BrowserKey(L"FireFox"), L"lastDirID"))
      << "written as soon as it is acknowledged";
  ULONG index = 0;
  browser->get_ActiveDirIndex(&index);
  EXPECT_EQ(2u, index);
}

TEST_F(BrowserObject, AnEngineErrorIsReportedAndAnswered) {
  auto browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));
  connector_.State().calls.clear();
  EXPECT_EQ(E_INVALIDARG, browser->put_ActiveDirID(0x5555));
  EXPECT_TRUE(connector_.Called("ReportError 0x80070057"));
  EXPECT_EQ(E_INVALIDARG, browser->put_ActiveDirIndex(9));
  EXPECT_EQ(0x00020001u, RegDword(HKEY_CURRENT_USER, BrowserKey(L"FireFox"), L"lastDirID"))
      << "a rejected direction is not remembered";
}

TEST_F(BrowserObject, TemplatesOfTheActiveDirection) {
  auto browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));
  EXPECT_EQ(S_OK, browser->put_ActiveTplId(Bstr(L"Computer").Get()));
  Bstr id;
  EXPECT_EQ(S_OK, browser->get_ActiveTplId(id.Receive()));
  EXPECT_EQ(L"Computer", id.Str());
  ULONG index = 0, count = 0;
  EXPECT_EQ(S_OK, browser->get_ActiveTplIndex(&index));
  EXPECT_EQ(1u, index);
  EXPECT_EQ(S_OK, browser->get_TmplCount(&count));
  EXPECT_EQ(2u, count);
}

TEST_F(BrowserObject, ATemplateTheConnectorRefusesIsAnsweredWithItsFailure) {
  auto browser = MakeBrowser();
  ASSERT_EQ(S_OK, browser->Initialize(EPBT_FF, nullptr, 0));
  ASSERT_EQ(S_OK, browser->put_ActiveTplId(Bstr(L"Computer").Get()));
  for (HRESULT refused : {E_INVALIDARG, E_ACCESSDENIED, static_cast<HRESULT>(0x800F0021)}) {
    connector_.State().refuseTemplate = refused;
    EXPECT_EQ(refused, browser->put_ActiveTplId(Bstr(L"General").Get())) << std::hex << refused;
    Bstr id;
    EXPECT_EQ(S_OK, browser->get_ActiveTplId(id.Receive()));
    EXPECT_EQ(L"Computer", id.Str()) << "unchanged after " << std::hex << refused;
  }
}

}  // namespace
