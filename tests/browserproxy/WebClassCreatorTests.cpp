// The entry object: one browser object per type, and the hook library's
// calls as its stand-in logs them.
#include <gtest/gtest.h>

#include "BrowserTestSupport.h"
#include "HookLog.h"
#include "TestConnector.h"
#include "browserproxy/core/WebClassCreator.h"

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
  for (long type : {4L, -1L}) {
    IDispatch* untouched = reinterpret_cast<IDispatch*>(0x1);
    EXPECT_EQ(E_INVALIDARG, creator->GetProxyObject(static_cast<ENorvaBrowserType>(type), nullptr, 0, 0x10, &untouched))
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

}  // namespace
