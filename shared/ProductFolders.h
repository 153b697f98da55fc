#pragma once
#include <windows.h>

#include <string>

// Where the product, Windows and the shell keep their folders. Folder results
// end with a backslash unless they are empty; nothing here throws.

// A value of the product folder directory (HKLM "SOFTWARE\Norvasoft\NRVA9\Folders");
// null name = "Root"; empty when the key or value is missing.
std::wstring GetProductFolder(const wchar_t* valueName = nullptr);
// The same in the older product generation's directory ("NORVA 5").
std::wstring GetOldProductFolder(const wchar_t* valueName = nullptr);
// Folder by the product's small numeric id (Windows, shell and product
// folders); empty for an unknown id.
std::wstring GetNamedFolder(unsigned id, bool common);
std::wstring GetWindowsSubFolder(const wchar_t* subFolder = nullptr);
std::wstring GetSystemSubFolder(const wchar_t* subFolder = nullptr);
// Shell special folder by CSIDL number; empty when the shell has none.
std::wstring GetShellFolder(int csidl);
// A value of HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion"; no separator added.
std::wstring GetWindowsCurrentVersionFolder(const wchar_t* valueName);
// The same key under HKLM when common, else under HKCU.
std::wstring GetShellFolderValue(const wchar_t* valueName, bool common);
// An application path of the product's "Apps" key, else of the older generation's.
std::wstring GetProductAppPath(const wchar_t* valueName);

// Full file name of a module (null: the program), however long.
std::wstring GetModulePath(HMODULE module);
// The module's file name with its extension replaced (".ext" or "ext").
std::wstring GetModuleSiblingPath(const char* extension, HMODULE module);
// The module's folder, with its final backslash.
std::wstring GetModuleFolder(HMODULE module);
