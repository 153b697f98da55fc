#pragma once
#include <string>

// The product's temporary folder and unique temporary file names.

// The "Temp" value of the product folder directory (REG_SZ, not empty, with a
// final backslash), else the system temporary path + "Norvasoft\NRVA\9.0\".
// Does not create the folder.
std::wstring GetNrvaTempFolder();
// GetNrvaTempFolder (+ sub-folder + "\"), every missing level created.
std::wstring EnsureTempFolder(const wchar_t* subFolder = nullptr);
// The system temporary path, every missing level created.
std::wstring GetWindowsTempFolder();
// Creates every missing level of a folder path; failures of single levels
// (existing folders, a UNC server or share) are ignored.
void CreateDirectoryPath(const std::wstring& path);
// Makes a new empty file with a unique name in the folder (prefix "xstr"
// when none is given) and returns its full name; empty on failure.
std::wstring MakeTempFileName(const std::wstring& folder, const wchar_t* prefix = nullptr);
// The same in the Windows temporary folder when inWindowsTemp is set, else
// in the current folder; true when a name was made.
bool MakeTempFileNameIn(std::wstring& name, const wchar_t* prefix, bool inWindowsTemp);
