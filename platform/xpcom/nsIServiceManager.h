#pragma once
// Hands out the browser's services (one object each), by class or contract
// identifier. Frozen in Gecko 1.9.
#include "platform/xpcom/nsISupports.h"

struct nsIServiceManager : nsISupports {
  NS_IMETHOD GetService(const nsCID& cid, const nsIID& iid, void** result) = 0;
  NS_IMETHOD GetServiceByContractID(const char* contractId, const nsIID& iid, void** result) = 0;
  NS_IMETHOD IsServiceInstantiated(const nsCID& cid, const nsIID& iid, PRBool* result) = 0;
  NS_IMETHOD IsServiceInstantiatedByContractID(const char* contractId, const nsIID& iid, PRBool* result) = 0;
};
// {8bb35ed9-e332-462d-9155-4a002ab5c958}
__CRT_UUID_DECL(nsIServiceManager, 0x8bb35ed9, 0xe332, 0x462d, 0x91, 0x55, 0x4a, 0x00, 0x2a, 0xb5, 0xc9, 0x58)
