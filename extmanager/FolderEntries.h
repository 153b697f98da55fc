#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win/UniqueHandle.h"

// A file search handle (FindFirstFileW), closed with FindClose.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { FindClose(h); }
};
using UniqueFind = platform::UniqueHandle<FindHandleTraits>;

// The entries that match `pattern` (a folder + "\*", or any wildcard path),
// without "." and "..", whatever the path's length.
std::vector<WIN32_FIND_DATAW> FolderEntries(const std::wstring& pattern);
