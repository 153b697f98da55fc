#pragma once
#include <windows.h>

#include <string>

// One path held as its parts. Invariant after every operation:
// FullPath() == Folder() + FileName().
class CPathParts {
 public:
  CPathParts() = default;
  explicit CPathParts(const std::wstring& path) { Assign(path); }
  explicit CPathParts(const wchar_t* path) { Assign(path ? path : L""); }

  // Stores the path and splits it.
  const std::wstring& Assign(const std::wstring& path);
  // name + "." + extension becomes the file name (the dot even when the extension is empty).
  const std::wstring& SetName(const std::wstring& name);
  const std::wstring& SetExtension(const std::wstring& extension);
  const std::wstring& SetFileName(const std::wstring& fileName);
  // A backslash is appended when missing; an empty folder leaves the path as it is.
  const std::wstring& SetFolder(const std::wstring& folder);
  // Relative folder added below the current one (one leading backslash dropped).
  const std::wstring& AddSubFolder(const std::wstring& relative);
  // Folder of the module's file; the file name is kept.
  const std::wstring& FromModule(HMODULE module);
  // Folder and file name of the module's file.
  const std::wstring& AssignModule(HMODULE module);
  // The same for a loaded module by name; empty name: the program.
  const std::wstring& FromModuleName(const std::wstring& moduleName);
  const std::wstring& AssignModuleName(const std::wstring& moduleName);
  const std::wstring& MakeFullPath();

  // True when the path names something that exists (a drive root when it lists anything).
  bool Exists() const;
  // Short form of the path; on failure the system's message is shown and the result is empty.
  std::wstring GetShortPath() const;
  std::wstring GetShortFolder() const;
  static std::wstring GetShortPathOf(const std::wstring& path);

  const std::wstring& FullPath() const { return fullPath_; }
  const std::wstring& Folder() const { return folder_; }
  const std::wstring& Name() const { return name_; }
  const std::wstring& Extension() const { return extension_; }
  const std::wstring& FileName() const { return fileName_; }

 private:
  void SplitFileName();

  std::wstring fullPath_;
  std::wstring folder_;
  std::wstring name_;
  std::wstring extension_;
  std::wstring fileName_;
};
