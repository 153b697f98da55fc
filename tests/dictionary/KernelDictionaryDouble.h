#pragma once
#include <map>
#include <string>
#include <vector>

#include "NorvaKernel.h"
#include "platform/com/ComPtr.h"

namespace testsupport {

// What the kernel knows of one dictionary: its kind and its number.
struct KernelDictionary {
  long kind = 0;
  long number = 0;
};

// The kernel's word-dictionary object as far as the light view reaches it:
// the dictionary manager, its dictionary information, the dictionary set of
// a kind selector, the dictionary list (8-bit keys) and the dictionaries.
// Keys not in the map are unknown (id 0xFFFF). Records the selectors asked for.
struct KernelDictionaryLog {
  std::vector<long> selectors;
};
platform::ComPtr<IUnknown> MakeKernelDictionary(std::map<std::string, KernelDictionary> dictionaries,
                                                KernelDictionaryLog* log = nullptr);

}  // namespace testsupport
