#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/base/Handles.h"

using UniqueFind = platform::UniqueFindHandle;

// The entries that match `pattern` (a folder + "\*", or any wildcard path),
// without "." and "..", whatever the path's length.
std::vector<WIN32_FIND_DATAW> FolderEntries(const std::wstring& pattern);
