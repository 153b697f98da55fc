#include "extmanager/probes/FileRemoval.h"

#include <windows.h>

#include "extmanager/probes/LongPath.h"
#include "platform/win/UniqueHandle.h"

Removal CheckRemoval(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Removal::Missing;
  // Windows refuses to delete a read-only file even to an administrator.
  if (attributes & FILE_ATTRIBUTE_READONLY) return Removal::ReadOnly;
  // Asking for delete access meets every handle that does not share deletion.
  platform::UniqueFileHandle file(CreateFileW(LongPath(path).c_str(), DELETE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) return Removal::Free;
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Removal::Missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Removal::InUse;
    default: return Removal::Denied;
  }
}

bool FilePresent(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderPresent(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
