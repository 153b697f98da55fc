#pragma once
// The browser's registries that a module's registration writes into: the
// service manager, the component registrar and the category manager.
#include "platform/xpcom/nsISupports.h"

struct nsIFile;

// Makes objects of registered classes.
struct nsIComponentManager : nsISupports {
  NS_IMETHOD GetClassObject(const nsCID& cid, const nsIID& iid, void** result) = 0;
  NS_IMETHOD CreateInstanceByContractID(const char* contractId, nsISupports* outer, const nsIID& iid,
                                        void** result) = 0;
};
__CRT_UUID_DECL(nsIComponentManager, 0x5e8b7a51, 0x2c0e, 0x4d3b, 0x9b, 0x16, 0x6a, 0x4c, 0x3f, 0x2e, 0x9d, 0x06)

struct nsIServiceManager : nsISupports {
  NS_IMETHOD GetService(const nsCID& cid, const nsIID& iid, void** result) = 0;
  NS_IMETHOD GetServiceByContractID(const char* contractId, const nsIID& iid, void** result) = 0;
};
__CRT_UUID_DECL(nsIServiceManager, 0x5e8b7a51, 0x2c0e, 0x4d3b, 0x9b, 0x16, 0x6a, 0x4c, 0x3f, 0x2e, 0x9d, 0x03)

// Maps class identifiers and contract identifiers to the library that serves them.
struct nsIComponentRegistrar : nsISupports {
  NS_IMETHOD RegisterFactoryLocation(const nsCID& cid, const char* className, const char* contractId,
                                     nsIFile* location, const char* loaderString, const char* type) = 0;
  NS_IMETHOD UnregisterFactoryLocation(const nsCID& cid, nsIFile* location) = 0;
};
__CRT_UUID_DECL(nsIComponentRegistrar, 0x5e8b7a51, 0x2c0e, 0x4d3b, 0x9b, 0x16, 0x6a, 0x4c, 0x3f, 0x2e, 0x9d, 0x04)

// Named lists of (entry, value) pairs that the browser and extensions look up.
struct nsICategoryManager : nsISupports {
  NS_IMETHOD GetCategoryEntry(const char* category, const char* entry, char** value) = 0;
  NS_IMETHOD AddCategoryEntry(const char* category, const char* entry, const char* value, PRBool persist,
                              PRBool replace, char** oldValue) = 0;
  NS_IMETHOD DeleteCategoryEntry(const char* category, const char* entry, PRBool persist) = 0;
};
__CRT_UUID_DECL(nsICategoryManager, 0x5e8b7a51, 0x2c0e, 0x4d3b, 0x9b, 0x16, 0x6a, 0x4c, 0x3f, 0x2e, 0x9d, 0x05)

// The contract identifier of the category manager service.
inline constexpr char kCategoryManagerContractId[] = "@mozilla.org/categorymanager;1";
