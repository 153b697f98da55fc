#pragma once
#include <windows.h>

#include <map>
#include <span>

#include "TessivaLib.h"
#include "browserproxy/core/BrowserHookLibrary.h"
#include "browserproxy/core/TessivaTypeLibrary.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"

// The entry object of Tessiva, one per process: owns one browser object per
// browser type and binds the browser hook library. The link runs one way:
// the creator holds its browser objects, they know nothing of it. Its own
// references do not hold the module (ModuleLockPolicy::BeyondFirstReference),
// so the server still ends after its last client.
class CWebClassCreator : public platform::Dispatch<IWebClassCreator, g_tessivaTypeLibrary> {
 public:
  CWebClassCreator() = default;
  // Lets the browser objects go, and only then unloads the hook library.
  virtual ~CWebClassCreator();

  static std::span<const platform::InterfaceEntry> Interfaces();

  STDMETHODIMP GetProxyObject(ENorvaBrowserType Type, INorvaBrowserAppCounterEvents* pAppIntegration,
                              LONG ParentHwnd, LONG HandlerHwnd, IDispatch** ppDisp) override;

 private:
  void ReleaseAllBrowserObjects() noexcept;

  // Declared first, destroyed last.
  CBrowserHookLibrary hook_;
  std::map<long, platform::ComPtr<IDispatch>> browsers_;
};
