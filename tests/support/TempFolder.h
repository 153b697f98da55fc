#pragma once
#include <string>

namespace testsupport {

// A new empty folder under the temporary path, removed with its contents
// when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, with a final backslash.
  const std::wstring& Path() const { return path_; }
  // Path() + name.
  std::wstring File(const std::wstring& name) const { return path_ + name; }
  // Writes bytes to a file of the folder and returns its full path.
  std::wstring WriteFile(const std::wstring& name, const std::string& bytes) const;

 private:
  std::wstring path_;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);

}  // namespace testsupport
