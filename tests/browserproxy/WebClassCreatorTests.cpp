// The entry object: one browser object per type, and the hook library's
// calls as its stand-in logs them.
#include <gtest/gtest.h>

#include "BrowserTestSupport.h"
#include "HookLog.h"
#include "TestConnector.h"
#include "browserproxy/core/WebClassCreator.h"
#include "platform/com/Bstr.h"
#include "platform/com/ModuleLock.h"
#include "platform/com/Variant.h"

namespace {

using platform::ComPtr;

class WebClassCreator : public BrowserObjectTest {
 protected:
  void SetUp() override { hooklog::Clear(); }
  void TearDown() override { hooklog::Clear(); }
  ComPtr<platform::ComObject<CWebClassCreator>> MakeCreator() { return platform::MakeComObject<CWebClassCreator>(); }
};

TEST_F(WebClassCreator, TheSameTypeSharesOneBrowserObjectAndHooksEachHandlerWindow) {
  ScopedTestConnector connector;
  {
    auto creator = MakeCreator();
    ComPtr<IDispatch> first, second, other;
    EXPECT_EQ(S_OK, creator->GetProxyObject(EPBT_FF, nullptr, 0, 0x111, first.Receive()));
    EXPECT_EQ(S_OK, creator->GetProxyObject(EPBT_FF, nullptr, 0, 0x222, second.Receive()));
    EXPECT_EQ(S_OK, creator->GetProxyObject(EPBT_IE, nullptr, 0, 0, other.Receive()));
    EXPECT_TRUE(platform::SameObject(first, second));
    EXPECT_FALSE(platform::SameObject(first, other));
    EXPECT_EQ(2, connector.State().alive);
    first.Reset();
    second.Reset();
    other.Reset();
    EXPECT_EQ(2, connector.State().alive) << "the creator keeps its browser objects";
  }
  EXPECT_EQ(0, connector.State().alive);
  // Hook calls for both objects, unhooking as each one goes, and the library
  // unloaded only after the objects it serves.
  std::vector<std::string> expected = {"LoadHook",           "SetBrowserHook 2 273", "SetBrowserHook 2 546",
                                       "UnSetBrowserHook 2", "UnSetBrowserHook 3",   "UnloadHook"};
  EXPECT_EQ(expected, hooklog::Calls());
}

TEST_F(WebClassCreator, AnInitializeAnsweringSFalseStillKeepsTheObject) {
  // No engine: the browser object answers S_FALSE and is kept.
  auto creator = MakeCreator();
  ComPtr<IDispatch> first, second;
  EXPECT_EQ(S_FALSE, creator->GetProxyObject(EPBT_CROME, nullptr, 0, 0, first.Receive()));
  ASSERT_TRUE(first);
  EXPECT_EQ(S_OK, creator->GetProxyObject(EPBT_CROME, nullptr, 0, 0, second.Receive()));
  EXPECT_TRUE(platform::SameObject(first, second));
}

TEST_F(WebClassCreator, BadArgumentsAreRejectedWithoutTouchingTheHook) {
  auto creator = MakeCreator();
  // An unknown type fails the browser object's initialisation: E_FAIL.
  for (long type : {4L, -1L, 0x7FFFFFFFL}) {
    IDispatch* untouched = reinterpret_cast<IDispatch*>(0x1);
    EXPECT_EQ(E_FAIL, creator->GetProxyObject(static_cast<ENorvaBrowserType>(type), nullptr, 0, 0x10, &untouched))
        << "type " << type;
    EXPECT_EQ(reinterpret_cast<IDispatch*>(0x1), untouched) << "type " << type;
  }
  EXPECT_EQ(E_INVALIDARG, creator->GetProxyObject(EPBT_FF, nullptr, 0, 0x10, nullptr));
  std::vector<std::string> expected = {"LoadHook"};
  EXPECT_EQ(expected, hooklog::Calls());
}

TEST_F(WebClassCreator, ABrowserObjectHeldElsewhereOutlivesTheCreatorSafely) {
  ComPtr<IDispatch> kept;
  {
    auto creator = MakeCreator();
    ASSERT_TRUE(SUCCEEDED(creator->GetProxyObject(EPBT_OPERA, nullptr, 0, 0x30, kept.Receive())));
  }
  std::vector<std::string> expected = {"LoadHook", "SetBrowserHook 0 48", "UnSetBrowserHook 0", "UnloadHook"};
  EXPECT_EQ(expected, hooklog::Calls());
  auto browser = kept.As<INorvaBrowserClass>();
  ENorvaBrowserType type = EPBT_IE;
  EXPECT_EQ(S_OK, browser->get_BrowserType(&type));
  EXPECT_EQ(EPBT_OPERA, type);
  browser.Reset();
  kept.Reset();  // its end of life must not reach the creator that is gone
  EXPECT_EQ(expected, hooklog::Calls());
}

// The creator's own references do not hold the module: with every client
// reference gone the count is back where it was, and a server would end.
TEST_F(WebClassCreator, OnlyTheClientsReferencesHoldTheModule) {
  ScopedTestConnector connector;
  const LONG before = platform::ModuleLock::Count();
  {
    auto creator = platform::MakeComObject<CWebClassCreator, platform::ModuleLockPolicy::BeyondFirstReference>();
    ComPtr<IDispatch> first, second;
    ASSERT_EQ(S_OK, creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, first.Receive()));
    ASSERT_EQ(S_OK, creator->GetProxyObject(EPBT_IE, nullptr, 0, 0, second.Receive()));
    EXPECT_EQ(before + 2, platform::ModuleLock::Count()) << "one lock per client reference";
    first.Reset();
    second.Reset();
    EXPECT_EQ(before, platform::ModuleLock::Count()) << "the creator keeps its objects without a lock";
    EXPECT_EQ(2, connector.State().alive);
  }
  EXPECT_EQ(0, connector.State().alive);
  EXPECT_EQ(before, platform::ModuleLock::Count());
}

