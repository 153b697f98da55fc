#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "TessivaLib.h"
#include "platform/com/ComPtr.h"

// The Firefox browser object of a Tessiva.exe that COM starts (or reaches)
// for this process, made on first use.
class TessivaBrowserClient {
 public:
  INorvaBrowserClass* Browser() {
    if (!browser_) {
      HRESULT hr =
          platform::ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator_, CLSCTX_LOCAL_SERVER);
      EXPECT_EQ(S_OK, hr);
      if (FAILED(hr)) return nullptr;
      platform::ComPtr<IDispatch> object;
      proxyResult_ = creator_->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive());
      EXPECT_TRUE(SUCCEEDED(proxyResult_)) << std::hex << proxyResult_;
      browser_ = object.As<INorvaBrowserClass>();
    }
    return browser_.Get();
  }
  bool Holds() const { return static_cast<bool>(browser_); }
  // What GetProxyObject answered for the object Browser() holds.
  HRESULT ProxyResult() const { return proxyResult_; }
  // Lets the object and the creator go.
  void Release() {
    browser_.Reset();
    creator_.Reset();
    proxyResult_ = E_FAIL;
  }

 private:
  platform::ComPtr<IWebClassCreator> creator_;
  platform::ComPtr<INorvaBrowserClass> browser_;
  HRESULT proxyResult_ = E_FAIL;
};
