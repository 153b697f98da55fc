#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The programs that installers list under the Windows "Uninstall" key, and
// small presence probes of files and processes. None reports an error: what
// cannot be read counts as absent.
struct InstalledProgram {
  std::wstring displayName;
  std::wstring displayVersion;
  std::wstring installLocation;
};
using InstalledPrograms = std::vector<InstalledProgram>;

inline constexpr const wchar_t* kUninstallKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Appends the entries of root's Uninstall key whose "DisplayName" contains
// text (case-sensitive); true when the list holds a record afterwards.
bool ScanUninstallKeys(HKEY root, const std::wstring& text, InstalledPrograms& list);
// The machine's entries, or the current user's when the machine has none.
bool FindInstalledProgram(InstalledPrograms& list, const std::wstring& text);
// A directory entry other than "." and ".." matches path + "*".
bool PathExists(const std::wstring& path);
// A running process's main module has this base name (any letter case).
bool IsProcessRunning(const std::wstring& fileName);
