#pragma once
// A component library's entry: the browser asks it for class objects and
// lets it register its classes. Frozen in Gecko 1.9.
#include "platform/xpcom/nsISupports.h"

struct nsIComponentManager;
struct nsIFile;

struct nsIModule : nsISupports {
  NS_IMETHOD GetClassObject(nsIComponentManager* manager, const nsCID& cid, const nsIID& iid, void** result) = 0;
  NS_IMETHOD RegisterSelf(nsIComponentManager* manager, nsIFile* location, const char* loaderString,
                          const char* type) = 0;
  NS_IMETHOD UnregisterSelf(nsIComponentManager* manager, nsIFile* location, const char* loaderString) = 0;
  NS_IMETHOD CanUnload(nsIComponentManager* manager, PRBool* result) = 0;
};
// {7392d032-5371-11d3-994e-00805fd26fee}
__CRT_UUID_DECL(nsIModule, 0x7392d032, 0x5371, 0x11d3, 0x99, 0x4e, 0x00, 0x80, 0x5f, 0xd2, 0x6f, 0xee)

// The signature of the library export "NSGetModule" (a plain C function).
using NSGetModuleProc = nsresult (*)(nsIComponentManager* manager, nsIFile* location, nsIModule** result);
