#pragma once
// The module and factory interfaces through which the browser reaches the
// classes of a component library.
#include "platform/xpcom/nsISupports.h"

struct nsIComponentManager;
struct nsIFile;

// A component library's entry: hands out class objects and registers its classes.
struct nsIModule : nsISupports {
  NS_IMETHOD GetClassObject(nsIComponentManager* manager, const nsCID& cid, const nsIID& iid, void** result) = 0;
  NS_IMETHOD RegisterSelf(nsIComponentManager* manager, nsIFile* location, const char* loaderString,
                          const char* type) = 0;
  NS_IMETHOD UnregisterSelf(nsIComponentManager* manager, nsIFile* location, const char* loaderString) = 0;
  NS_IMETHOD CanUnload(nsIComponentManager* manager, PRBool* result) = 0;
};
__CRT_UUID_DECL(nsIModule, 0x5e8b7a51, 0x2c0e, 0x4d3b, 0x9b, 0x16, 0x6a, 0x4c, 0x3f, 0x2e, 0x9d, 0x01)

// Makes the objects of one class.
struct nsIFactory : nsISupports {
  NS_IMETHOD CreateInstance(nsISupports* outer, const nsIID& iid, void** result) = 0;
  NS_IMETHOD LockFactory(PRBool lock) = 0;
};
__CRT_UUID_DECL(nsIFactory, 0x5e8b7a51, 0x2c0e, 0x4d3b, 0x9b, 0x16, 0x6a, 0x4c, 0x3f, 0x2e, 0x9d, 0x02)

// The signature of the library export "NSGetModule".
using NSGetModuleProc = nsresult (*)(nsIComponentManager* manager, nsIFile* location, nsIModule** result);
