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

class CNorvaBrowserClass;

// The entry object of Tessiva, one per process: keeps one browser object
// per browser type and binds the browser hook library.
class CWebClassCreator : public platform::Dispatch<IWebClassCreator, g_tessivaTypeLibrary> {
 public:
  CWebClassCreator() = default;
  // Lets the browser objects go (their end of life calls into the hook
  // library), and only then unloads the hook library.
  virtual ~CWebClassCreator();

  static std::span<const platform::InterfaceEntry> Interfaces();

  STDMETHODIMP GetProxyObject(ENorvaBrowserType Type, INorvaBrowserAppCounterEvents* pAppIntegration,
                              LONG ParentHwnd, LONG HandlerHwnd, IDispatch** ppDisp) override;

  // Called by a browser object at the end of its life: unhooks its type and
  // forgets it.
  void ReleaseBrowserObject(IDispatch* keptAs);

 private:
  struct Entry {
    platform::ComPtr<IDispatch> object;
    IDispatch* identity;  // the pointer the object was kept as
    CNorvaBrowserClass* browser;
  };

  void ReleaseAllBrowserObjects();

  // Declared first, destroyed last.
  CBrowserHookLibrary hook_;
  std::map<long, Entry> browsers_;
};