// Tessiva serves one apartment thread, and the end of a browser object (its
// engine released across processes) pumps messages: calls on the objects a
// client still holds come in while the creator is letting an object go.
TEST_F(WebClassCreator, CallsThatComeInWhileTheCreatorLetsAnObjectGoFindTheOthersWhole) {
  ScopedTestConnector connector;
  ComPtr<INorvaBrowserClass> chrome, ie;
  HRESULT chromeServed = E_FAIL, chromeSet = E_FAIL, ieServed = E_FAIL;
  ENorvaBrowserType chromeType = EPBT_OPERA, ieType = EPBT_OPERA;
  {
    auto creator = MakeCreator();
    ComPtr<IDispatch> opera, a, b;
    ASSERT_EQ(S_OK, creator->GetProxyObject(EPBT_OPERA, nullptr, 0, 0x10, opera.Receive()));
    ASSERT_EQ(S_OK, creator->GetProxyObject(EPBT_CROME, nullptr, 0, 0x11, a.Receive()));
    ASSERT_EQ(S_OK, creator->GetProxyObject(EPBT_IE, nullptr, 0, 0x13, b.Receive()));
    chrome = a.As<INorvaBrowserClass>();
    ie = b.As<INorvaBrowserClass>();
    // Opera's object goes first; while it ends, the client works with the
    // other two and lets Chrome's go, which the creator has not let go yet.
    connector.State().whenEnding = [&] {
      chromeServed = chrome->get_BrowserType(&chromeType);
      chromeSet = chrome->SetSetting(platform::Bstr(L"LateSetting").Get(), platform::Variant::FromUInt32(5).Get());
      ieServed = ie->get_BrowserType(&ieType);
      chrome.Reset();
    };
  }
  EXPECT_EQ(S_OK, chromeServed);
  EXPECT_EQ(EPBT_CROME, chromeType);
  EXPECT_EQ(S_OK, chromeSet);
  EXPECT_EQ(S_OK, ieServed);
  EXPECT_EQ(EPBT_IE, ieType);
  EXPECT_EQ(5u, RegDword(HKEY_CURRENT_USER, BrowserKey(L"Chrome"), L"LateSetting"));
  EXPECT_EQ(1, connector.State().alive) << "Internet Explorer's object: its client still holds it";
  std::vector<std::string> expected = {"LoadHook",           "SetBrowserHook 0 16", "SetBrowserHook 1 17",
                                       "SetBrowserHook 3 19", "UnSetBrowserHook 0", "UnSetBrowserHook 1",
                                       "UnSetBrowserHook 3", "UnloadHook"};
  EXPECT_EQ(expected, hooklog::Calls());
  ENorvaBrowserType type = EPBT_OPERA;
  EXPECT_EQ(S_OK, ie->get_BrowserType(&type)) << "it outlives the creator";
  EXPECT_EQ(EPBT_IE, type);
  ie.Reset();
  EXPECT_EQ(0, connector.State().alive);
  EXPECT_EQ(expected, hooklog::Calls()) << "its end reaches neither the creator nor the hook";
}

// Initialize pumps too (the engine starts in another process): a request for
// the same type that comes in then gets the one object the creator keeps.
TEST_F(WebClassCreator, ARequestForATypeBeingMadeGetsTheOneObjectKept) {
  ScopedTestConnector connector;
  auto creator = MakeCreator();
  ComPtr<IDispatch> inner, outer;
  HRESULT innerResult = E_FAIL;
  connector.State().whenInitializing = [&] {
    innerResult = creator->GetProxyObject(EPBT_FF, nullptr, 0, 0x21, inner.Receive());
  };
  EXPECT_EQ(S_OK, creator->GetProxyObject(EPBT_FF, nullptr, 0, 0x22, outer.Receive()));
  EXPECT_EQ(S_OK, innerResult);
  EXPECT_TRUE(platform::SameObject(inner, outer));
  EXPECT_EQ(1, connector.State().alive) << "the second object made ended at once";
  inner.Reset();
  outer.Reset();
  creator.Reset();
  EXPECT_EQ(0, connector.State().alive);
  std::vector<std::string> expected = {"LoadHook", "SetBrowserHook 2 33", "SetBrowserHook 2 34", "UnSetBrowserHook 2",
                                       "UnloadHook"};
  EXPECT_EQ(expected, hooklog::Calls());
}

}  // namespace
