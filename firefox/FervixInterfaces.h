#pragma once
// The XPCOM interfaces of the Firefox plug-in (IFervix9, IFervix9_2 and the
// script's IFervix9Observer, made from xpidl/fervix9.idl at build time) and
// the names the module registers. Shared with programs that play the
// browser.
#include "FervixXpidl.h"

// {3264f69f-7875-45e4-b315-eb409a5f5625}
inline constexpr nsCID kFervixComponentCid = {
    0x3264f69f, 0x7875, 0x45e4, {0xb3, 0x15, 0xeb, 0x40, 0x9a, 0x5f, 0x56, 0x25}};
inline constexpr char kFervixContractId[] = "@norvasoft.test/norva9/fervix9;1";
inline constexpr char kFervixCategory[] = "norva-category";
inline constexpr char kFervixCategoryEntry[] = "norva-key";
