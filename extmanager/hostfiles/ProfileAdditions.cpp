#include "extmanager/hostfiles/ProfileAdditions.h"

#include <windows.h>

#include "extmanager/hostfiles/TextFiles.h"

namespace {

constexpr char kFile[] = "file ";
constexpr char kFolder[] = "folder ";
constexpr char kSection[] = "section ";

bool StaysInside(const std::wstring& path) {
  if (path.size() < 2 || path[0] != L'\\' || path.find(L':') != std::wstring::npos) return false;
  if (path.find(L'/') != std::wstring::npos || path.find(L"\\\\") != std::wstring::npos) return false;
  std::wstring padded = path + L"\\";
  return padded.find(L"\\..\\") == std::wstring::npos && padded.find(L"\\.\\") == std::wstring::npos;
}

bool StartsWith(const std::string& line, const char* kind) { return line.rfind(kind, 0) == 0; }

}  // namespace

bool ProfileAdditions::HasFile(const std::wstring& path) const {
  for (const std::wstring& file : files)
    if (CompareStringOrdinal(file.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
  return false;
}

std::string ProfileAdditions::Encode() const {
  std::string text;
  for (const std::wstring& file : files) text += kFile + EncodeUtf8(file) + "\r\n";
  for (const std::wstring& folder : folders) text += kFolder + EncodeUtf8(folder) + "\r\n";
  for (const std::string& section : sections) text += kSection + section + "\r\n";
  return text;
}

ProfileAdditions ProfileAdditions::Decode(const std::string& bytes) {
  ProfileAdditions additions;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? bytes.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::wstring path;
    if (StartsWith(line, kSection)) {
      additions.sections.push_back(line.substr(sizeof(kSection) - 1));
    } else if (StartsWith(line, kFile) && DecodeUtf8(line.substr(sizeof(kFile) - 1), path) && StaysInside(path)) {
      additions.files.push_back(path);
    } else if (StartsWith(line, kFolder) && DecodeUtf8(line.substr(sizeof(kFolder) - 1), path) &&
               StaysInside(path)) {
      additions.folders.push_back(path);
    }
  }
  return additions;
}
