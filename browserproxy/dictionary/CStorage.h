#pragma once
#include <windows.h>
#include <objbase.h>

#include <string>

#include "platform/com/ComPtr.h"

// Results of the compound-file operations.
enum StorageResult : int {
  STORAGE_OK = 1,
  STORAGE_FAILED = 0,              // open failed, short copy or another error
  STORAGE_INVALID_NAME = -2,
  STORAGE_FILE_MISSING = -3,
  STORAGE_STREAM_MISSING = -4,
  STORAGE_NOT_COMPOUND = -6,
  STORAGE_TARGET_EXISTS = -9,      // also: copied over an existing target
  STORAGE_TARGET_UNWRITABLE = -10, // the target file could not be created or written
};

// The compound file "mds.stg" that ships the layout tables.
class CStorage {
 public:
  explicit CStorage(std::wstring path) : path_(std::move(path)) {}
  virtual ~CStorage() = default;
  CStorage(const CStorage&) = delete;
  CStorage& operator=(const CStorage&) = delete;

  // Mode 1 opens for reading (others may read too); any other mode for
  // exclusive reading and writing.
  int Open(int mode);
  // Copies one stream into a file.
  int StreamToFile(const std::wstring& stream, const std::wstring& target, bool overwrite);
  // StreamToFile without overwrite; with mode 1 an existing target is
  // deleted and the copy tried once more.
  int ExtractStream(const std::wstring& stream, const std::wstring& target, int mode);
  // An element of the opened storage has that name (case ignored).
  bool HasStream(const std::wstring& name);

  static bool IsValidStreamName(const std::wstring& name);
  static bool FileExists(const std::wstring& path);
  // Folders of the product by kind (1: the system temporary path followed
  // by "NORVA\9.0\"); the name follows when one is given. Kind 0 is the
  // full file name of `module` (the program when null).
  static std::wstring FindProductFolder(int kind, const wchar_t* name = nullptr,
                                        HMODULE module = nullptr);

 private:
  int CopyStream(IStream* stream, const std::wstring& target, int success);

  std::wstring path_;
  platform::ComPtr<IStorage> storage_;
};

// SHGetFolderPathW of "shfolder.dll", loaded and freed for the call; empty
// when the library or its entry is missing or the call fails.
std::wstring LoadSHGetFolderPath(int csidl);
