#pragma once
// Makes the objects of one class. Frozen in Gecko 1.9.
#include "platform/xpcom/nsISupports.h"

struct nsIFactory : nsISupports {
  NS_IMETHOD CreateInstance(nsISupports* outer, const nsIID& iid, void** result) = 0;
  NS_IMETHOD LockFactory(PRBool lock) = 0;
};
// {00000001-0000-0000-c000-000000000046}
__CRT_UUID_DECL(nsIFactory, 0x00000001, 0x0000, 0x0000, 0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)
