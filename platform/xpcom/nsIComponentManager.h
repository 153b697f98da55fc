#pragma once
// Makes objects of registered classes, by class or contract identifier.
// Frozen in Gecko 1.9.
#include "platform/xpcom/nsISupports.h"

struct nsIComponentManager : nsISupports {
  NS_IMETHOD GetClassObject(const nsCID& cid, const nsIID& iid, void** result) = 0;
  NS_IMETHOD GetClassObjectByContractID(const char* contractId, const nsIID& iid, void** result) = 0;
  NS_IMETHOD CreateInstance(const nsCID& cid, nsISupports* outer, const nsIID& iid, void** result) = 0;
  NS_IMETHOD CreateInstanceByContractID(const char* contractId, nsISupports* outer, const nsIID& iid,
                                        void** result) = 0;
};
// {a88e5a60-205a-4bb1-94e1-2628daf51eae}
__CRT_UUID_DECL(nsIComponentManager, 0xa88e5a60, 0x205a, 0x4bb1, 0x94, 0xe1, 0x26, 0x28, 0xda, 0xf5, 0x1e, 0xae)
