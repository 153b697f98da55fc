#pragma once
// Named lists of (entry, value) pairs that the browser and extensions look
// up. Frozen in Gecko 1.9. Strings it hands out belong to the caller, who
// frees them with the XPCOM allocator.
#include "platform/xpcom/nsISupports.h"

struct nsISimpleEnumerator;

struct nsICategoryManager : nsISupports {
  NS_IMETHOD GetCategoryEntry(const char* category, const char* entry, char** value) = 0;
  NS_IMETHOD AddCategoryEntry(const char* category, const char* entry, const char* value, PRBool persist,
                              PRBool replace, char** oldValue) = 0;
  NS_IMETHOD DeleteCategoryEntry(const char* category, const char* entry, PRBool persist) = 0;
  NS_IMETHOD DeleteCategory(const char* category) = 0;
  NS_IMETHOD EnumerateCategory(const char* category, nsISimpleEnumerator** entries) = 0;
  NS_IMETHOD EnumerateCategories(nsISimpleEnumerator** categories) = 0;
};
// {3275b2cd-af6d-429a-80d7-f0c5120342ac}
__CRT_UUID_DECL(nsICategoryManager, 0x3275b2cd, 0xaf6d, 0x429a, 0x80, 0xd7, 0xf0, 0xc5, 0x12, 0x03, 0x42, 0xac)

// The contract identifier of the category manager service.
inline constexpr char kCategoryManagerContractId[] = "@mozilla.org/categorymanager;1";
