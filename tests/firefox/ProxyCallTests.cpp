// Calls by name on a worker thread while the calling thread pumps.
#include <gtest/gtest.h>

#include "FakeBrowserObject.h"
#include "firefox/ProxyCall.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

namespace {

using platform::ComPtr;
using platform::Variant;

class ProxyCall : public testing::Test {
 protected:
  void TearDown() override { SetProxyThreadStarter(nullptr); }
  platform::ComApartment apartment_;
  ComPtr<INorvaBrowserClass> object_ = ComPtr<INorvaBrowserClass>::Share(new FakeBrowserObject());
};

TEST_F(ProxyCall, AMethodCalledByNameAnswersItsResult) {
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_BSTR;
  arg.bstrVal = SysAllocString(L"words");
  Variant result;
  EXPECT_EQ(S_OK, CallProxyMethod(object_.Get(), L"Echo", &arg, 1, result.Ptr()));
  VariantClear(&arg);
  EXPECT_EQ(L"words", result.ToString().value_or(L"(none)"));
}

TEST_F(ProxyCall, AnswersOtherThanSOkLeaveTheResultAlone) {
  Variant result = Variant::FromInt32(5);
  EXPECT_EQ(S_FALSE, CallProxyMethod(object_.Get(), L"Refuse", nullptr, 0, result.Ptr()));
  EXPECT_EQ(5, result.ToInt32().value_or(0));
  EXPECT_EQ(DISP_E_UNKNOWNNAME, CallProxyMethod(object_.Get(), L"Missing", nullptr, 0, result.Ptr()));
  EXPECT_EQ(5, result.ToInt32().value_or(0));
}

TEST_F(ProxyCall, AQuitDuringTheCallIsPostedAgainAfterIt) {
  EXPECT_EQ(S_OK, CallProxyMethod(object_.Get(), L"Quit", nullptr, 0, nullptr));
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the browser's loop still ends";
  EXPECT_EQ(7u, message.wParam);
}

TEST_F(ProxyCall, AWorkerThatCannotStartFailsTheCall) {
  SetProxyThreadStarter([](LPTHREAD_START_ROUTINE, void*) -> HANDLE { return nullptr; });
  Variant result;
  DWORD start = GetTickCount();
  EXPECT_EQ(E_FAIL, CallProxyMethod(object_.Get(), L"Echo", nullptr, 0, result.Ptr()));
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_TRUE(result.IsEmpty());
}

}  // namespace
