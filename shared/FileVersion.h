#pragma once
#include <windows.h>

#include <string>

// The fixed version record of a file's version resource; false when it has none.
bool GetFixedFileVersion(const std::wstring& file, VS_FIXEDFILEINFO* version);
