#pragma once
// Maps class and contract identifiers to the factories and libraries that
// serve them. Frozen in Gecko 1.9.
#include "platform/xpcom/nsISupports.h"

struct nsIFactory;
struct nsIFile;
struct nsISimpleEnumerator;

struct nsIComponentRegistrar : nsISupports {
  NS_IMETHOD AutoRegister(nsIFile* file) = 0;
  NS_IMETHOD AutoUnregister(nsIFile* file) = 0;
  NS_IMETHOD RegisterFactory(const nsCID& cid, const char* className, const char* contractId,
                             nsIFactory* factory) = 0;
  NS_IMETHOD UnregisterFactory(const nsCID& cid, nsIFactory* factory) = 0;
  NS_IMETHOD RegisterFactoryLocation(const nsCID& cid, const char* className, const char* contractId,
                                     nsIFile* location, const char* loaderString, const char* type) = 0;
  NS_IMETHOD UnregisterFactoryLocation(const nsCID& cid, nsIFile* location) = 0;
  NS_IMETHOD IsCIDRegistered(const nsCID& cid, PRBool* result) = 0;
  NS_IMETHOD IsContractIDRegistered(const char* contractId, PRBool* result) = 0;
  NS_IMETHOD EnumerateCIDs(nsISimpleEnumerator** result) = 0;
  NS_IMETHOD EnumerateContractIDs(nsISimpleEnumerator** result) = 0;
  NS_IMETHOD CIDToContractID(const nsCID& cid, char** result) = 0;
  NS_IMETHOD ContractIDToCID(const char* contractId, nsCID** result) = 0;
};
// {2417cbfe-65ad-48a6-b4b6-eb84db174392}
__CRT_UUID_DECL(nsIComponentRegistrar, 0x2417cbfe, 0x65ad, 0x48a6, 0xb4, 0xb6, 0xeb, 0x84, 0xdb, 0x17, 0x43, 0x92)
