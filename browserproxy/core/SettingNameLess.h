#pragma once
#include <windows.h>

#include <string>

// Orders setting names as the registry compares value names: ordinally,
// without regard to case. "Foo" and "foo" are one setting in memory, as
// they are one value on disk.
struct SettingNameLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const noexcept {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_LESS_THAN;
  }
};
