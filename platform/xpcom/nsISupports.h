#pragma once
#include "platform/xpcom/XpcomTypes.h"

// The root of every XPCOM interface. Its three methods sit where IUnknown's
// do, so platform::ComPtr owns XPCOM pointers as well.
struct nsISupports {
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) = 0;
  virtual nsrefcnt __stdcall AddRef() = 0;
  virtual nsrefcnt __stdcall Release() = 0;
};
__CRT_UUID_DECL(nsISupports, 0x00000000, 0x0000, 0x0000, 0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)
