#pragma once
// A whole file as read-only memory. Mapped rather than read into a new
// buffer: a fresh buffer costs a page fault per page under Wine, while the
// mapping's pages come from the file cache many at a time.
#include <windows.h>

#include <cstddef>
#include <string>

#include "platform/win/UniqueHandle.h"

class MappedFile {
 public:
  // Opens and maps the file for reading; Ok() is false when it cannot.
  explicit MappedFile(const std::wstring& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  bool Ok() const { return ok_; }
  // The file's bytes (null for an empty file).
  const unsigned char* Data() const { return view_; }
  size_t Size() const { return size_; }

 private:
  platform::UniqueFileHandle file_;
  platform::UniqueKernelHandle mapping_;
  const unsigned char* view_ = nullptr;
  size_t size_ = 0;
  bool ok_ = false;
};
