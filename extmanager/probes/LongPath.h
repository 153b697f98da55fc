#pragma once
#include <string>

// The path as the file APIs take it whatever its length: "/" turned into "\"
// and, for a drive or UNC path of MAX_PATH characters or more, the "\\?\"
// prefix that lifts the length limit.
std::wstring LongPath(const std::wstring& path);
