#pragma once
#include <string>

// Whether a file could be deleted now, asked before a switch deletes
// anything, so that a switch stops with every file still in place rather
// than half-way.
enum class Removal {
  Free,      // it can go
  Missing,   // nothing there
  ReadOnly,  // the read-only attribute keeps it
  Denied,    // the user may not delete it
  InUse,     // another program holds it open
};
Removal CheckRemoval(const std::wstring& path);

// The file is there (a folder does not count).
bool FilePresent(const std::wstring& path);
bool FolderPresent(const std::wstring& path);
