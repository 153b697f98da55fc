#pragma once
#include <string>

// Small probes of the system that several switches share. None throws.

// A value of HKLM "SOFTWARE\Norvasoft\NRVA9\Folders"; empty on any failure.
std::wstring ReadFoldersValue(const wchar_t* valueName);
// The user belongs to the built-in Administrators group.
bool IsUserAdmin();
// The path opens for reading as a file.
bool CanOpenFile(const std::wstring& path);
// The file is there, also when another program holds it locked or it is
// protected: true and `found` set; false (found untouched) when it is not.
bool FileIsThere(const std::wstring& path, bool& found);
// Depth-first search below `folder` for an entry called `name` (any case);
// on a hit `name` becomes its full path. Links and junctions are not
// followed and the search goes at most kMaxSearchDepth folders deep.
bool FindEntryBelow(const std::wstring& folder, std::wstring& name);
inline constexpr int kMaxSearchDepth = 32;
