#include "extmanager/hostfiles/FileJournal.h"

#include <windows.h>

#include <algorithm>

#include "extmanager/hostfiles/TextFiles.h"
#include "extmanager/probes/FileRemoval.h"
#include "extmanager/probes/LongPath.h"

namespace {

std::wstring Trimmed(std::wstring path) {
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

bool FileJournal::Noted(const std::wstring& path) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return SamePath(e.path, path); });
}

bool FileJournal::Keep(const std::wstring& path) {
  if (Noted(path)) return true;
  Entry entry;
  entry.path = path;
  entry.existed = GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  if (entry.existed && !ReadWholeFile(path, entry.bytes)) return false;
  entries_.push_back(std::move(entry));
  return true;
}

void FileJournal::KeepFolder(const std::wstring& folder) {
  std::wstring path = Trimmed(folder);
  // The missing levels, the highest first, as they will be made.
  std::vector<std::wstring> missing;
  while (!FolderPresent(path)) {
    missing.push_back(path);
    size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos || cut <= 2) break;
    path = path.substr(0, cut);
  }
  if (missing.empty() && !Noted(path)) entries_.push_back({path, true, true, {}});
  for (auto it = missing.rbegin(); it != missing.rend(); ++it)
    if (!Noted(*it)) entries_.push_back({*it, true, false, {}});
}

bool FileJournal::Restore() {
  bool all = true;
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    const Entry& entry = *it;
    std::wstring path = LongPath(entry.path);
    if (entry.folder) {
      if (entry.existed)
        all = (FolderPresent(entry.path) || CreateDirectoryW(path.c_str(), nullptr)) && all;
      else if (FolderPresent(entry.path))
        all = RemoveDirectoryW(path.c_str()) && all;
      continue;
    }
    if (!entry.existed) {
      all = (DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
             GetLastError() == ERROR_PATH_NOT_FOUND) && all;
      continue;
    }
    std::string now;
    if (FilePresent(entry.path) && ReadWholeFile(entry.path, now) && now == entry.bytes) continue;
    all = ReplaceFileContents(entry.path, entry.bytes) && all;
  }
  entries_.clear();
  return all;
}

std::vector<std::wstring> FileJournal::Created() const {
  std::vector<std::wstring> created;
  for (const Entry& entry : entries_)
    if (!entry.existed) created.push_back(entry.path);
  return created;
}
