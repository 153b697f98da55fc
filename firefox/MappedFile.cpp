#include "firefox/MappedFile.h"

MappedFile::MappedFile(const std::wstring& path)
    : file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {
  if (!file_) return;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file_.Get(), &size) || size.QuadPart > 0x7FFFFFF0) return;
  size_ = static_cast<size_t>(size.QuadPart);
  // An empty file cannot be mapped; it has no bytes to show.
  if (size_ == 0) {
    ok_ = true;
    return;
  }
  mapping_ = platform::UniqueKernelHandle(CreateFileMappingW(file_.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping_) return;
  view_ = static_cast<const unsigned char*>(MapViewOfFile(mapping_.Get(), FILE_MAP_READ, 0, 0, 0));
  ok_ = view_ != nullptr;
}

MappedFile::~MappedFile() {
  if (view_) UnmapViewOfFile(view_);
}
