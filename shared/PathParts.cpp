#include "shared/PathParts.h"

#include "platform/base/Handles.h"
#include "shared/ProductFolders.h"
#include "shared/SystemMessage.h"

namespace {

HMODULE ModuleByName(const std::wstring& name) { return GetModuleHandleW(name.empty() ? nullptr : name.c_str()); }

}  // namespace

void CPathParts::SplitFileName() {
  size_t dot = fileName_.rfind(L'.');
  if (dot == std::wstring::npos || dot == 0) {
    name_ = fileName_;
    extension_.clear();
  } else {
    name_ = fileName_.substr(0, dot);
    extension_ = fileName_.substr(dot + 1);
  }
}

const std::wstring& CPathParts::Assign(const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  folder_ = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
  fileName_ = slash == std::wstring::npos ? path : path.substr(slash + 1);
  SplitFileName();
  return MakeFullPath();
}

const std::wstring& CPathParts::SetName(const std::wstring& name) {
  name_ = name;
  fileName_ = name_ + L"." + extension_;
  return MakeFullPath();
}

const std::wstring& CPathParts::SetExtension(const std::wstring& extension) {
  extension_ = extension;
  fileName_ = name_ + L"." + extension_;
  return MakeFullPath();
}

const std::wstring& CPathParts::SetFileName(const std::wstring& fileName) {
  fileName_ = fileName;
  SplitFileName();
  return MakeFullPath();
}

const std::wstring& CPathParts::SetFolder(const std::wstring& folder) {
  if (folder.empty()) return fullPath_;
  folder_ = folder;
  if (folder_.back() != L'\\') folder_ += L'\\';
  return MakeFullPath();
}

const std::wstring& CPathParts::AddSubFolder(const std::wstring& relative) {
  std::wstring sub = !relative.empty() && relative.front() == L'\\' ? relative.substr(1) : relative;
  folder_ += sub;
  if (folder_.empty() || folder_.back() != L'\\') folder_ += L'\\';
  return MakeFullPath();
}

const std::wstring& CPathParts::FromModule(HMODULE module) {
  CPathParts own(GetModulePath(module));
  folder_ = own.folder_;
  return MakeFullPath();
}

const std::wstring& CPathParts::AssignModule(HMODULE module) { return Assign(GetModulePath(module)); }

const std::wstring& CPathParts::FromModuleName(const std::wstring& moduleName) {
  return FromModule(ModuleByName(moduleName));
}

const std::wstring& CPathParts::AssignModuleName(const std::wstring& moduleName) {
  return AssignModule(ModuleByName(moduleName));
}

const std::wstring& CPathParts::MakeFullPath() {
  fullPath_ = folder_ + fileName_;
  return fullPath_;
}

bool CPathParts::Exists() const {
  std::wstring pattern = fullPath_;
  if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, L":\\") == 0)
    pattern += L'*';
  else if (!pattern.empty() && pattern.back() == L'\\')
    pattern.pop_back();
  if (pattern.empty()) return false;
  WIN32_FIND_DATAW found{};
  return platform::UniqueFindHandle(FindFirstFileW(pattern.c_str(), &found)).Valid();
}

std::wstring CPathParts::GetShortPathOf(const std::wstring& path) {
  std::wstring longPath = path;
  if (!longPath.empty() && longPath.back() == L'\\') longPath.pop_back();
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = GetShortPathNameW(longPath.c_str(), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    DWORD error = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    ShowSystemErrorMessage(error, longPath.c_str());
    return std::wstring();
  }
  return std::wstring(buffer, length);
}

std::wstring CPathParts::GetShortPath() const { return GetShortPathOf(fullPath_); }

std::wstring CPathParts::GetShortFolder() const { return GetShortPathOf(folder_); }
