#pragma once
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "TempFolder.h"

// Whole folders of files for the OpenOffice tests: written from a map and
// read back into one, so that a profile is compared byte for byte.
namespace oofiles {

using Files = std::map<std::wstring, std::string>;

inline void Write(const std::wstring& path, const std::string& bytes) {
  std::filesystem::path file(path);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every file below the folder by its path relative to it ("\" separators).
inline Files Read(const std::wstring& folder) {
  Files files;
  std::error_code error;
  std::filesystem::path base(folder);
  for (auto it = std::filesystem::recursive_directory_iterator(base, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file()) continue;
    std::wstring relative = std::filesystem::relative(it->path(), base).wstring();
    for (wchar_t& c : relative)
      if (c == L'/') c = L'\\';
    files[relative] = testsupport::ReadWholeFile(it->path().wstring());
  }
  return files;
}

// Read, and every folder below it as well, as "<path>\\" = "(folder)": a
// machine compared byte for byte, empty folders included.
inline Files ReadTree(const std::wstring& folder) {
  Files files = Read(folder);
  std::error_code error;
  std::filesystem::path base(folder);
  for (auto it = std::filesystem::recursive_directory_iterator(base, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_directory()) continue;
    std::wstring relative = std::filesystem::relative(it->path(), base).wstring();
    for (wchar_t& c : relative)
      if (c == L'/') c = L'\\';
    files[relative + L"\\"] = "(folder)";
  }
  return files;
}

// The entries of `after` that differ from `before`, one line each, for a
// failure message.
inline std::string Differences(const Files& before, const Files& after) {
  std::string text;
  auto narrow = [](const std::wstring& path) { return std::string(path.begin(), path.end()); };
  for (const auto& [path, bytes] : before) {
    auto it = after.find(path);
    if (it == after.end()) text += "  gone: " + narrow(path) + "\n";
    else if (it->second != bytes) text += "  changed: " + narrow(path) + "\n";
  }
  for (const auto& [path, bytes] : after)
    if (!before.count(path)) text += "  new: " + narrow(path) + "\n";
  return text;
}

inline size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// UTF-16LE (with or without its mark) as UTF-8, other bytes as they are.
inline std::string AsUtf8(const std::string& bytes) {
  size_t start = bytes.rfind("\xFF\xFE", 0) == 0 ? 2 : 0;
  if (start == 0 && (bytes.size() < 2 || bytes[1] != 0)) return bytes;
  std::wstring wide;
  for (size_t i = start; i + 1 < bytes.size(); i += 2)
    wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                        (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  std::string out;
  for (wchar_t c : wide) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace oofiles
